#pragma once
// What the terminal window draws: its caption and visible controls as lines of text, from top
// to bottom, with the colours the dialog gives.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog_layout.h"
#include "platform/dialog_window.h"
#include "platform/memory/window_state.h"

namespace korvane {

struct FrameOptions {
  std::size_t width = 64;               // columns of every line
  int largeTextControl = kNoControlId;  // drawn in large letters
};

// The dialog's text colour for a control (its OnCtlColor), nullopt for the default.
using TextColourQuery =
    std::function<std::optional<Rgb>(const ControlLayout&, const ControlState&)>;

std::vector<std::string> RenderFrame(const WindowState& window, const TextColourQuery& colourOf,
                                     const FrameOptions& options);

// The visible controls, top to bottom and left to right: indices into the layout.
std::vector<std::size_t> DrawingOrder(const DialogLayout& layout,
                                      const std::vector<ControlState>& controls);

// How far the bar is, 0 to 100; an empty range counts as 0.
int ProgressPercent(const ControlState& bar);
// "[#####-----]  50 %" in `width` columns.
std::string ProgressBarText(const ControlState& bar, std::size_t width);

}  // namespace korvane
