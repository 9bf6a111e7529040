#pragma once
// The message loop of the windows that are not Win32 ones (the in-memory window model and the
// terminal window): posted messages, window timers, actions scheduled at a time, and the end of
// the dialog, all on a Clock.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/clock.h"

namespace korvane {

struct WindowMessage {
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  friend bool operator==(const WindowMessage&, const WindowMessage&) = default;
};

// kSimulated: waiting for the next due timer or action advances the clock (Clock::Sleep of a
// virtual clock returns at once). kReal: the loop sleeps until the next due item or until a post
// arrives, whichever is first.
enum class TimeMode { kSimulated, kReal };

class MessageQueue {
 public:
  MessageQueue(Clock& clock, TimeMode mode);

  // Thread-safe; wakes a waiting loop.
  void Post(const WindowMessage& message);

  // A timer delivers WM_TIMER with its identifier every period; setting an existing identifier
  // restarts it. Like Windows, WM_TIMER is made when the queue holds no posted message and is
  // never queued twice.
  void SetTimer(std::uint32_t timerId, std::uint32_t milliseconds);
  void KillTimer(std::uint32_t timerId);
  // Runs `action` on the loop's thread once the clock reaches `timeMs` (before a timer due at the
  // same time). Actions stand for the outside world: they do not count as a dispatched message.
  void At(std::uint64_t timeMs, std::function<void()> action);

  // Called at the start of every Peek, on the loop's thread (the terminal turns a caught signal
  // into a posted close request there).
  void SetPollHook(std::function<void()> hook);

  // Runs the actions that are due, then takes one posted message or, failing that, one due
  // WM_TIMER. Never waits.
  std::optional<WindowMessage> Peek();
  // The modal loop's GetMessage: Peek, waiting for the next due item as the time mode says.
  // nullopt once the dialog has ended, or when nothing is posted and no timer or action is
  // pending (only the operator or another thread can make something happen then).
  std::optional<WindowMessage> Next();
  // Blocks until a message is posted (by another thread). For a loop that has nothing pending.
  void WaitForPost();

  void EndDialog(int result);
  bool Ended() const { return m_ended; }
  int Result() const { return m_result; }
  // A new window: no posted message, timer or end mark; scheduled actions stay.
  void Reset();

  std::uint64_t Now() { return m_clock.NowMs(); }

 private:
  struct Timer {
    std::uint32_t period = 0;
    std::uint64_t due = 0;
  };
  struct Action {
    std::uint64_t due = 0;
    std::uint64_t order = 0;  // keeps actions due at the same time in the order given
    std::function<void()> run;
  };

  void RunDueActions();
  std::optional<WindowMessage> TakePosted();
  std::optional<WindowMessage> TakeDueTimer();
  std::optional<std::uint64_t> NextDueTime() const;
  void WaitUntil(std::uint64_t dueMs);

  Clock& m_clock;
  TimeMode m_mode;
  std::mutex m_mutex;  // guards m_posted; posts come from any thread
  std::condition_variable m_postArrived;
  std::deque<WindowMessage> m_posted;
  std::map<std::uint32_t, Timer> m_timers;
  std::vector<Action> m_actions;
  std::uint64_t m_nextActionOrder = 0;
  std::function<void()> m_pollHook;
  bool m_ended = false;
  int m_result = 0;
};

}  // namespace korvane
