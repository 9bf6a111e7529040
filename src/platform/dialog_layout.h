#pragma once
// The window as data: one dialog template with every control, read by every window
// implementation (the Win32 template, the terminal window, the in-memory window model).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

enum class ControlClass {
  kPushButton,
  kRadioButton,  // automatic radio button
  kEdit,
  kStatic,
  kGroupBox,
  kComboBox,
  kListBox,
  kProgressBar,
};

// Control style bits. Each names one resource style of the control's class.
namespace style {
inline constexpr std::uint32_t kTabStop = 1u << 0;        // WS_TABSTOP
inline constexpr std::uint32_t kGroup = 1u << 1;          // WS_GROUP
inline constexpr std::uint32_t kBorder = 1u << 2;         // WS_BORDER
inline constexpr std::uint32_t kVScroll = 1u << 3;        // WS_VSCROLL
inline constexpr std::uint32_t kDefaultButton = 1u << 4;  // BS_DEFPUSHBUTTON
inline constexpr std::uint32_t kLeft = 1u << 5;           // ES_LEFT / SS_LEFT
inline constexpr std::uint32_t kCenter = 1u << 6;         // ES_CENTER
inline constexpr std::uint32_t kAutoHScroll = 1u << 7;    // ES_AUTOHSCROLL
inline constexpr std::uint32_t kReadOnly = 1u << 8;       // ES_READONLY
inline constexpr std::uint32_t kMultiLine = 1u << 9;      // ES_MULTILINE
inline constexpr std::uint32_t kDropDown = 1u << 10;      // CBS_DROPDOWN: list with an edit field
inline constexpr std::uint32_t kSorted = 1u << 11;        // LBS_SORT
inline constexpr std::uint32_t kNotify = 1u << 12;        // LBS_NOTIFY
inline constexpr std::uint32_t kNoSelect = 1u << 13;      // LBS_NOSEL: the user cannot select
inline constexpr std::uint32_t kNoIntegralHeight = 1u << 14;  // LBS_NOINTEGRALHEIGHT
inline constexpr std::uint32_t kSmooth = 1u << 15;            // PBS_SMOOTH
}  // namespace style

// Window style bits of the dialog itself.
namespace dialog_style {
inline constexpr std::uint32_t kPopup = 1u << 0;       // WS_POPUP
inline constexpr std::uint32_t kVisible = 1u << 1;     // WS_VISIBLE
inline constexpr std::uint32_t kCaption = 1u << 2;     // WS_CAPTION
inline constexpr std::uint32_t kModalFrame = 1u << 3;  // DS_MODALFRAME
inline constexpr std::uint32_t kSystemMenu = 1u << 4;  // WS_SYSMENU (and so a close box)
inline constexpr std::uint32_t kAppWindow = 1u << 5;   // WS_EX_APPWINDOW: shown in the task bar
inline constexpr std::uint32_t kStaticEdge = 1u << 6;  // WS_EX_STATICEDGE
}  // namespace dialog_style

// Position and size in dialog units.
struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const DialogRect&, const DialogRect&) = default;
};

inline constexpr int kNoControlId = -1;  // IDC_STATIC: a control nobody addresses

struct ControlLayout {
  int id = kNoControlId;
  ControlClass controlClass = ControlClass::kStatic;
  std::string text;
  DialogRect rect;
  std::uint32_t style = 0;
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  std::vector<std::string> items;  // combo boxes: added when the window is created

  bool Has(std::uint32_t styleBit) const { return (style & styleBit) == styleBit; }
};

struct DialogLayout {
  int templateId = 0;
  std::string caption;
  int width = 0;  // dialog units
  int height = 0;
  std::string fontName;
  int fontPoints = 0;
  std::uint32_t windowStyle = 0;
  std::vector<ControlLayout> controls;  // template (tab) order

  // The control with this identifier; nullptr for kNoControlId or an unknown one.
  const ControlLayout* Find(int controlId) const;
};

// The WM_CTLCOLOR* kind a control asks its colours as; nullopt for controls that never ask (the
// progress bar). Read-only and disabled edits ask as static controls, as Windows does.
namespace ctl_color {
inline constexpr int kEdit = 1;     // CTLCOLOR_EDIT
inline constexpr int kListBox = 2;  // CTLCOLOR_LISTBOX
inline constexpr int kButton = 3;   // CTLCOLOR_BTN
inline constexpr int kStatic = 6;   // CTLCOLOR_STATIC
}  // namespace ctl_color
// A control of the template; the other fields keep their defaults (enabled, unchecked, no items).
ControlLayout MakeControl(int id, ControlClass controlClass, std::string text, DialogRect rect,
                          std::uint32_t controlStyle = 0, bool visible = true);

std::optional<int> CtlColorTypeOf(const ControlLayout& control, bool enabled);

}  // namespace korvane
