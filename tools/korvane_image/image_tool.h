#pragma once
// korvane-image: finds FW.hex and UI.hex, loads them, and writes EEPROM.text and EEPROM.bin, all
// as the station does.
#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace korvane {

// `args` without the program name. Returns the exit status: 0 success, 1 a station failure, 2 a
// wrong command line.
int RunImageTool(const std::vector<std::string>& args, FileSystem& files, std::ostream& out,
                 std::ostream& err);

}  // namespace korvane
