#pragma once
// Ctrl-C (SIGINT) and SIGTERM as close requests to a window. The signal handler only sets a flag
// and writes a byte to a pipe; the request is posted as WM_CLOSE outside the handler, by Poll on
// the window's thread or by a watcher thread that wakes a window waiting for posts.
#include <csignal>
#include <thread>

#include "platform/dialog_window.h"

namespace korvane {

class CloseSignals {
 public:
  // Installs the handlers; one instance at a time.
  explicit CloseSignals(MessagePoster& window);
  // Puts the previous handlers back.
  ~CloseSignals();
  CloseSignals(const CloseSignals&) = delete;
  CloseSignals& operator=(const CloseSignals&) = delete;

  // Posts one WM_CLOSE when a signal was caught since the last request was posted.
  void Poll();
  // False when the pipe or the handlers could not be set up (signals then keep their defaults).
  bool Active() const { return m_active; }

 private:
  void Watch();

  MessagePoster& m_window;
  int m_pipe[2] = {-1, -1};
  struct sigaction m_previousInt {};
  struct sigaction m_previousTerm {};
  bool m_active = false;
  std::thread m_watcher;
};

}  // namespace korvane
