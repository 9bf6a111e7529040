#include "app/main_dialog_layout.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/control_ids.h"

namespace korvane {
namespace {

using ControlClass::kComboBox;
using ControlClass::kEdit;
using ControlClass::kGroupBox;
using ControlClass::kListBox;
using ControlClass::kProgressBar;
using ControlClass::kPushButton;
using ControlClass::kRadioButton;
using ControlClass::kStatic;

constexpr bool kShown = true;
constexpr bool kHidden = false;

ControlLayout Disabled(ControlLayout control) {
  control.enabled = false;
  return control;
}

ControlLayout WithItems(ControlLayout control, std::vector<std::string> items) {
  control.items = std::move(items);
  return control;
}

std::vector<std::string> BankItems() {
  return {" Bank 0", " Bank 1", " Bank 2", " Sensor"};
}

// U+FF1A FULLWIDTH COLON, in UTF-8.
constexpr std::string_view kFullWidthColon = "\xEF\xBC\x9A";

std::vector<ControlLayout> MainDialogControls() {
  using namespace style;
  constexpr auto kHiddenButton = kTabStop;
  constexpr auto kCombo = kDropDown | kVScroll | kTabStop;
  constexpr auto kSmallEdit = kCenter | kAutoHScroll | kBorder | kTabStop;
  constexpr auto kNameEdit = kReadOnly | kLeft | kAutoHScroll | kBorder;
  std::string serialLabel = std::string("Serial Number") + std::string(kFullWidthColon);
  return {
      MakeControl(ctrl::kEnumerateButton, kPushButton, "Enumerate", {123, 117, 33, 6},
                  kDefaultButton | kTabStop, kHidden),
      MakeControl(ctrl::kReadButton, kPushButton, "Read", {220, 7, 6, 6}, kHiddenButton, kHidden),
      MakeControl(ctrl::kWriteRegisterButton, kPushButton, "Write", {220, 7, 6, 6}, kHiddenButton,
                  kHidden),
      WithItems(MakeControl(ctrl::kBankCombo1, kComboBox, "", {120, 111, 48, 30}, kCombo, kHidden),
                BankItems()),
      MakeControl(ctrl::kEdit1005, kEdit, "", {220, 7, 6, 12}, kSmallEdit, kHidden),
      MakeControl(ctrl::kEdit1006, kEdit, "", {220, 7, 6, 12}, kSmallEdit | kReadOnly, kHidden),
      WithItems(MakeControl(ctrl::kBankCombo2, kComboBox, "", {119, 111, 48, 30}, kCombo, kHidden),
                BankItems()),
      MakeControl(ctrl::kEdit1008, kEdit, "", {220, 7, 6, 12}, kSmallEdit, kHidden),
      MakeControl(ctrl::kEdit1009, kEdit, "", {220, 7, 6, 12}, kSmallEdit, kHidden),
      MakeControl(ctrl::kFirmwareNameEdit, kEdit, "", {9, 54, 215, 12}, kNameEdit, kShown),
      MakeControl(ctrl::kParameterNameEdit, kEdit, "", {9, 67, 215, 12}, kNameEdit, kShown),
      MakeControl(ctrl::kOpenFirmwareButton, kPushButton, "Open", {109, 107, 41, 16}, kHiddenButton,
                  kHidden),
      MakeControl(ctrl::kSaveFirmwareButton, kPushButton, "Save", {220, 7, 6, 6}, kHiddenButton,
                  kHidden),
      MakeControl(ctrl::kFirmwareLabel, kStatic, "Firmware File Name :", {9, 45, 68, 8},
                  kLeft | kGroup, kShown),
      MakeControl(kNoControlId, kStatic, serialLabel, {32, 93, 53, 8}, kGroup, kHidden),
      MakeControl(ctrl::kOpenParameterButton, kPushButton, "Open", {119, 107, 41, 16},
                  kHiddenButton, kHidden),
      MakeControl(ctrl::kSaveParameterButton, kPushButton, "Save", {220, 7, 6, 6}, kHiddenButton,
                  kHidden),
      MakeControl(ctrl::kParameterPageButton, kPushButton, "Parameter Page", {220, 15, 6, 6},
                  kHiddenButton, kHidden),
      MakeControl(ctrl::kWriteButton, kPushButton, "Write", {151, 14, 20, 12}, kHiddenButton,
                  kHidden),
      MakeControl(ctrl::kProgressBar, kProgressBar, "", {9, 30, 215, 12},
                  kSmooth | kBorder | kTabStop, kShown),
      MakeControl(ctrl::kDeviceList, kListBox, "", {89, 7, 25, 9},
                  kSorted | kNotify | kNoSelect | kNoIntegralHeight | kBorder | kVScroll | kTabStop,
                  kHidden),
      MakeControl(ctrl::kInfoEdit, kEdit, "", {220, 7, 6, 12},
                  kMultiLine | kReadOnly | kAutoHScroll | kBorder | kTabStop, kHidden),
      MakeControl(ctrl::kCheckFirmwareButton, kPushButton, "Check Firmware", {220, 15, 6, 6},
                  kHiddenButton, kHidden),
      MakeControl(kNoControlId, kGroupBox, " Status", {7, 7, 219, 38}, 0, kShown),
      MakeControl(ctrl::kRadioAtmel, kRadioButton, "ATMEL", {189, 40, 37, 10}, 0, kHidden),
      Disabled(MakeControl(ctrl::kRadioMxic, kRadioButton, "MXIC", {190, 17, 33, 10}, 0, kShown)),
      MakeControl(ctrl::kRadioSst, kRadioButton, "SST", {189, 58, 28, 10}, 0, kHidden),
      MakeControl(ctrl::kResultBox, kEdit, "", {9, 81, 217, 42},
                  kReadOnly | kCenter | kAutoHScroll | kBorder | kTabStop, kShown),
      MakeControl(ctrl::kStatusLine, kStatic, "Static", {11, 17, 127, 8}, kLeft | kGroup, kShown),
      MakeControl(ctrl::kRadioPflash, kRadioButton, "PFlash", {189, 68, 37, 10}, 0, kHidden),
      MakeControl(ctrl::kSerialText, kStatic, "", {33, 101, 62, 8}, kGroup, kHidden),
  };
}

}  // namespace

DialogLayout MainDialogLayout() {
  DialogLayout layout;
  layout.templateId = ctrl::kDialogTemplate;
  layout.caption = std::string(kProductCaption);
  layout.width = 233;
  layout.height = 130;
  layout.fontName = "MS Shell Dlg";
  layout.fontPoints = 8;
  // No system menu, so no close box.
  layout.windowStyle = dialog_style::kPopup | dialog_style::kVisible | dialog_style::kCaption |
                       dialog_style::kModalFrame | dialog_style::kAppWindow |
                       dialog_style::kStaticEdge;
  layout.controls = MainDialogControls();
  return layout;
}

}  // namespace korvane
