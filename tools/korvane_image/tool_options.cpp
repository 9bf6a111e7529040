#include "tools/korvane_image/tool_options.h"

#include "device/model_table.h"

namespace korvane {

const char kToolUsage[] = R"(Usage: korvane-image --model TALVO|MORIN|KESTA|NONE [--dir DIR]

Builds the flash image as the upgrade station does, without a camera, and leaves
EEPROM.text (the image as HEX record text) and EEPROM.bin (the bytes sent to the
flash) in the directory.

  --model MODEL  the camera's controller model; it decides which firmware records
                 are kept and where they move to:
                   KESTA  records at 0xA000 and above, moved down by 0x9F00
                   TALVO  records at 0x8000 and above, moved down by 0x7F00
                   MORIN  as TALVO
                   NONE   no controller identified: every record, moved by 0x7F00
  --dir DIR      the directory to work in (default: the current directory)
  --help         this text

The firmware file is the last entry whose name contains "FW.hex", the parameter
file the last one whose name contains "UI.hex" (names compared with their exact
letter case), as the station finds them.

On success it prints the two file names, the image length, the programmed length
(the image and 128 bytes more: the size of EEPROM.bin) and the checksum word, and
exits 0. On failure it prints the station's message ("   File not Found !!!",
"Open File Error.", "   Open File Error !!!" or "Error") with the file, the line
number and the reason, and exits 1; a wrong command line exits 2.
)";

std::optional<std::int32_t> ControllerKindOf(const std::string& model) {
  if (model == "NONE") {
    return kControllerNone;
  }
  for (const ControllerModel& row : kModelTable) {
    if (model == row.name) {
      return row.kind;
    }
  }
  return std::nullopt;
}

std::optional<ToolOptions> ParseToolOptions(const std::vector<std::string>& args,
                                            std::string* problem) {
  ToolOptions options;
  bool haveModel = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return options;
    }
    if (arg != "--model" && arg != "--dir") {
      *problem = "unknown argument " + arg;
      return std::nullopt;
    }
    if (i + 1 == args.size()) {
      *problem = arg + " needs a value";
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (arg == "--dir") {
      options.directory = value;
      continue;
    }
    std::optional<std::int32_t> kind = ControllerKindOf(value);
    if (!kind) {
      *problem = "unknown model " + value + " (TALVO, MORIN, KESTA or NONE)";
      return std::nullopt;
    }
    options.model = value;
    options.controllerKind = *kind;
    haveModel = true;
  }
  if (!haveModel) {
    *problem = "--model is required";
    return std::nullopt;
  }
  return options;
}

}  // namespace korvane
