#include "platform/message_queue.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <utility>

#include "platform/window_messages.h"

namespace korvane {

MessageQueue::MessageQueue(Clock& clock, TimeMode mode) : m_clock(clock), m_mode(mode) {}

void MessageQueue::Post(const WindowMessage& message) {
  {
    std::lock_guard lock(m_mutex);
    m_posted.push_back(message);
  }
  m_postArrived.notify_all();
}

void MessageQueue::SetTimer(std::uint32_t timerId, std::uint32_t milliseconds) {
  m_timers[timerId] = Timer{milliseconds, m_clock.NowMs() + milliseconds};
}

void MessageQueue::KillTimer(std::uint32_t timerId) {
  m_timers.erase(timerId);
}

void MessageQueue::At(std::uint64_t timeMs, std::function<void()> action) {
  m_actions.push_back(Action{timeMs, m_nextActionOrder++, std::move(action)});
}

void MessageQueue::SetPollHook(std::function<void()> hook) {
  m_pollHook = std::move(hook);
}

std::optional<WindowMessage> MessageQueue::Peek() {
  if (m_pollHook) {
    m_pollHook();
  }
  RunDueActions();
  if (auto posted = TakePosted()) {
    return posted;
  }
  return TakeDueTimer();
}

std::optional<WindowMessage> MessageQueue::Next() {
  while (!m_ended) {
    if (auto message = Peek()) {
      return message;
    }
    auto due = NextDueTime();
    if (m_ended || !due) {
      return std::nullopt;
    }
    WaitUntil(*due);
  }
  return std::nullopt;
}

void MessageQueue::WaitForPost() {
  std::unique_lock lock(m_mutex);
  m_postArrived.wait(lock, [this] { return !m_posted.empty(); });
}

void MessageQueue::EndDialog(int result) {
  m_ended = true;
  m_result = result;
}

void MessageQueue::Reset() {
  {
    std::lock_guard lock(m_mutex);
    m_posted.clear();
  }
  m_timers.clear();
  m_ended = false;
  m_result = 0;
}

void MessageQueue::RunDueActions() {
  for (;;) {
    auto now = m_clock.NowMs();
    auto first =
        std::min_element(m_actions.begin(), m_actions.end(), [](const auto& a, const auto& b) {
          return std::pair(a.due, a.order) < std::pair(b.due, b.order);
        });
    if (first == m_actions.end() || first->due > now) {
      return;
    }
    // Taken out before it runs: an action may schedule further actions.
    auto run = std::move(first->run);
    m_actions.erase(first);
    run();
  }
}

std::optional<WindowMessage> MessageQueue::TakePosted() {
  std::lock_guard lock(m_mutex);
  if (m_posted.empty()) {
    return std::nullopt;
  }
  WindowMessage message = m_posted.front();
  m_posted.pop_front();
  return message;
}

std::optional<WindowMessage> MessageQueue::TakeDueTimer() {
  auto now = m_clock.NowMs();
  auto first = std::min_element(m_timers.begin(), m_timers.end(), [](const auto& a, const auto& b) {
    return a.second.due < b.second.due;
  });
  if (first == m_timers.end() || first->second.due > now) {
    return std::nullopt;
  }
  first->second.due = now + first->second.period;
  return WindowMessage{msg::kTimer, first->first, 0};
}

std::optional<std::uint64_t> MessageQueue::NextDueTime() const {
  std::optional<std::uint64_t> due;
  auto consider = [&due](std::uint64_t time) {
    if (!due || time < *due) {
      due = time;
    }
  };
  for (const auto& [id, timer] : m_timers) {
    consider(timer.due);
  }
  for (const auto& action : m_actions) {
    consider(action.due);
  }
  return due;
}

void MessageQueue::WaitUntil(std::uint64_t dueMs) {
  auto now = m_clock.NowMs();
  if (dueMs <= now) {
    return;
  }
  auto delta = std::min<std::uint64_t>(dueMs - now, std::numeric_limits<std::uint32_t>::max());
  if (m_mode == TimeMode::kSimulated) {
    m_clock.Sleep(static_cast<std::uint32_t>(delta));
    return;
  }
  std::unique_lock lock(m_mutex);
  m_postArrived.wait_for(lock, std::chrono::milliseconds(delta),
                         [this] { return !m_posted.empty(); });
}

}  // namespace korvane
