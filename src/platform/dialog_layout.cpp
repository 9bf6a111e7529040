#include "platform/dialog_layout.h"

#include <algorithm>
#include <utility>

namespace korvane {

const ControlLayout* DialogLayout::Find(int controlId) const {
  if (controlId == kNoControlId) {
    return nullptr;
  }
  auto found = std::find_if(controls.begin(), controls.end(),
                            [controlId](const ControlLayout& c) { return c.id == controlId; });
  return found == controls.end() ? nullptr : &*found;
}

std::optional<int> CtlColorTypeOf(const ControlLayout& control, bool enabled) {
  switch (control.controlClass) {
    case ControlClass::kPushButton:
      return ctl_color::kButton;
    // Radio buttons, group boxes and static texts paint on the dialog's background.
    case ControlClass::kRadioButton:
    case ControlClass::kGroupBox:
    case ControlClass::kStatic:
      return ctl_color::kStatic;
    case ControlClass::kEdit:
    case ControlClass::kComboBox:
      if (!enabled || control.Has(style::kReadOnly)) {
        return ctl_color::kStatic;
      }
      return ctl_color::kEdit;
    case ControlClass::kListBox:
      return ctl_color::kListBox;
    case ControlClass::kProgressBar:
      return std::nullopt;
  }
  return std::nullopt;
}

ControlLayout MakeControl(int id, ControlClass controlClass, std::string text, DialogRect rect,
                          std::uint32_t controlStyle, bool visible) {
  ControlLayout control;
  control.id = id;
  control.controlClass = controlClass;
  control.text = std::move(text);
  control.rect = rect;
  control.style = controlStyle;
  control.visible = visible;
  return control;
}

}  // namespace korvane
