#pragma once
// Simulated time: a sleep advances it at once, so a run with long pauses takes no real time.
#include <cstdint>

#include "platform/clock.h"

namespace korvane {

class VirtualClock final : public Clock {
 public:
  void Sleep(std::uint32_t milliseconds) override { m_nowMs += milliseconds; }
  std::uint64_t NowMs() override { return m_nowMs; }
  void Advance(std::uint64_t milliseconds) { m_nowMs += milliseconds; }

 private:
  std::uint64_t m_nowMs = 0;
};

}  // namespace korvane
