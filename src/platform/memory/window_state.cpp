#include "platform/memory/window_state.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/window_messages.h"

namespace korvane {
namespace {

constexpr int kCbErr = -1;  // CB_ERR

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

bool InRange(const std::vector<std::string>& items, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < items.size();
}

}  // namespace

WindowState::WindowState(DialogLayout layout) : m_layout(std::move(layout)) {
  Create();
}

void WindowState::Create() {
  m_controls.clear();
  for (const ControlLayout& control : m_layout.controls) {
    ControlState state;
    state.controlClass = control.controlClass;
    state.style = control.style;
    // A combo box's text is its edit field, and a list's text is not shown.
    if (control.controlClass != ControlClass::kComboBox &&
        control.controlClass != ControlClass::kListBox) {
      state.text = control.text;
    }
    state.enabled = control.enabled;
    state.visible = control.visible;
    state.checked = control.checked;
    state.items = control.items;
    m_controls.push_back(std::move(state));
  }
  m_caption = m_layout.caption;
  m_fonts.clear();
}

ControlState* WindowState::Expect(int controlId, std::string_view operation,
                                  std::initializer_list<ControlClass> classes) {
  const ControlLayout* layout = m_layout.Find(controlId);
  if (layout == nullptr) {
    Fault(std::string(operation) + ": no control " + std::to_string(controlId));
    return nullptr;
  }
  auto& state = m_controls[static_cast<std::size_t>(layout - m_layout.controls.data())];
  if (classes.size() != 0 &&
      std::find(classes.begin(), classes.end(), state.controlClass) == classes.end()) {
    Fault(std::string(operation) + ": control " + std::to_string(controlId) +
          " is not of that class");
    return nullptr;
  }
  return &state;
}

const ControlState* WindowState::Control(int controlId) const {
  const ControlLayout* layout = m_layout.Find(controlId);
  if (layout == nullptr) {
    return nullptr;
  }
  return &m_controls[static_cast<std::size_t>(layout - m_layout.controls.data())];
}

void WindowState::SetControlText(int controlId, std::string_view text) {
  if (auto* control = Expect(controlId, "SetControlText", {})) {
    control->text = text;
  }
}

std::string WindowState::GetControlText(int controlId) {
  auto* control = Expect(controlId, "GetControlText", {});
  return control == nullptr ? std::string() : control->text;
}

void WindowState::EnableControl(int controlId, bool enabled) {
  if (auto* control = Expect(controlId, "EnableControl", {})) {
    control->enabled = enabled;
  }
}

void WindowState::ShowControl(int controlId, bool visible) {
  if (auto* control = Expect(controlId, "ShowControl", {})) {
    control->visible = visible;
  }
}

void WindowState::SetCheck(int controlId, bool checked) {
  if (auto* control = Expect(controlId, "SetCheck", {ControlClass::kRadioButton})) {
    control->checked = checked;
  }
}

bool WindowState::IsChecked(int controlId) {
  auto* control = Expect(controlId, "IsChecked", {ControlClass::kRadioButton});
  return control != nullptr && control->checked;
}

int WindowState::ListAddString(int controlId, std::string_view text) {
  auto* list = Expect(controlId, "ListAddString", {ControlClass::kListBox});
  if (list == nullptr) {
    return msg::kLbErr;
  }
  auto where = list->items.end();
  if ((list->style & style::kSorted) != 0) {
    where = std::upper_bound(
        list->items.begin(), list->items.end(), text,
        [](std::string_view a, const std::string& b) { return LessIgnoringCase(a, b); });
  }
  int index = static_cast<int>(where - list->items.begin());
  list->items.insert(where, std::string(text));
  if (list->selection >= index) {
    ++list->selection;
  }
  return index;
}

int WindowState::ListSetCurSel(int controlId, int index) {
  auto* list = Expect(controlId, "ListSetCurSel", {ControlClass::kListBox});
  if (list == nullptr) {
    return msg::kLbErr;
  }
  if (index == -1) {
    list->selection = -1;  // no selection; Windows reports LB_ERR although nothing failed
    return msg::kLbErr;
  }
  if (!InRange(list->items, index)) {
    return msg::kLbErr;
  }
  list->selection = index;
  return index;
}

int WindowState::ListGetCurSel(int controlId) {
  auto* list = Expect(controlId, "ListGetCurSel", {ControlClass::kListBox});
  return list == nullptr ? msg::kLbErr : list->selection;
}

int WindowState::ListGetCount(int controlId) {
  auto* list = Expect(controlId, "ListGetCount", {ControlClass::kListBox});
  return list == nullptr ? msg::kLbErr : static_cast<int>(list->items.size());
}

int WindowState::ListDeleteString(int controlId, int index) {
  auto* list = Expect(controlId, "ListDeleteString", {ControlClass::kListBox});
  if (list == nullptr || !InRange(list->items, index)) {
    return msg::kLbErr;
  }
  list->items.erase(list->items.begin() + index);
  if (list->selection == index) {
    list->selection = -1;
  } else if (list->selection > index) {
    --list->selection;
  }
  return static_cast<int>(list->items.size());
}

int WindowState::ComboAddString(int controlId, std::string_view text) {
  auto* combo = Expect(controlId, "ComboAddString", {ControlClass::kComboBox});
  if (combo == nullptr) {
    return kCbErr;
  }
  combo->items.emplace_back(text);
  return static_cast<int>(combo->items.size()) - 1;
}

int WindowState::ComboSetCurSel(int controlId, int index) {
  auto* combo = Expect(controlId, "ComboSetCurSel", {ControlClass::kComboBox});
  if (combo == nullptr) {
    return kCbErr;
  }
  // An index of -1 or past the end clears the selection and the edit field.
  if (!InRange(combo->items, index)) {
    combo->selection = -1;
    combo->text.clear();
    return kCbErr;
  }
  combo->selection = index;
  combo->text = combo->items[static_cast<std::size_t>(index)];
  return index;
}

void WindowState::ProgressSetRange(int controlId, int low, int high) {
  auto* bar = Expect(controlId, "ProgressSetRange", {ControlClass::kProgressBar});
  if (bar == nullptr) {
    return;
  }
  // PBM_SETRANGE carries each bound in 16 bits.
  if (low < 0 || high > 0xFFFF || low > high) {
    Fault("ProgressSetRange: range " + std::to_string(low) + " to " + std::to_string(high) +
          " does not fit the progress bar");
    return;
  }
  bar->rangeLow = low;
  bar->rangeHigh = high;
  bar->position = std::clamp(bar->position, low, high);
}

void WindowState::ProgressSetPos(int controlId, int position) {
  if (auto* bar = Expect(controlId, "ProgressSetPos", {ControlClass::kProgressBar})) {
    bar->position = std::clamp(position, bar->rangeLow, bar->rangeHigh);
  }
}

FontHandle WindowState::MakeFont(const FontSpec& spec) {
  FontHandle handle = m_nextFont++;
  m_fonts.emplace(handle, spec);
  return handle;
}

void WindowState::DeleteFontHandle(FontHandle font) {
  if (m_fonts.erase(font) == 0) {
    Fault("DeleteFontHandle: no font " + std::to_string(font));
  }
}

void WindowState::SetControlFont(int controlId, FontHandle font) {
  auto* control = Expect(controlId, "SetControlFont", {});
  if (control == nullptr) {
    return;
  }
  if (font != 0 && !m_fonts.contains(font)) {
    Fault("SetControlFont: no font " + std::to_string(font));
    return;
  }
  control->font = font;
}

std::optional<FontSpec> WindowState::ControlFont(int controlId) const {
  const ControlState* control = Control(controlId);
  if (control == nullptr || control->font == 0) {
    return std::nullopt;
  }
  auto found = m_fonts.find(control->font);
  if (found == m_fonts.end()) {
    return std::nullopt;
  }
  return found->second;
}

}  // namespace korvane
