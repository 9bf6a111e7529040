// korvane: the station on Linux, in a terminal window, with simulated cameras.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>

#include "app/korvane_app.h"
#include "app/main_dialog_layout.h"
#include "platform/console/station_options.h"
#include "platform/console/terminal_info.h"
#include "platform/console/terminal_window.h"
#include "platform/control_ids.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/steady_clock.h"
#include "platform/sim/simulated_capture_system.h"
#include "platform/sim/virtual_clock.h"

namespace korvane {
namespace {

std::string ProgramName(const char* argv0) {
  std::string name = argv0 != nullptr ? argv0 : "korvane";
  auto slash = name.find_last_of('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

// Unplug and re-plug times of the simulated cameras run on the window's clock.
void ScheduleDeviceEvents(TerminalWindow& window, SimulatedCaptureSystem& system,
                          std::uint64_t startMs) {
  for (std::size_t i = 0; i < system.DeviceCount(); ++i) {
    SimulatedCamera& camera = system.Device(i);
    const SimulatedDeviceConfig& config = camera.Config();
    if (config.unplugAfterMs) {
      window.At(startMs + *config.unplugAfterMs, [&camera] { camera.Unplug(); });
    }
    if (config.replugAfterMs) {
      window.At(startMs + *config.replugAfterMs, [&camera] { camera.Replug(); });
    }
  }
}

// The camera the station chose: the one whose filter discovery put into its filter graph. The
// first one chosen, should a returning device have been chosen anew.
SimulatedCamera* ChosenCamera(SimulatedCaptureSystem& devices) {
  for (std::size_t i = 0; i < devices.DeviceCount(); ++i) {
    if (devices.Device(i).JoinedAGraph()) {
      return &devices.Device(i);
    }
  }
  return nullptr;
}

bool WriteFlashDump(const std::string& path, const std::vector<std::uint8_t>& flash) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(flash.data()),
            static_cast<std::streamsize>(flash.size()));
  return static_cast<bool>(out.flush());
}

int RunStation(int argc, char** argv) {
  const std::string programName = ProgramName(argc > 0 ? argv[0] : nullptr);
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  StationOptionsParse parsed = ParseStationOptions(arguments);
  if (!parsed.options) {
    std::cerr << programName << ": " << parsed.error << "\n";
    return 0;
  }
  const StationOptions& options = *parsed.options;
  if (options.help) {
    std::cout << StationUsage(programName);
    return 0;
  }
  if (options.directory && chdir(options.directory->c_str()) != 0) {
    std::cerr << programName << ": -C " << *options.directory << ": " << std::strerror(errno)
              << "\n";
    return 0;
  }

  VirtualClock virtualClock;
  SteadyClock steadyClock;
  Clock& clock = options.fast ? static_cast<Clock&>(virtualClock) : steadyClock;

  SimulatedCaptureSystem devices(clock);
  for (const SimulatedDeviceConfig& config : options.devices) {
    devices.AddDevice(config);
  }

  TerminalOptions terminal;
  terminal.outputIsTerminal = IsTerminal(STDOUT_FILENO);
  terminal.inputIsTerminal = IsTerminal(STDIN_FILENO);
  terminal.timeMode = options.fast ? TimeMode::kSimulated : TimeMode::kReal;
  terminal.catchCloseSignals = true;
  terminal.appName = programName;
  terminal.largeTextControl = ctrl::kResultBox;
  terminal.columns = TerminalColumns(STDOUT_FILENO);
  const DialogLayout layout = MainDialogLayout();
  TerminalWindow window(clock, layout, std::cout, std::cin, terminal);
  ScheduleDeviceEvents(window, devices, clock.NowMs());

  PosixFileSystem files;
  CKorvaneApp app(StationServices{window, devices, files, clock});
  app.InitInstance();
  const int exitCode = app.ExitInstance();

  if (options.flashOut) {
    SimulatedCamera* camera = ChosenCamera(devices);
    if (camera == nullptr) {
      std::cerr << programName << ": no camera was chosen; " << *options.flashOut
                << " not written\n";
    } else if (!WriteFlashDump(*options.flashOut, camera->FlashDump())) {
      std::cerr << programName << ": cannot write " << *options.flashOut << "\n";
    }
  }
  return exitCode;
}

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  // Only a passed write may read as 1; every other end, a failure inside included, is 0.
  try {
    return korvane::RunStation(argc, argv) == 1 ? 1 : 0;
  } catch (const std::exception& error) {
    std::cerr << "korvane: " << error.what() << "\n";
  } catch (...) {
    std::cerr << "korvane: unexpected failure\n";
  }
  return 0;
}
