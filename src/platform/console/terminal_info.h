#pragma once
// What the station asks of its standard streams.
#include <cstddef>

namespace korvane {

inline constexpr std::size_t kDefaultColumns = 80;

bool IsTerminal(int fd);
// The terminal's width in columns; kDefaultColumns when the descriptor is no terminal or does
// not say.
std::size_t TerminalColumns(int fd);

}  // namespace korvane
