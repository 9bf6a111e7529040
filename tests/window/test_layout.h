#pragma once
// A small dialog for the window tests: one control of each class, and a scripted dialog.
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/dialog_layout.h"
#include "platform/dialog_window.h"
#include "platform/window_messages.h"

namespace korvane::testing {

inline constexpr int kStatus = 10;
inline constexpr int kName = 11;    // read-only edit
inline constexpr int kInput = 12;   // editable edit
inline constexpr int kResult = 13;  // read-only, centred edit
inline constexpr int kButton = 20;
inline constexpr int kRadio = 21;
inline constexpr int kList = 30;  // sorted
inline constexpr int kPlainList = 31;
inline constexpr int kCombo = 32;
inline constexpr int kBar = 40;
inline constexpr int kHiddenStatic = 50;

inline DialogLayout TestLayout() {
  DialogLayout layout;
  layout.templateId = 1;
  layout.caption = "Test Station";
  layout.width = 200;
  layout.height = 120;
  layout.controls = {
      MakeControl(kNoControlId, ControlClass::kGroupBox, " Box", {5, 5, 190, 40}),
      MakeControl(kStatus, ControlClass::kStatic, "Static", {10, 15, 100, 8}, style::kLeft),
      MakeControl(kBar, ControlClass::kProgressBar, "", {10, 28, 180, 12}, style::kSmooth),
      MakeControl(kRadio, ControlClass::kRadioButton, "Choice", {150, 15, 30, 10}),
      MakeControl(kNoControlId, ControlClass::kStatic, "Label :", {10, 50, 60, 8}),
      MakeControl(kName, ControlClass::kEdit, "", {10, 60, 180, 12}, style::kReadOnly),
      MakeControl(kInput, ControlClass::kEdit, "", {10, 74, 180, 12}, 0, false),
      MakeControl(kResult, ControlClass::kEdit, "", {10, 88, 180, 30},
                  style::kReadOnly | style::kCenter),
      MakeControl(kButton, ControlClass::kPushButton, "Go", {150, 50, 30, 12}, 0, false),
      MakeControl(kList, ControlClass::kListBox, "", {1, 1, 20, 20}, style::kSorted, false),
      MakeControl(kPlainList, ControlClass::kListBox, "", {1, 1, 20, 20}, 0, false),
      MakeControl(kCombo, ControlClass::kComboBox, "", {1, 1, 20, 20}, style::kDropDown, false),
      MakeControl(kHiddenStatic, ControlClass::kStatic, "secret", {1, 100, 50, 8}, 0, false),
  };
  for (ControlLayout& control : layout.controls) {
    if (control.id == kCombo) {
      control.items = {" One", " Two"};
    }
  }
  return layout;
}

// A dialog whose handlers are set by the test. Unscripted messages: WM_CLOSE and IDCANCEL end
// the dialog with IDCANCEL, as the framework's defaults do; everything else is ignored.
class ScriptedDialog : public DialogHandler {
 public:
  explicit ScriptedDialog(DialogWindow& window) : m_window(window) {}

  std::function<void()> onInit;
  std::map<std::uint32_t, std::function<void(std::uintptr_t, std::intptr_t)>> handlers;
  std::function<std::optional<Rgb>(int, int)> onCtlColor;
  std::vector<std::uint32_t> received;
  bool endOnClose = true;

  bool OnInitDialog() override {
    if (onInit) {
      onInit();
    }
    return true;
  }

  std::intptr_t OnMessage(std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam) override {
    received.push_back(message);
    if (auto handler = handlers.find(message); handler != handlers.end()) {
      handler->second(wParam, lParam);
      return 0;
    }
    bool cancel = message == msg::kClose ||
                  (message == msg::kCommand && msg::CommandId(wParam) == msg::kIdCancel);
    if (cancel && endOnClose) {
      m_window.EndDialog(msg::kIdCancel);
    }
    return 0;
  }

  std::optional<Rgb> OnCtlColor(int controlId, int ctlType) override {
    return onCtlColor ? onCtlColor(controlId, ctlType) : std::nullopt;
  }

 private:
  DialogWindow& m_window;
};

}  // namespace korvane::testing
