#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "fake_clock.h"
#include "platform/message_queue.h"
#include "platform/window_messages.h"

namespace korvane {
namespace {

using testing::FakeClock;

WindowMessage Posted(std::uint32_t message) {
  return {message, 0, 0};
}
WindowMessage TimerTick(std::uint32_t timerId) {
  return {msg::kTimer, timerId, 0};
}

class MessageQueueTest : public ::testing::Test {
 protected:
  FakeClock clock;
  MessageQueue queue{clock, TimeMode::kSimulated};
};

TEST_F(MessageQueueTest, PostedMessagesComeFirstInOrderThenTheDueTimer) {
  queue.SetTimer(7, 1000);
  clock.Sleep(1000);
  queue.Post(Posted(msg::kGraphEvent));
  queue.Post(Posted(msg::kClose));

  EXPECT_EQ(queue.Peek(), Posted(msg::kGraphEvent));
  EXPECT_EQ(queue.Peek(), Posted(msg::kClose));
  EXPECT_EQ(queue.Peek(), TimerTick(7));
  // WM_TIMER is made once per due time, not queued up.
  EXPECT_EQ(queue.Peek(), std::nullopt);
}

TEST_F(MessageQueueTest, NextJumpsSimulatedTimeToEachTick) {
  queue.SetTimer(0, 1000);
  std::vector<std::uint64_t> ticks;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(queue.Next(), TimerTick(0));
    ticks.push_back(clock.NowMs());
  }
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{1000, 2000, 3000}));
}

TEST_F(MessageQueueTest, AKilledTimerNeverFiresAndNextReportsIdleWithoutMovingTime) {
  queue.SetTimer(0, 1000);
  queue.KillTimer(0);
  EXPECT_EQ(queue.Next(), std::nullopt);
  EXPECT_EQ(clock.NowMs(), 0u);
}

TEST_F(MessageQueueTest, SettingATimerAgainRestartsItsPeriod) {
  queue.SetTimer(0, 1000);
  clock.Sleep(800);
  queue.SetTimer(0, 1000);
  EXPECT_EQ(queue.Next(), TimerTick(0));
  EXPECT_EQ(clock.NowMs(), 1800u);
}

TEST_F(MessageQueueTest, ActionsRunAtTheirTimeInOrderAndBeforeATimerDueThen) {
  std::vector<std::string> events;
  queue.SetTimer(0, 1000);
  queue.At(1000, [&] { events.push_back("b@" + std::to_string(clock.NowMs())); });
  queue.At(500, [&] {
    events.push_back("a@" + std::to_string(clock.NowMs()));
    // An action may schedule another one and post to the window.
    queue.At(700, [&] { events.push_back("c@" + std::to_string(clock.NowMs())); });
    queue.Post(Posted(msg::kGraphEvent));
  });
  queue.At(1000, [&] { events.push_back("d@" + std::to_string(clock.NowMs())); });

  EXPECT_EQ(queue.Next(), Posted(msg::kGraphEvent));
  EXPECT_EQ(events, (std::vector<std::string>{"a@500"}));
  EXPECT_EQ(queue.Next(), TimerTick(0));
  EXPECT_EQ(events, (std::vector<std::string>{"a@500", "c@700", "b@1000", "d@1000"}));
}

TEST_F(MessageQueueTest, PeekRunsDueActionsButNeverWaits) {
  bool ran = false;
  queue.At(100, [&] { ran = true; });
  EXPECT_EQ(queue.Peek(), std::nullopt);
  EXPECT_FALSE(ran);
  clock.Sleep(100);
  EXPECT_EQ(queue.Peek(), std::nullopt);
  EXPECT_TRUE(ran);
}

TEST_F(MessageQueueTest, NothingComesOutAfterTheEndAndResetForgetsTheOldWindow) {
  queue.SetTimer(0, 10);
  queue.Post(Posted(msg::kClose));
  queue.EndDialog(msg::kIdCancel);
  EXPECT_EQ(queue.Next(), std::nullopt);
  EXPECT_TRUE(queue.Ended());
  EXPECT_EQ(queue.Result(), msg::kIdCancel);

  queue.Reset();
  EXPECT_FALSE(queue.Ended());
  EXPECT_EQ(queue.Next(), std::nullopt);  // neither the post nor the timer survived
}

TEST_F(MessageQueueTest, ThePollHookRunsBeforeEachTake) {
  queue.SetPollHook([&] { queue.Post(Posted(msg::kClose)); });
  EXPECT_EQ(queue.Peek(), Posted(msg::kClose));
}

TEST(MessageQueueRealTime, APostFromAnotherThreadWakesAWaitForALaterTimer) {
  FakeClock clock;  // stands still: only the post can end the wait
  MessageQueue queue(clock, TimeMode::kReal);
  queue.SetTimer(0, 3'600'000);
  std::thread poster([&] { queue.Post(Posted(msg::kGraphEvent)); });
  EXPECT_EQ(queue.Next(), Posted(msg::kGraphEvent));
  poster.join();
}

TEST(MessageQueueRealTime, WaitForPostReturnsOnceAnotherThreadPosted) {
  FakeClock clock;
  MessageQueue queue(clock, TimeMode::kReal);
  std::thread poster([&] { queue.Post(Posted(msg::kClose)); });
  queue.WaitForPost();
  poster.join();
  EXPECT_EQ(queue.Peek(), Posted(msg::kClose));
}

}  // namespace
}  // namespace korvane
