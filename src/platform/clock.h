#pragma once
// The time seam: a blocking sleep and a millisecond clock. The simulated camera's virtual clock
// implements it too, so that tests never wait for real.
#include <cstdint>

namespace korvane {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Milliseconds since an arbitrary start; never goes backwards.
  virtual std::uint64_t NowMs() = 0;
};

}  // namespace korvane
