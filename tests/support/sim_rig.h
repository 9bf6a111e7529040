#pragma once
// A device state over simulated cameras, and the requests a camera received in a form that reads
// well in a failing test.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string_view>
#include <vector>

#include "device/device_state.h"
#include "device/xu_node.h"
#include "platform/sim/parse_simulated_device.h"
#include "platform/sim/simulated_capture_system.h"
#include "platform/sim/virtual_clock.h"

namespace korvane::testing {

using Bytes = std::vector<std::uint8_t>;

struct SeenRequest {
  char kind;  // 'G' or 'S'
  std::uint32_t selector;
  Bytes sent;
  Bytes answered;
  friend bool operator==(const SeenRequest&, const SeenRequest&) = default;
  friend std::ostream& operator<<(std::ostream& out, const SeenRequest& r) {
    out << r.kind << r.selector << " [";
    for (auto b : r.sent)
      out << std::hex << int{b} << ' ';
    out << "] -> [";
    for (auto b : r.answered)
      out << std::hex << int{b} << ' ';
    return out << "]" << std::dec;
  }
};

inline SeenRequest Set(std::uint32_t selector, Bytes sent) {
  return {'S', selector, std::move(sent), {}};
}
inline SeenRequest Get(std::uint32_t selector, Bytes answered) {
  return {'G', selector, Bytes(answered.size(), 0), std::move(answered)};
}

// A GET the camera refused: nothing came back.
inline SeenRequest FailedGet(std::uint32_t selector) {
  return {'G', selector, Bytes(4, 0), {}};
}

inline std::vector<SeenRequest> Seen(const SimulatedCamera& camera) {
  std::vector<SeenRequest> seen;
  for (const RecordedRequest& r : camera.Requests()) {
    seen.push_back({r.IsGet() ? 'G' : 'S', r.selector, r.sent, r.answered});
  }
  return seen;
}

inline SimulatedDeviceConfig Config(std::string_view text) {
  SimulatedDeviceParse parsed = ParseSimulatedDevice(text);
  EXPECT_TRUE(parsed.config) << parsed.error;
  return parsed.config.value_or(SimulatedDeviceConfig{});
}

struct SimRig {
  VirtualClock clock;
  SimulatedCaptureSystem system{clock};
  DeviceState state;

  SimRig() { state.m_xuData = std::make_unique<std::uint8_t[]>(kXuDataLength); }

  SimulatedCamera& Add(std::string_view text) { return system.AddDevice(Config(text)); }

  static CaptureFilterRef Bind(SimulatedCamera& camera) {
    CaptureFilterRef filter;
    EXPECT_EQ(camera.BindFilter(&filter), 0);
    return filter;
  }

  static XuChannel Open(SimulatedCamera& camera) {
    std::optional<XuChannel> channel = OpenXuChannel(Bind(camera));
    EXPECT_TRUE(channel);
    return channel.value_or(XuChannel{});
  }
};

}  // namespace korvane::testing
