#include "platform/console/terminal_frame.h"

#include <algorithm>
#include <numeric>

#include "platform/console/big_letters.h"
#include "platform/console/terminal_text.h"

namespace korvane {
namespace {

constexpr std::string_view kBarDone = "\xE2\x96\x88";  // U+2588 FULL BLOCK
constexpr std::string_view kBarToDo = "\xE2\x96\x91";  // U+2591 LIGHT SHADE
constexpr std::string_view kRule = "\xE2\x94\x80";     // U+2500 BOX DRAWINGS LIGHT HORIZONTAL

std::string Repeat(std::string_view piece, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    out += piece;
  }
  return out;
}

std::string Centred(const std::string& text, std::size_t width) {
  if (text.empty()) {
    return text;
  }
  std::size_t used = DisplayWidth(text);
  if (used >= width) {
    return FitToWidth(text, width);
  }
  return std::string((width - used) / 2, ' ') + text;
}

std::string Styled(const std::string& text, std::optional<Rgb> colour, bool enabled) {
  std::string prefix;
  if (colour) {
    prefix += AnsiForeground(*colour);
  }
  if (!enabled) {
    prefix += kAnsiDim;
  }
  return prefix.empty() ? text : prefix + text + std::string(kAnsiReset);
}

std::string CaptionLine(const std::string& caption, std::size_t width) {
  std::string text = FitToWidth(" " + Printable(caption), width);
  text += std::string(width - DisplayWidth(text), ' ');
  return std::string(kAnsiBold) + std::string(kAnsiInverse) + text + std::string(kAnsiReset);
}

std::string GroupLine(const std::string& text, std::size_t width) {
  std::string head = std::string(kRule) + FitToWidth(Printable(text) + " ", width - 1);
  return head + Repeat(kRule, width - DisplayWidth(head));
}

// The text of one line for a control other than the large one.
std::string ControlText(const ControlLayout& layout, const ControlState& state, std::size_t width) {
  std::string text = Printable(state.text);
  switch (layout.controlClass) {
    case ControlClass::kGroupBox:
      return GroupLine(text, width);
    case ControlClass::kRadioButton:
      return FitToWidth((state.checked ? "(*) " : "( ) ") + text, width);
    case ControlClass::kPushButton:
      return FitToWidth("[ " + text + " ]", width);
    case ControlClass::kProgressBar:
      return ProgressBarText(state, width);
    case ControlClass::kListBox: {
      bool selected =
          state.selection >= 0 && static_cast<std::size_t>(state.selection) < state.items.size();
      return FitToWidth(selected ? Printable(state.items[static_cast<std::size_t>(state.selection)])
                                 : std::string(),
                        width);
    }
    case ControlClass::kEdit:
      if (layout.Has(style::kCenter)) {
        return Centred(text, width);
      }
      return FitToWidth(text, width);
    case ControlClass::kStatic:
    case ControlClass::kComboBox:
      return FitToWidth(text, width);
  }
  return FitToWidth(text, width);
}

// The large control always takes the rows of its letters, so the frame keeps its height.
std::vector<std::string> LargeText(const ControlState& state, std::size_t width) {
  std::string text = Printable(state.text);
  if (auto letters = BigLetters(text); letters && DisplayWidth(letters->front()) <= width) {
    std::vector<std::string> rows;
    for (const std::string& row : *letters) {
      rows.push_back(Centred(row, width));
    }
    return rows;
  }
  std::vector<std::string> rows(kBigLetterRows);
  rows[kBigLetterRows / 2] = Centred(text, width);
  return rows;
}

}  // namespace

std::vector<std::size_t> DrawingOrder(const DialogLayout& layout,
                                      const std::vector<ControlState>& controls) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].visible) {
      order.push_back(i);
    }
  }
  std::stable_sort(order.begin(), order.end(), [&layout](std::size_t a, std::size_t b) {
    const DialogRect& ra = layout.controls[a].rect;
    const DialogRect& rb = layout.controls[b].rect;
    return std::pair(ra.y, ra.x) < std::pair(rb.y, rb.x);
  });
  return order;
}

std::vector<std::string> RenderFrame(const WindowState& window, const TextColourQuery& colourOf,
                                     const FrameOptions& options) {
  const DialogLayout& layout = window.Layout();
  const auto& controls = window.Controls();
  std::vector<std::string> lines{CaptionLine(window.Caption(), options.width)};
  for (std::size_t index : DrawingOrder(layout, controls)) {
    const ControlLayout& control = layout.controls[index];
    const ControlState& state = controls[index];
    std::optional<Rgb> colour = colourOf ? colourOf(control, state) : std::nullopt;
    if (control.id != kNoControlId && control.id == options.largeTextControl) {
      for (const std::string& row : LargeText(state, options.width)) {
        lines.push_back(row.empty() ? row : Styled(row, colour, state.enabled));
      }
      continue;
    }
    std::string text = ControlText(control, state, options.width);
    lines.push_back(text.empty() ? text : Styled(text, colour, state.enabled));
  }
  return lines;
}

int ProgressPercent(const ControlState& bar) {
  long long span = static_cast<long long>(bar.rangeHigh) - bar.rangeLow;
  if (span <= 0) {
    return 0;
  }
  long long done =
      std::clamp<long long>(static_cast<long long>(bar.position) - bar.rangeLow, 0, span);
  return static_cast<int>(done * 100 / span);
}

std::string ProgressBarText(const ControlState& bar, std::size_t width) {
  int percent = ProgressPercent(bar);
  std::string label = " " + std::to_string(percent) + " %";
  label = std::string(6 - std::min<std::size_t>(label.size(), 6), ' ') + label;  // " 100 %"
  if (width < label.size() + 3) {
    return FitToWidth(label, width);
  }
  std::size_t cells = width - label.size() - 2;
  std::size_t done = cells * static_cast<std::size_t>(percent) / 100;
  return "[" + Repeat(kBarDone, done) + Repeat(kBarToDo, cells - done) + "]" + label;
}

}  // namespace korvane
