#include "platform/console/terminal_window.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/console/terminal_frame.h"
#include "platform/console/terminal_text.h"
#include "platform/window_messages.h"

namespace korvane {
namespace {

constexpr std::string_view kHideCursor = "\x1b[?25l";
constexpr std::string_view kShowCursor = "\x1b[?25h";
constexpr std::string_view kEraseLine = "\x1b[2K";
constexpr std::string_view kEraseBelow = "\x1b[J";

std::string CursorUp(std::size_t lines) {
  return "\x1b[" + std::to_string(lines) + "A";
}
std::string CursorDown(std::size_t lines) {
  return "\x1b[" + std::to_string(lines) + "B";
}

std::size_t FrameWidth(std::size_t columns) {
  // One column spare, so that a full line never wraps.
  return std::clamp<std::size_t>(columns > 0 ? columns - 1 : 0, 20, 72);
}

}  // namespace

TerminalWindow::TerminalWindow(Clock& clock, const DialogLayout& layout, std::ostream& out,
                               std::istream& in, TerminalOptions options)
    : m_state(layout),
      m_queue(clock, options.timeMode),
      m_out(out),
      m_in(in),
      m_options(std::move(options)) {
  if (m_options.catchCloseSignals) {
    m_signals = std::make_unique<CloseSignals>(*this);
    m_queue.SetPollHook([this] { m_signals->Poll(); });
  }
}

TerminalWindow::~TerminalWindow() {
  RestoreCursor();
}

void TerminalWindow::PostToWindow(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
  m_queue.Post({message, wParam, lParam});
}

int TerminalWindow::DoModal(DialogHandler& dialog) {
  // Posts made before the window exists stay queued for it (a close request caught early).
  m_state.Create();
  m_plain.Reset();
  m_drawn.clear();
  m_dirty = true;
  m_dialog = &dialog;
  dialog.OnInitDialog();
  m_shown = true;
  while (!m_queue.Ended()) {
    Flush();
    if (auto message = m_queue.Next()) {
      Dispatch(*message);
    } else if (!m_queue.Ended()) {
      m_queue.WaitForPost();
    }
  }
  Flush();
  RestoreCursor();
  int result = m_queue.Result();
  m_shown = false;
  Dispatch({msg::kDestroy, 0, 0});
  m_queue.Reset();
  m_dialog = nullptr;
  return result;
}

void TerminalWindow::Dispatch(const WindowMessage& message) {
  if (m_dialog != nullptr) {
    m_dialog->OnMessage(message.message, message.wParam, message.lParam);
  }
}

void TerminalWindow::EndDialog(int result) {
  m_queue.EndDialog(result);
}

void TerminalWindow::SetControlText(int controlId, std::string_view text) {
  m_state.SetControlText(controlId, text);
  m_dirty = true;
}

std::string TerminalWindow::GetControlText(int controlId) {
  return m_state.GetControlText(controlId);
}

void TerminalWindow::EnableControl(int controlId, bool enabled) {
  m_state.EnableControl(controlId, enabled);
  m_dirty = true;
}

void TerminalWindow::ShowControl(int controlId, bool visible) {
  m_state.ShowControl(controlId, visible);
  m_dirty = true;
}

void TerminalWindow::SetCheck(int controlId, bool checked) {
  m_state.SetCheck(controlId, checked);
  m_dirty = true;
}

bool TerminalWindow::IsChecked(int controlId) {
  return m_state.IsChecked(controlId);
}

void TerminalWindow::SetCaption(std::string_view caption) {
  m_state.SetCaption(caption);
  m_dirty = true;
}

// A terminal has no window icon to set.
void TerminalWindow::SetWindowIcon(IconSize) {}

int TerminalWindow::ListAddString(int controlId, std::string_view text) {
  m_dirty = true;
  return m_state.ListAddString(controlId, text);
}

int TerminalWindow::ListSetCurSel(int controlId, int index) {
  m_dirty = true;
  return m_state.ListSetCurSel(controlId, index);
}

int TerminalWindow::ListGetCurSel(int controlId) {
  return m_state.ListGetCurSel(controlId);
}

int TerminalWindow::ListGetCount(int controlId) {
  return m_state.ListGetCount(controlId);
}

int TerminalWindow::ListDeleteString(int controlId, int index) {
  m_dirty = true;
  return m_state.ListDeleteString(controlId, index);
}

int TerminalWindow::ComboAddString(int controlId, std::string_view text) {
  return m_state.ComboAddString(controlId, text);
}

int TerminalWindow::ComboSetCurSel(int controlId, int index) {
  m_dirty = true;
  return m_state.ComboSetCurSel(controlId, index);
}

template <typename Change>
void TerminalWindow::ChangeProgress(int controlId, Change change) {
  const ControlState* bar = m_state.Control(controlId);
  std::optional<int> before;
  if (bar != nullptr) {
    before = ProgressPercent(*bar);
  }
  change();
  // The bar shows whole percents: only a new percent is worth a redraw.
  if (bar == nullptr || ProgressPercent(*bar) != before) {
    m_dirty = true;
  }
}

void TerminalWindow::ProgressSetRange(int controlId, int low, int high) {
  ChangeProgress(controlId, [&] { m_state.ProgressSetRange(controlId, low, high); });
}

void TerminalWindow::ProgressSetPos(int controlId, int position) {
  ChangeProgress(controlId, [&] { m_state.ProgressSetPos(controlId, position); });
}

void TerminalWindow::ShowMessage(std::string_view text) {
  Flush();
  ClearFrame();
  std::string title = Printable(m_options.appName) + ":";
  if (m_options.outputIsTerminal) {
    title = std::string(kAnsiBold) + title + std::string(kAnsiReset);
  }
  m_out << title << ' ' << Printable(text) << '\n';
  if (m_options.inputIsTerminal) {
    m_out << "(press Enter)" << std::flush;
    WaitForEnter();
    m_out << '\n';
  }
  m_out.flush();
  m_dirty = true;
}

void TerminalWindow::WaitForEnter() {
  std::string line;
  // A signal or the end of the input also dismisses the box; the close request it carries is
  // handled by the loop afterwards.
  if (!std::getline(m_in, line)) {
    m_in.clear();
  }
}

FontHandle TerminalWindow::MakeFont(const FontSpec& spec) {
  return m_state.MakeFont(spec);
}

void TerminalWindow::DeleteFontHandle(FontHandle font) {
  m_state.DeleteFontHandle(font);
}

void TerminalWindow::SetControlFont(int controlId, FontHandle font, bool) {
  m_state.SetControlFont(controlId, font);
}

void TerminalWindow::SetTimer(std::uint32_t timerId, std::uint32_t milliseconds) {
  m_queue.SetTimer(timerId, milliseconds);
}

void TerminalWindow::KillTimer(std::uint32_t timerId) {
  m_queue.KillTimer(timerId);
}

bool TerminalWindow::PumpOneMessage() {
  Flush();
  auto message = m_queue.Peek();
  if (!message) {
    return false;
  }
  Dispatch(*message);
  return true;
}

std::intptr_t TerminalWindow::SendToWindow(std::uint32_t message, std::uintptr_t wParam,
                                           std::intptr_t lParam) {
  return m_dialog == nullptr ? 0 : m_dialog->OnMessage(message, wParam, lParam);
}

std::optional<Rgb> TerminalWindow::ColourOf(const ControlLayout& control,
                                            const ControlState& state) {
  auto ctlType = CtlColorTypeOf(control, state.enabled);
  if (!ctlType || m_dialog == nullptr) {
    return std::nullopt;
  }
  return m_dialog->OnCtlColor(control.id, *ctlType);
}

void TerminalWindow::Flush() {
  if (!m_shown || !m_dirty) {
    return;
  }
  m_dirty = false;
  if (m_options.outputIsTerminal) {
    DrawFrame();
  } else {
    for (const std::string& line : m_plain.Changes(m_state)) {
      m_out << line << '\n';
    }
  }
  m_out.flush();
}

void TerminalWindow::DrawFrame() {
  FrameOptions frame{FrameWidth(m_options.columns), m_options.largeTextControl};
  std::vector<std::string> lines = RenderFrame(
      m_state, [this](const ControlLayout& c, const ControlState& s) { return ColourOf(c, s); },
      frame);
  if (lines == m_drawn) {
    return;
  }
  if (!m_cursorHidden) {
    m_out << kHideCursor;
    m_cursorHidden = true;
  }
  // The cursor rests on the line below the frame; only the lines that changed are rewritten.
  std::size_t row = m_drawn.size();
  auto moveTo = [this, &row](std::size_t target) {
    if (row > target) {
      m_out << CursorUp(row - target);
    } else if (target > row) {
      m_out << CursorDown(target - row);
    }
    m_out << '\r';
    row = target;
  };
  std::size_t common = std::min(lines.size(), m_drawn.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (lines[i] != m_drawn[i]) {
      moveTo(i);
      m_out << kEraseLine << lines[i];
    }
  }
  if (lines.size() != m_drawn.size()) {
    moveTo(common);
    for (std::size_t i = common; i < lines.size(); ++i) {
      m_out << kEraseLine << lines[i] << '\n';
    }
    row = lines.size();
    m_out << kEraseBelow;
  }
  moveTo(lines.size());
  m_drawn = std::move(lines);
}

void TerminalWindow::ClearFrame() {
  if (!m_options.outputIsTerminal || m_drawn.empty()) {
    return;
  }
  m_out << CursorUp(m_drawn.size()) << '\r' << kEraseBelow;
  m_drawn.clear();
}

void TerminalWindow::RestoreCursor() {
  if (m_cursorHidden) {
    m_out << kShowCursor << std::flush;
    m_cursorHidden = false;
  }
}

}  // namespace korvane
