#pragma once
// The command line of the Linux station.
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/simulated_device_config.h"

namespace korvane {

struct StationOptions {
  std::vector<SimulatedDeviceConfig> devices;  // in enumeration order
  std::optional<std::string> flashOut;
  std::optional<std::string> directory;
  bool fast = false;
  bool help = false;
};

struct StationOptionsParse {
  std::optional<StationOptions> options;
  std::string error;  // set when options is empty
};

StationOptionsParse ParseStationOptions(const std::vector<std::string>& arguments);

std::string StationUsage(const std::string& programName);

}  // namespace korvane
