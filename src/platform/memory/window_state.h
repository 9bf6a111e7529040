#pragma once
// The controls of a dialog kept in memory, with the results Windows gives for each operation
// (sorted list boxes, selection rules, progress positions held inside their range). Calls that
// Windows would refuse or that name no control of the template are recorded as faults.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/dialog_layout.h"
#include "platform/dialog_window.h"

namespace korvane {

struct ControlState {
  ControlClass controlClass = ControlClass::kStatic;
  std::uint32_t style = 0;
  std::string text;
  bool enabled = true;
  bool visible = true;
  bool checked = false;
  std::vector<std::string> items;  // list and combo boxes
  int selection = -1;              // list and combo boxes; -1: none
  int rangeLow = 0;                // progress bars
  int rangeHigh = 100;
  int position = 0;
  FontHandle font = 0;  // 0: the dialog's font
};

class WindowState {
 public:
  explicit WindowState(DialogLayout layout);

  const DialogLayout& Layout() const { return m_layout; }
  // Every control in its template state, the template's caption, no font made yet. Faults stay.
  void Create();

  void SetControlText(int controlId, std::string_view text);
  std::string GetControlText(int controlId);
  void EnableControl(int controlId, bool enabled);
  void ShowControl(int controlId, bool visible);
  void SetCheck(int controlId, bool checked);
  bool IsChecked(int controlId);
  void SetCaption(std::string_view caption) { m_caption = caption; }
  const std::string& Caption() const { return m_caption; }

  int ListAddString(int controlId, std::string_view text);
  int ListSetCurSel(int controlId, int index);
  int ListGetCurSel(int controlId);
  int ListGetCount(int controlId);
  int ListDeleteString(int controlId, int index);
  int ComboAddString(int controlId, std::string_view text);
  int ComboSetCurSel(int controlId, int index);

  void ProgressSetRange(int controlId, int low, int high);
  void ProgressSetPos(int controlId, int position);

  FontHandle MakeFont(const FontSpec& spec);
  void DeleteFontHandle(FontHandle font);
  void SetControlFont(int controlId, FontHandle font);
  // The font set on the control, while it exists; nullopt for the dialog's own font.
  std::optional<FontSpec> ControlFont(int controlId) const;

  // nullptr when the template has no control with this identifier.
  const ControlState* Control(int controlId) const;
  // Every control in template order, with its layout.
  const std::vector<ControlState>& Controls() const { return m_controls; }
  const std::vector<std::string>& Faults() const { return m_faults; }

 private:
  ControlState* Expect(int controlId, std::string_view operation,
                       std::initializer_list<ControlClass> classes);
  void Fault(std::string text) { m_faults.push_back(std::move(text)); }

  DialogLayout m_layout;
  std::vector<ControlState> m_controls;  // parallel to m_layout.controls
  std::string m_caption;
  std::map<FontHandle, FontSpec> m_fonts;
  FontHandle m_nextFont = 1;
  std::vector<std::string> m_faults;
};

}  // namespace korvane
