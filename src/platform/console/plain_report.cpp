#include "platform/console/plain_report.h"

#include "platform/console/terminal_frame.h"
#include "platform/console/terminal_text.h"

namespace korvane {
namespace {

// Texts worth a line: the status line, labels, file names, the result. Buttons, radios and
// frames are furniture.
bool Reported(ControlClass controlClass) {
  return controlClass == ControlClass::kStatic || controlClass == ControlClass::kEdit;
}

}  // namespace

void PlainReport::Reset() {
  m_caption.reset();
  m_texts.clear();
  m_tenths.clear();
}

std::vector<std::string> PlainReport::Changes(const WindowState& window) {
  const DialogLayout& layout = window.Layout();
  const auto& controls = window.Controls();
  m_texts.resize(controls.size());
  m_tenths.resize(controls.size(), 0);
  std::vector<std::string> lines;
  if (m_caption != window.Caption()) {
    m_caption = window.Caption();
    lines.push_back(Printable(*m_caption));
  }
  for (std::size_t index : DrawingOrder(layout, controls)) {
    const ControlState& state = controls[index];
    if (state.controlClass == ControlClass::kProgressBar) {
      int tenths = ProgressPercent(state) / 10;
      if (tenths > m_tenths[index]) {
        lines.push_back("Progress " + std::to_string(tenths * 10) + " %");
      }
      m_tenths[index] = tenths;  // a bar that starts again reports again
      continue;
    }
    if (!Reported(state.controlClass) || m_texts[index] == state.text) {
      continue;
    }
    m_texts[index] = state.text;
    if (!state.text.empty()) {
      lines.push_back(Printable(state.text));
    }
  }
  return lines;
}

}  // namespace korvane
