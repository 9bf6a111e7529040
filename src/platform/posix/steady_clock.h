#pragma once
// Real time: the station's pauses sleep for real.
#include "platform/clock.h"

namespace korvane {

class SteadyClock final : public Clock {
 public:
  void Sleep(std::uint32_t milliseconds) override;
  std::uint64_t NowMs() override;
};

}  // namespace korvane
