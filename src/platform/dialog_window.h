#pragma once
// The dialog-window seam: what the logic does to the main window, and how the window reaches the
// dialog's handlers. Implementations: the in-memory window model (tests), the terminal window
// (Linux station) and the Win32 dialog.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// Anything a message can be posted to (the filter graph posts to the window). Implementations
// must accept posts from other threads.
class MessagePoster {
 public:
  virtual ~MessagePoster() = default;
  virtual void PostToWindow(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// CreateFont's parameters.
struct FontSpec {
  int height = 0;
  int width = 0;
  int escapement = 0;
  int orientation = 0;
  int weight = 0;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charSet = 0;
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  std::string faceName;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};
using FontHandle = std::uintptr_t;  // 0: no font

enum class IconSize { kBig = 1, kSmall = 0 };

// What the window asks of the dialog: the dialog's message map and its colours.
class DialogHandler {
 public:
  virtual ~DialogHandler() = default;
  // WM_INITDIALOG: the window and its controls exist in their template state.
  virtual bool OnInitDialog() = 0;
  // Every other message the window dispatches to the dialog (WM_TIMER, WM_COMMAND, WM_CLOSE,
  // WM_DESTROY, WM_GRAPH_EVENT, WM_DEVICE_REMOVED). Unhandled ones return 0.
  virtual std::intptr_t OnMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) = 0;
  // WM_CTLCOLOR*: the text colour of a control, or nullopt for the default.
  virtual std::optional<Rgb> OnCtlColor(int controlId, int ctlType) = 0;
};

class DialogWindow : public MessagePoster {
 public:
  // DoModal: creates the window from the layout, calls OnInitDialog, dispatches messages until
  // EndDialog, destroys the window (WM_DESTROY reaches the dialog) and returns the result given
  // to EndDialog; -1 when the window could not be created.
  virtual int DoModal(DialogHandler& dialog) = 0;
  // Marks the dialog to end; the modal loop returns once the current handler has returned.
  virtual void EndDialog(int result) = 0;

  virtual void SetControlText(int controlId, std::string_view text) = 0;
  virtual std::string GetControlText(int controlId) = 0;
  virtual void EnableControl(int controlId, bool enabled) = 0;
  virtual void ShowControl(int controlId, bool visible) = 0;
  virtual void SetCheck(int controlId, bool checked) = 0;
  virtual bool IsChecked(int controlId) = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual void SetWindowIcon(IconSize size) = 0;  // WM_SETICON with the application icon

  // List box (LB_ADDSTRING, LB_SETCURSEL, LB_GETCURSEL, LB_GETCOUNT, LB_DELETESTRING); kLbErr on
  // failure.
  virtual int ListAddString(int controlId, std::string_view text) = 0;
  virtual int ListSetCurSel(int controlId, int index) = 0;
  virtual int ListGetCurSel(int controlId) = 0;
  virtual int ListGetCount(int controlId) = 0;
  virtual int ListDeleteString(int controlId, int index) = 0;
  // Combo box (CB_ADDSTRING, CB_SETCURSEL).
  virtual int ComboAddString(int controlId, std::string_view text) = 0;
  virtual int ComboSetCurSel(int controlId, int index) = 0;

  // Progress bar (PBM_SETRANGE, PBM_SETPOS).
  virtual void ProgressSetRange(int controlId, int low, int high) = 0;
  virtual void ProgressSetPos(int controlId, int position) = 0;

  // Modal message box: the text, one OK button, the application's name as its title. Returns
  // once dismissed.
  virtual void ShowMessage(std::string_view text) = 0;

  // Fonts (CreateFontIndirect, DeleteObject, WM_SETFONT).
  virtual FontHandle MakeFont(const FontSpec& spec) = 0;
  virtual void DeleteFontHandle(FontHandle font) = 0;
  virtual void SetControlFont(int controlId, FontHandle font, bool redraw) = 0;

  // SetTimer/KillTimer: WM_TIMER with the identifier every `milliseconds`.
  virtual void SetTimer(std::uint32_t timerId, std::uint32_t milliseconds) = 0;
  virtual void KillTimer(std::uint32_t timerId) = 0;

  // PeekMessage(PM_REMOVE), TranslateMessage, DispatchMessage: handles at most one waiting
  // message; false when none was waiting.
  virtual bool PumpOneMessage() = 0;
  // SendMessage to the window itself: the handler runs to its end before this returns.
  virtual std::intptr_t SendToWindow(std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
};

}  // namespace korvane
