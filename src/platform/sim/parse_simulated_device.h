#pragma once
// The one-line text form of a simulated device: comma-separated key=value pairs, for example
//   model=TALVO,variant=B,word-a=0x1234,word-b=0x1234,lens=0x2000,fail-at=57,unplug-at=300
// Request indexes count from 1, in the order the camera receives its requests, all kinds counted.
#include <optional>
#include <string>
#include <string_view>

#include "platform/sim/simulated_device_config.h"

namespace korvane {

struct SimulatedDeviceParse {
  std::optional<SimulatedDeviceConfig> config;
  std::string error;  // names the unknown key or the bad value when config is empty
};

SimulatedDeviceParse ParseSimulatedDevice(std::string_view text);

// The keys and what they take, one per line, for help texts.
std::string_view SimulatedDeviceKeysHelp();

}  // namespace korvane
