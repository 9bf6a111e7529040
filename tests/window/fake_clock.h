#pragma once
// A clock that only moves when slept on, for the window tests.
#include <cstdint>

#include "platform/clock.h"

namespace korvane::testing {

class FakeClock final : public Clock {
 public:
  void Sleep(std::uint32_t milliseconds) override { m_now += milliseconds; }
  std::uint64_t NowMs() override { return m_now; }

 private:
  std::uint64_t m_now = 0;
};

}  // namespace korvane::testing
