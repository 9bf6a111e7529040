#pragma once
// The in-memory window: runs a dialog on simulated time and records everything done to the
// window, so that tests can read it back.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/dialog_layout.h"
#include "platform/dialog_window.h"
#include "platform/memory/window_state.h"
#include "platform/message_queue.h"

namespace korvane {

enum class WindowOp {
  kInitDialog,  // OnInitDialog called
  kDispatch,    // a posted message or WM_TIMER dispatched to the dialog (also WM_DESTROY)
  kSend,        // SendToWindow
  kIdle,        // nothing could happen any more without the operator
  kEndDialog,
  kSetText,
  kEnable,
  kShow,
  kSetCheck,
  kSetCaption,
  kSetIcon,
  kListAdd,
  kListSetCurSel,
  kListDelete,
  kComboAdd,
  kComboSetCurSel,
  kProgressRange,
  kProgressPos,
  kMessageBox,
  kMakeFont,
  kDeleteFont,
  kSetFont,
  kSetTimer,
  kKillTimer,
};

// One entry of the call log. Fields that an operation does not use stay 0 or empty.
struct WindowCall {
  WindowOp op = WindowOp::kIdle;
  int id = 0;  // control, timer or font handle
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  std::string text{};
  std::int64_t value = 0;   // enabled, visible, checked (1/0), index, low, position, period,
                            // dialog result
  std::int64_t value2 = 0;  // high end of a range, redraw flag
  std::uint64_t timeMs = 0;
};

struct MessageBoxRecord {
  std::string text{};
  std::uint64_t timeMs = 0;
};

class WindowModel final : public DialogWindow {
 public:
  // Limits that stop a dialog which would otherwise run for ever; DoModal then returns -1 and a
  // fault says why.
  static constexpr int kMaxIdles = 10;
  static constexpr std::uint64_t kDefaultTimeLimitMs = 3'600'000;

  WindowModel(Clock& clock, const DialogLayout& layout);

  // --- DialogWindow
  void PostToWindow(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
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

  // --- What the operator and the outside world do (each posts, as Windows delivers input)
  void RequestClose();                             // WM_CLOSE
  void PressEscape();                              // WM_COMMAND IDCANCEL
  void Click(int controlId);                       // WM_COMMAND BN_CLICKED
  void Notify(int controlId, std::uint16_t code);  // WM_COMMAND with a notification code
  // Runs `action` when the simulated clock reaches `timeMs` (clock time, not relative).
  void At(std::uint64_t timeMs, std::function<void()> action);
  // What happens when the dialog would wait for ever: by default a close request.
  void OnIdle(std::function<void()> action) { m_idleAction = std::move(action); }
  // Runs while a message box is open (it returns when the callback has returned).
  void OnMessageBox(std::function<void(std::string_view)> callback) {
    m_messageBoxCallback = std::move(callback);
  }
  void FailWindowCreation(bool fail) { m_failCreation = fail; }
  void FailFontCreation(bool fail) { m_failFonts = fail; }
  // Simulated time, from the start of DoModal, after which the dialog is stopped.
  void SetTimeLimit(std::uint64_t milliseconds) { m_timeLimitMs = milliseconds; }

  // --- Read back
  const WindowState& State() const { return m_state; }
  const ControlState& Control(int controlId) const;  // the control must exist
  const std::string& Text(int controlId) const { return Control(controlId).text; }
  const std::string& Caption() const { return m_state.Caption(); }
  std::optional<FontSpec> Font(int controlId) const { return m_state.ControlFont(controlId); }
  const std::vector<IconSize>& Icons() const { return m_icons; }
  const std::vector<MessageBoxRecord>& Messages() const { return m_messages; }
  const std::vector<WindowCall>& Log() const { return m_log; }
  std::vector<WindowCall> Calls(WindowOp op) const;
  // The controls of the calls of one kind, in order; with `value`, only the calls with it (e.g.
  // ControlIds(WindowOp::kEnable, 0): the controls disabled, in order).
  std::vector<int> ControlIds(WindowOp op, std::optional<std::int64_t> value = std::nullopt) const;
  // Misuse Windows would refuse, and runaway dialogs; a correct dialog leaves it empty.
  std::vector<std::string> Faults() const;
  bool WentIdle() const { return !Calls(WindowOp::kIdle).empty(); }
  bool IsOpen() const { return m_dialog != nullptr; }
  // The text colour the dialog gives the control (OnCtlColor), asked as Windows asks for that
  // control. Asks the dialog of the last DoModal, which must still exist.
  std::optional<Rgb> TextColor(int controlId);

 private:
  void RunModalLoop();
  bool HandleIdle();  // false: stop the loop
  void Dispatch(const WindowMessage& message);
  void Record(WindowCall call);
  void Fault(std::string text) { m_modelFaults.push_back(std::move(text)); }

  Clock& m_clock;
  WindowState m_state;
  MessageQueue m_queue;
  DialogHandler* m_dialog = nullptr;      // while DoModal runs
  DialogHandler* m_lastDialog = nullptr;  // for TextColor after the run
  std::vector<WindowCall> m_log;
  std::vector<IconSize> m_icons;
  std::vector<MessageBoxRecord> m_messages;
  std::vector<std::string> m_modelFaults;
  std::function<void()> m_idleAction;
  std::function<void(std::string_view)> m_messageBoxCallback;
  bool m_failCreation = false;
  bool m_failFonts = false;
  std::uint64_t m_timeLimitMs = kDefaultTimeLimitMs;
  std::uint64_t m_startMs = 0;
  int m_idles = 0;
};

}  // namespace korvane
