#pragma once
// Runs a piece of logic as a handler inside a modal run of a window, as the station's handlers
// run, so that the logic's one-message pump meets an open window with a live queue.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "platform/dialog_window.h"
#include "platform/window_messages.h"

namespace korvane::testing {

// A message no other handler uses: it starts the action.
inline constexpr std::uint32_t kRunActionMessage = 0x0B01;

class ActionDialog final : public DialogHandler {
 public:
  ActionDialog(DialogWindow& window, std::function<void()> action)
      : m_window(window), m_action(std::move(action)) {}

  // Runs once the action is posted (file names, radio checks...); what it posts comes after the
  // action, so that the action's pump meets it.
  std::function<void()> onInit;
  // Handlers of messages dispatched while the action runs, by message number.
  std::map<std::uint32_t, std::function<void()>> handlers;

  bool OnInitDialog() override {
    m_window.PostToWindow(kRunActionMessage, 0, 0);
    if (onInit) {
      onInit();
    }
    return true;
  }

  std::intptr_t OnMessage(std::uint32_t message, std::uintptr_t, std::intptr_t) override {
    if (message == kRunActionMessage) {
      m_action();
      // As the auto-run timer does once the write procedure has returned.
      m_window.EndDialog(msg::kIdCancel);
    } else if (auto handler = handlers.find(message); handler != handlers.end()) {
      handler->second();
    } else if (message == msg::kClose) {
      m_window.EndDialog(msg::kIdCancel);
    }
    return 0;
  }

  std::optional<Rgb> OnCtlColor(int, int) override { return std::nullopt; }

 private:
  DialogWindow& m_window;
  std::function<void()> m_action;
};

}  // namespace korvane::testing
