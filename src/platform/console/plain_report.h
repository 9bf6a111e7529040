#pragma once
// What the terminal window writes when its output is not a terminal: one line per change of the
// caption and of each visible text, and progress in steps of 10 %.
#include <optional>
#include <string>
#include <vector>

#include "platform/memory/window_state.h"

namespace korvane {

class PlainReport {
 public:
  // The lines for what changed since the last call (the first call reports every visible text).
  std::vector<std::string> Changes(const WindowState& window);
  // Forget what was reported: the next call reports everything again (a new window).
  void Reset();

 private:
  std::optional<std::string> m_caption;
  std::vector<std::optional<std::string>> m_texts;  // per control of the layout
  std::vector<int> m_tenths;                        // per progress bar: last step reported
};

}  // namespace korvane
