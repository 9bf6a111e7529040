#pragma once
// The station's window on a Linux terminal: the caption, the status line, the progress bar, the
// file names and the result box in large coloured letters, redrawn in place; plain lines when
// the output is not a terminal. Message boxes are printed and, when the input is a terminal,
// wait for Enter.
#include <cstddef>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/console/close_signals.h"
#include "platform/console/plain_report.h"
#include "platform/dialog_layout.h"
#include "platform/dialog_window.h"
#include "platform/memory/window_state.h"
#include "platform/message_queue.h"

namespace korvane {

struct TerminalOptions {
  bool outputIsTerminal = false;
  bool inputIsTerminal = false;
  TimeMode timeMode = TimeMode::kReal;
  // Ctrl-C and SIGTERM become close requests while the window exists.
  bool catchCloseSignals = false;
  std::string appName = "korvane";  // the title of message boxes
  int largeTextControl = kNoControlId;
  std::size_t columns = 80;  // of the terminal
};

class TerminalWindow final : public DialogWindow {
 public:
  TerminalWindow(Clock& clock, const DialogLayout& layout, std::ostream& out, std::istream& in,
                 TerminalOptions options);
  ~TerminalWindow() override;
  TerminalWindow(const TerminalWindow&) = delete;
  TerminalWindow& operator=(const TerminalWindow&) = delete;

  void PostToWindow(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  // With nothing pending (no post, no timer), the window waits for a post: a close request by
  // signal, or a message from another thread.
  int DoModal(DialogHandler& dialog) override;
  void EndDialog(int result) override;
  void SetControlText(int controlId, std::string_view text) override;
  std::string GetControlText(int controlId) override;
  void EnableControl(int controlId, bool enabled) override;
  void ShowControl(int controlId, bool visible) override;
  void SetCheck(int controlId, bool checked) override;
  bool IsChecked(int controlId) override;
  void SetCaption(std::string_view caption) override;
  void SetWindowIcon(IconSize size) override;
  int ListAddString(int controlId, std::string_view text) override;
  int ListSetCurSel(int controlId, int index) override;
  int ListGetCurSel(int controlId) override;
  int ListGetCount(int controlId) override;
  int ListDeleteString(int controlId, int index) override;
  int ComboAddString(int controlId, std::string_view text) override;
  int ComboSetCurSel(int controlId, int index) override;
  void ProgressSetRange(int controlId, int low, int high) override;
  void ProgressSetPos(int controlId, int position) override;
  void ShowMessage(std::string_view text) override;
  FontHandle MakeFont(const FontSpec& spec) override;
  void DeleteFontHandle(FontHandle font) override;
  void SetControlFont(int controlId, FontHandle font, bool redraw) override;
  void SetTimer(std::uint32_t timerId, std::uint32_t milliseconds) override;
  void KillTimer(std::uint32_t timerId) override;
  bool PumpOneMessage() override;
  std::intptr_t SendToWindow(std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;

  // Runs `action` on the window's thread once its clock reaches `timeMs` (the front end's
  // scheduled camera events).
  void At(std::uint64_t timeMs, std::function<void()> action) {
    m_queue.At(timeMs, std::move(action));
  }

  const WindowState& State() const { return m_state; }

 private:
  void Dispatch(const WindowMessage& message);
  // Draws what changed since the last time, once the window is shown.
  void Flush();
  void DrawFrame();
  void ClearFrame();
  void RestoreCursor();
  void WaitForEnter();
  template <typename Change>
  void ChangeProgress(int controlId, Change change);
  std::optional<Rgb> ColourOf(const ControlLayout& control, const ControlState& state);

  WindowState m_state;
  MessageQueue m_queue;
  std::ostream& m_out;
  std::istream& m_in;
  TerminalOptions m_options;
  std::unique_ptr<CloseSignals> m_signals;
  DialogHandler* m_dialog = nullptr;
  bool m_shown = false;  // after OnInitDialog, until the window goes
  bool m_dirty = true;
  bool m_cursorHidden = false;
  std::vector<std::string> m_drawn;  // the frame's lines now on the terminal
  PlainReport m_plain;
};

}  // namespace korvane
