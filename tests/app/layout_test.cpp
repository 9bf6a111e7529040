#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_dialog_layout.h"
#include "platform/control_ids.h"

namespace korvane {
namespace {

using ::testing::ElementsAre;

struct Expected {
  int id;
  ControlClass controlClass;
  const char* text;
  DialogRect rect;
  bool visible;
};

// Template order, as the window's tab order.
const Expected kTemplate[] = {
    {1001, ControlClass::kPushButton, "Enumerate", {123, 117, 33, 6}, false},
    {1002, ControlClass::kPushButton, "Read", {220, 7, 6, 6}, false},
    {1003, ControlClass::kPushButton, "Write", {220, 7, 6, 6}, false},
    {1004, ControlClass::kComboBox, "", {120, 111, 48, 30}, false},
    {1005, ControlClass::kEdit, "", {220, 7, 6, 12}, false},
    {1006, ControlClass::kEdit, "", {220, 7, 6, 12}, false},
    {1007, ControlClass::kComboBox, "", {119, 111, 48, 30}, false},
    {1008, ControlClass::kEdit, "", {220, 7, 6, 12}, false},
    {1009, ControlClass::kEdit, "", {220, 7, 6, 12}, false},
    {1010, ControlClass::kEdit, "", {9, 54, 215, 12}, true},
    {1011, ControlClass::kEdit, "", {9, 67, 215, 12}, true},
    {1012, ControlClass::kPushButton, "Open", {109, 107, 41, 16}, false},
    {1022, ControlClass::kPushButton, "Save", {220, 7, 6, 6}, false},
    {1337, ControlClass::kStatic, "Firmware File Name :", {9, 45, 68, 8}, true},
    {kNoControlId, ControlClass::kStatic, "Serial Number\xEF\xBC\x9A", {32, 93, 53, 8}, false},
    {1023, ControlClass::kPushButton, "Open", {119, 107, 41, 16}, false},
    {1024, ControlClass::kPushButton, "Save", {220, 7, 6, 6}, false},
    {1025, ControlClass::kPushButton, "Parameter Page", {220, 15, 6, 6}, false},
    {1026, ControlClass::kPushButton, "Write", {151, 14, 20, 12}, false},
    {1027, ControlClass::kProgressBar, "", {9, 30, 215, 12}, true},
    {1029, ControlClass::kListBox, "", {89, 7, 25, 9}, false},
    {1036, ControlClass::kEdit, "", {220, 7, 6, 12}, false},
    {1037, ControlClass::kPushButton, "Check Firmware", {220, 15, 6, 6}, false},
    {kNoControlId, ControlClass::kGroupBox, " Status", {7, 7, 219, 38}, true},
    {1099, ControlClass::kRadioButton, "ATMEL", {189, 40, 37, 10}, false},
    {1100, ControlClass::kRadioButton, "MXIC", {190, 17, 33, 10}, true},
    {1101, ControlClass::kRadioButton, "SST", {189, 58, 28, 10}, false},
    {1336, ControlClass::kEdit, "", {9, 81, 217, 42}, true},
    {1338, ControlClass::kStatic, "Static", {11, 17, 127, 8}, true},
    {1103, ControlClass::kRadioButton, "PFlash", {189, 68, 37, 10}, false},
    {1339, ControlClass::kStatic, "", {33, 101, 62, 8}, false},
};

TEST(MainDialogLayout, HoldsEveryControlOfTheTemplateInOrder) {
  DialogLayout layout = MainDialogLayout();
  ASSERT_EQ(layout.controls.size(), std::size(kTemplate));
  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    const ControlLayout& control = layout.controls[i];
    const Expected& expected = kTemplate[i];
    SCOPED_TRACE(expected.text + std::string(" ") + std::to_string(expected.id));
    EXPECT_EQ(control.id, expected.id);
    EXPECT_EQ(control.controlClass, expected.controlClass);
    EXPECT_EQ(control.text, expected.text);
    EXPECT_EQ(control.rect, expected.rect);
    EXPECT_EQ(control.visible, expected.visible);
    // Only the MXIC radio starts disabled; no radio starts checked.
    EXPECT_EQ(control.enabled, expected.id != ctrl::kRadioMxic);
    EXPECT_FALSE(control.checked);
    // Every control lies inside the dialog; a combo box's height includes its dropped list.
    EXPECT_LE(control.rect.x + control.rect.width, layout.width);
    if (control.controlClass != ControlClass::kComboBox) {
      EXPECT_LE(control.rect.y + control.rect.height, layout.height);
    }
  }
}

TEST(MainDialogLayout, TheDialogItself) {
  DialogLayout layout = MainDialogLayout();
  EXPECT_EQ(layout.templateId, 102);
  EXPECT_EQ(layout.caption, "Tavolin Nuvex Firmware Upgrade Tool");
  EXPECT_EQ(layout.width, 233);
  EXPECT_EQ(layout.height, 130);
  EXPECT_EQ(layout.fontName, "MS Shell Dlg");
  EXPECT_EQ(layout.fontPoints, 8);
  // No system menu: the window has no close box.
  EXPECT_EQ(layout.windowStyle & dialog_style::kSystemMenu, 0u);
  EXPECT_NE(layout.windowStyle & dialog_style::kModalFrame, 0u);
  EXPECT_NE(layout.windowStyle & dialog_style::kAppWindow, 0u);
}

TEST(MainDialogLayout, StylesThatTheBehaviourDependsOn) {
  DialogLayout layout = MainDialogLayout();
  struct Case {
    int id;
    std::uint32_t has;
    std::uint32_t lacks;
  } cases[] = {
      // The device list is sorted, reports selection changes and lets only the program select.
      {ctrl::kDeviceList, style::kSorted | style::kNotify | style::kNoSelect, 0},
      // Read-only edits ask for their colours as static controls.
      {ctrl::kResultBox, style::kReadOnly | style::kCenter, style::kMultiLine},
      {ctrl::kFirmwareNameEdit, style::kReadOnly | style::kLeft, style::kTabStop},
      {ctrl::kParameterNameEdit, style::kReadOnly | style::kLeft, style::kTabStop},
      {ctrl::kEdit1005, style::kCenter | style::kTabStop, style::kReadOnly},
      {ctrl::kEdit1006, style::kCenter | style::kReadOnly, 0},
      {ctrl::kInfoEdit, style::kMultiLine | style::kReadOnly, 0},
      {ctrl::kBankCombo1, style::kDropDown | style::kVScroll, style::kSorted},
      {ctrl::kEnumerateButton, style::kDefaultButton, 0},
      {ctrl::kProgressBar, style::kSmooth | style::kBorder, 0},
      {ctrl::kRadioMxic, 0, style::kGroup | style::kTabStop},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const ControlLayout* control = layout.Find(c.id);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->Has(c.has));
    EXPECT_EQ(control->style & c.lacks, 0u);
  }
}

TEST(MainDialogLayout, BothComboBoxesStartWithTheBankItems) {
  DialogLayout layout = MainDialogLayout();
  for (int id : {ctrl::kBankCombo1, ctrl::kBankCombo2}) {
    EXPECT_THAT(layout.Find(id)->items, ElementsAre(" Bank 0", " Bank 1", " Bank 2", " Sensor"));
  }
}

TEST(MainDialogLayout, IdentifiersAreUniqueAndFound) {
  DialogLayout layout = MainDialogLayout();
  std::set<int> seen;
  for (const ControlLayout& control : layout.controls) {
    if (control.id != kNoControlId) {
      EXPECT_TRUE(seen.insert(control.id).second) << control.id;
      EXPECT_EQ(layout.Find(control.id), &control);
    }
  }
  EXPECT_EQ(layout.Find(kNoControlId), nullptr);
}

TEST(MainDialogLayout, StatusTextsOfTheStatusLine) {
  // The system's own texts, blanks included: the production line's scripts and operators read
  // them.
  const std::pair<std::string_view, std::string_view> texts[] = {
      {kStatusDeviceReady, "   USB Device Ready !!!"},
      {kStatusDeviceFailure, "   USB Device Initialize Failure !!!"},
      {kStatusFileNotFound, "   File not Found !!!"},
      {kStatusOpenFileError, "   Open File Error !!!"},
      {kStatusInsufficientResource,
       "   There is insufficient resource to execute this program !!!"},
      {kStatusDoNotRemove, "Please do not remove the device..."},
      {kResultPass, "PASS"},
      {kResultFail, "FAIL"},
      {kProductCaption, "Tavolin Nuvex Firmware Upgrade Tool"},
  };
  for (const auto& [text, expected] : texts) {
    EXPECT_EQ(text, expected);
  }
}

}  // namespace
}  // namespace korvane
