#include "platform/memory/window_model.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "platform/window_messages.h"

namespace korvane {

WindowModel::WindowModel(Clock& clock, const DialogLayout& layout)
    : m_clock(clock), m_state(layout), m_queue(clock, TimeMode::kSimulated) {
  m_idleAction = [this] { RequestClose(); };
}

void WindowModel::PostToWindow(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  m_queue.Post({message, wParam, lParam});
}

int WindowModel::DoModal(DialogHandler& dialog) {
  if (m_failCreation) {
    return -1;
  }
  // Posts made before the window exists stay queued for it (a close request caught early).
  m_state.Create();
  m_dialog = &dialog;
  m_lastDialog = &dialog;
  m_startMs = m_clock.NowMs();
  m_idles = 0;
  Record({.op = WindowOp::kInitDialog});
  dialog.OnInitDialog();
  RunModalLoop();
  // The window goes: its timers and the messages still queued for it with it.
  int result = m_queue.Ended() ? m_queue.Result() : -1;
  Dispatch({msg::kDestroy, 0, 0});
  m_queue.Reset();
  m_dialog = nullptr;
  return result;
}

void WindowModel::RunModalLoop() {
  while (!m_queue.Ended()) {
    if (m_clock.NowMs() - m_startMs > m_timeLimitMs) {
      Fault("the dialog was still open after " + std::to_string(m_timeLimitMs) +
            " ms of simulated time");
      return;
    }
    if (auto message = m_queue.Next()) {
      Dispatch(*message);
    } else if (!m_queue.Ended() && !HandleIdle()) {
      return;
    }
  }
}

bool WindowModel::HandleIdle() {
  if (++m_idles > kMaxIdles) {
    Fault("the dialog did not end after " + std::to_string(kMaxIdles) +
          " times of waiting for the operator");
    return false;
  }
  Record({.op = WindowOp::kIdle});
  if (m_idleAction) {
    m_idleAction();
  }
  return true;
}

void WindowModel::Dispatch(const WindowMessage& message) {
  Record({.op = WindowOp::kDispatch,
          .message = message.message,
          .wParam = message.wParam,
          .lParam = message.lParam});
  m_dialog->OnMessage(message.message, message.wParam, message.lParam);
}

void WindowModel::EndDialog(int result) {
  Record({.op = WindowOp::kEndDialog, .value = result});
  m_queue.EndDialog(result);
}

void WindowModel::SetControlText(int controlId, std::string_view text) {
  Record({.op = WindowOp::kSetText, .id = controlId, .text = std::string(text)});
  m_state.SetControlText(controlId, text);
}

std::string WindowModel::GetControlText(int controlId) {
  return m_state.GetControlText(controlId);
}

void WindowModel::EnableControl(int controlId, bool enabled) {
  Record({.op = WindowOp::kEnable, .id = controlId, .value = enabled ? 1 : 0});
  m_state.EnableControl(controlId, enabled);
}

void WindowModel::ShowControl(int controlId, bool visible) {
  Record({.op = WindowOp::kShow, .id = controlId, .value = visible ? 1 : 0});
  m_state.ShowControl(controlId, visible);
}

void WindowModel::SetCheck(int controlId, bool checked) {
  Record({.op = WindowOp::kSetCheck, .id = controlId, .value = checked ? 1 : 0});
  m_state.SetCheck(controlId, checked);
}

bool WindowModel::IsChecked(int controlId) {
  return m_state.IsChecked(controlId);
}

void WindowModel::SetCaption(std::string_view caption) {
  Record({.op = WindowOp::kSetCaption, .text = std::string(caption)});
  m_state.SetCaption(caption);
}

void WindowModel::SetWindowIcon(IconSize size) {
  Record({.op = WindowOp::kSetIcon, .value = static_cast<int>(size)});
  m_icons.push_back(size);
}

int WindowModel::ListAddString(int controlId, std::string_view text) {
  Record({.op = WindowOp::kListAdd, .id = controlId, .text = std::string(text)});
  return m_state.ListAddString(controlId, text);
}

int WindowModel::ListSetCurSel(int controlId, int index) {
  Record({.op = WindowOp::kListSetCurSel, .id = controlId, .value = index});
  return m_state.ListSetCurSel(controlId, index);
}

int WindowModel::ListGetCurSel(int controlId) {
  return m_state.ListGetCurSel(controlId);
}

int WindowModel::ListGetCount(int controlId) {
  return m_state.ListGetCount(controlId);
}

int WindowModel::ListDeleteString(int controlId, int index) {
  Record({.op = WindowOp::kListDelete, .id = controlId, .value = index});
  return m_state.ListDeleteString(controlId, index);
}

int WindowModel::ComboAddString(int controlId, std::string_view text) {
  Record({.op = WindowOp::kComboAdd, .id = controlId, .text = std::string(text)});
  return m_state.ComboAddString(controlId, text);
}

int WindowModel::ComboSetCurSel(int controlId, int index) {
  Record({.op = WindowOp::kComboSetCurSel, .id = controlId, .value = index});
  return m_state.ComboSetCurSel(controlId, index);
}

void WindowModel::ProgressSetRange(int controlId, int low, int high) {
  Record({.op = WindowOp::kProgressRange, .id = controlId, .value = low, .value2 = high});
  m_state.ProgressSetRange(controlId, low, high);
}

void WindowModel::ProgressSetPos(int controlId, int position) {
  Record({.op = WindowOp::kProgressPos, .id = controlId, .value = position});
  m_state.ProgressSetPos(controlId, position);
}

void WindowModel::ShowMessage(std::string_view text) {
  Record({.op = WindowOp::kMessageBox, .text = std::string(text)});
  m_messages.push_back({std::string(text), m_clock.NowMs()});
  if (m_messageBoxCallback) {
    m_messageBoxCallback(text);
  }
}

FontHandle WindowModel::MakeFont(const FontSpec& spec) {
  FontHandle font = m_failFonts ? 0 : m_state.MakeFont(spec);
  Record({.op = WindowOp::kMakeFont, .id = static_cast<int>(font), .text = spec.faceName});
  return font;
}

void WindowModel::DeleteFontHandle(FontHandle font) {
  Record({.op = WindowOp::kDeleteFont, .id = static_cast<int>(font)});
  m_state.DeleteFontHandle(font);
}

void WindowModel::SetControlFont(int controlId, FontHandle font, bool redraw) {
  Record({.op = WindowOp::kSetFont,
          .id = controlId,
          .value = static_cast<std::int64_t>(font),
          .value2 = redraw ? 1 : 0});
  m_state.SetControlFont(controlId, font);
}

void WindowModel::SetTimer(std::uint32_t timerId, std::uint32_t milliseconds) {
  Record({.op = WindowOp::kSetTimer, .id = static_cast<int>(timerId), .value = milliseconds});
  m_queue.SetTimer(timerId, milliseconds);
}

void WindowModel::KillTimer(std::uint32_t timerId) {
  Record({.op = WindowOp::kKillTimer, .id = static_cast<int>(timerId)});
  m_queue.KillTimer(timerId);
}

bool WindowModel::PumpOneMessage() {
  if (m_dialog == nullptr) {
    Fault("PumpOneMessage without an open window");
    return false;
  }
  auto message = m_queue.Peek();
  if (!message) {
    return false;
  }
  Dispatch(*message);
  return true;
}

std::intptr_t WindowModel::SendToWindow(std::uint32_t message, std::uintptr_t wParam,
                                        std::intptr_t lParam) {
  if (m_dialog == nullptr) {
    Fault("SendToWindow without an open window");
    return 0;
  }
  Record({.op = WindowOp::kSend, .message = message, .wParam = wParam, .lParam = lParam});
  return m_dialog->OnMessage(message, wParam, lParam);
}

void WindowModel::RequestClose() {
  PostToWindow(msg::kClose, 0, 0);
}

void WindowModel::PressEscape() {
  Notify(msg::kIdCancel, msg::kBnClicked);
}

void WindowModel::Click(int controlId) {
  Notify(controlId, msg::kBnClicked);
}

void WindowModel::Notify(int controlId, std::uint16_t code) {
  PostToWindow(msg::kCommand, msg::CommandWParam(controlId, code), 0);
}

void WindowModel::At(std::uint64_t timeMs, std::function<void()> action) {
  m_queue.At(timeMs, std::move(action));
}

const ControlState& WindowModel::Control(int controlId) const {
  const ControlState* control = m_state.Control(controlId);
  if (control == nullptr) {
    // A test that reads a control the template does not have is itself wrong.
    throw std::out_of_range("no control " + std::to_string(controlId));
  }
  return *control;
}

std::vector<WindowCall> WindowModel::Calls(WindowOp op) const {
  std::vector<WindowCall> calls;
  std::copy_if(m_log.begin(), m_log.end(), std::back_inserter(calls),
               [op](const WindowCall& call) { return call.op == op; });
  return calls;
}

std::vector<int> WindowModel::ControlIds(WindowOp op, std::optional<std::int64_t> value) const {
  std::vector<int> ids;
  for (const WindowCall& call : m_log) {
    if (call.op == op && (!value || call.value == *value)) {
      ids.push_back(call.id);
    }
  }
  return ids;
}

std::vector<std::string> WindowModel::Faults() const {
  std::vector<std::string> faults = m_state.Faults();
  faults.insert(faults.end(), m_modelFaults.begin(), m_modelFaults.end());
  return faults;
}

std::optional<Rgb> WindowModel::TextColor(int controlId) {
  const ControlLayout* layout = m_state.Layout().Find(controlId);
  if (layout == nullptr || m_lastDialog == nullptr) {
    return std::nullopt;
  }
  auto ctlType = CtlColorTypeOf(*layout, Control(controlId).enabled);
  if (!ctlType) {
    return std::nullopt;
  }
  return m_lastDialog->OnCtlColor(controlId, *ctlType);
}

void WindowModel::Record(WindowCall call) {
  call.timeMs = m_clock.NowMs();
  m_log.push_back(std::move(call));
}

}  // namespace korvane
