#include "platform/console/close_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/window_messages.h"

namespace korvane {
namespace {

// A signal handler reaches nothing but these: the flag and the pipe of the one CloseSignals.
std::atomic<bool> g_closeRequested{false};
std::atomic<int> g_wakePipe{-1};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

constexpr char kSignalByte = 's';
constexpr char kQuitByte = 'q';

extern "C" void OnCloseSignal(int) {
  int savedErrno = errno;
  g_closeRequested.store(true);
  int fd = g_wakePipe.load();
  if (fd >= 0) {
    char byte = kSignalByte;
    [[maybe_unused]] auto written = write(fd, &byte, 1);  // a full pipe already wakes the watcher
  }
  errno = savedErrno;
}

bool InstallHandler(int signalNumber, struct sigaction* previous) {
  struct sigaction action {};
  action.sa_handler = OnCloseSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a blocking read for a message box returns at once
  return sigaction(signalNumber, &action, previous) == 0;
}

}  // namespace

CloseSignals::CloseSignals(MessagePoster& window) : m_window(window) {
  if (pipe2(m_pipe, O_CLOEXEC) != 0) {
    m_pipe[0] = m_pipe[1] = -1;
    return;
  }
  fcntl(m_pipe[1], F_SETFL, O_NONBLOCK);  // the handler must never block
  g_closeRequested.store(false);
  g_wakePipe.store(m_pipe[1]);
  m_watcher = std::thread([this] { Watch(); });
  m_active = InstallHandler(SIGINT, &m_previousInt) && InstallHandler(SIGTERM, &m_previousTerm);
}

CloseSignals::~CloseSignals() {
  if (m_pipe[1] < 0) {
    return;
  }
  sigaction(SIGINT, &m_previousInt, nullptr);
  sigaction(SIGTERM, &m_previousTerm, nullptr);
  g_wakePipe.store(-1);
  char byte = kQuitByte;
  while (write(m_pipe[1], &byte, 1) < 0 && (errno == EINTR || errno == EAGAIN)) {
  }
  m_watcher.join();
  close(m_pipe[0]);
  close(m_pipe[1]);
}

void CloseSignals::Poll() {
  if (g_closeRequested.exchange(false)) {
    m_window.PostToWindow(msg::kClose, 0, 0);
  }
}

void CloseSignals::Watch() {
  for (;;) {
    char byte = 0;
    ssize_t got = read(m_pipe[0], &byte, 1);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0 || byte == kQuitByte) {
      return;
    }
    Poll();
  }
}

}  // namespace korvane
