#include "platform/console/terminal_info.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace korvane {

bool IsTerminal(int fd) {
  return isatty(fd) == 1;
}

std::size_t TerminalColumns(int fd) {
  winsize size{};
  if (!IsTerminal(fd) || ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) {
    return kDefaultColumns;
  }
  return size.ws_col;
}

}  // namespace korvane
