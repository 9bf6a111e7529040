#include "platform/console/station_options.h"

#include "platform/sim/parse_simulated_device.h"

namespace korvane {

StationOptionsParse ParseStationOptions(const std::vector<std::string>& arguments) {
  StationOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    auto value = [&]() -> const std::string* {
      return i + 1 < arguments.size() ? &arguments[++i] : nullptr;
    };
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--fast") {
      options.fast = true;
    } else if (argument == "--simulate" || argument == "--flash-out" || argument == "-C") {
      const std::string* text = value();
      if (text == nullptr) {
        return {std::nullopt, argument + " needs a value"};
      }
      if (argument == "--flash-out") {
        options.flashOut = *text;
      } else if (argument == "-C") {
        options.directory = *text;
      } else {
        SimulatedDeviceParse device = ParseSimulatedDevice(*text);
        if (!device.config) {
          return {std::nullopt, "--simulate " + *text + ": " + device.error};
        }
        options.devices.push_back(*device.config);
      }
    } else {
      return {std::nullopt, "unknown option '" + argument + "' (see --help)"};
    }
  }
  return {options, {}};
}

std::string StationUsage(const std::string& programName) {
  return "Usage: " + programName +
         " [-C DIR] [--simulate SPEC]... [--flash-out FILE] [--fast]\n"
         "\n"
         "The firmware upgrade station. In the working directory it finds the firmware file (a\n"
         "name containing \"FW.hex\") and the parameter file (\"UI.hex\"), identifies the camera,\n"
         "and one second later writes EEPROM.text and EEPROM.bin, checks the lens, erases and\n"
         "programs the camera's flash and shows PASS or FAIL. The process then waits 5 seconds\n"
         "and exits with status 1 when the write passed, 0 in every other case (no camera, a\n"
         "missing or bad file, a lens mismatch, a failed request, a close request, bad options).\n"
         "\n"
         "This Linux build has no camera backend yet: the cameras are simulated ones. Without\n"
         "--simulate it finds no camera and behaves as the station does with none:\n"
         "\"   USB Device Initialize Failure !!!\", then FAIL, exit status 0.\n"
         "\n"
         "Options:\n"
         "  -C DIR             work in DIR instead of the current directory\n"
         "  --simulate SPEC    add a simulated video capture device (repeatable, in enumeration\n"
         "                     order); SPEC is one line of comma-separated key=value, e.g.\n"
         "                     model=TALVO,variant=B,lens=0x2000,fail-at=57\n"
         "  --flash-out FILE   write the flash of the simulated camera the station chose to FILE\n"
         "                     at the end of the run\n"
         "  --fast             simulated time for every pause (the 1 s timer, the erase pauses,\n"
         "                     the 5 s wait), so a run takes milliseconds\n"
         "  -h, --help         this text\n"
         "\n"
         "Ctrl-C or SIGTERM asks the window to close; during a write, the write ends first.\n"
         "Message boxes wait for Enter when standard input is a terminal.\n"
         "\n"
         "Keys of SPEC:\n" +
         std::string(SimulatedDeviceKeysHelp());
}

}  // namespace korvane
