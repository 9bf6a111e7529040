#include <iostream>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "tools/korvane_image/image_tool.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  korvane::PosixFileSystem files;
  return korvane::RunImageTool(args, files, std::cout, std::cerr);
}
