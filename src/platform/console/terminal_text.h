#pragma once
// Text for a terminal: printable, measured in columns, coloured with ANSI escape sequences.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/dialog_window.h"

namespace korvane {

inline constexpr std::string_view kAnsiReset = "\x1b[0m";
inline constexpr std::string_view kAnsiBold = "\x1b[1m";
inline constexpr std::string_view kAnsiDim = "\x1b[2m";
inline constexpr std::string_view kAnsiInverse = "\x1b[7m";

// Control characters (a file name may hold any) become '?', so that no text can move the cursor
// or change the terminal.
std::string Printable(std::string_view utf8);
// Columns the UTF-8 text takes, one per character.
std::size_t DisplayWidth(std::string_view utf8);
// At most `columns` characters, cut on a character boundary.
std::string FitToWidth(std::string_view utf8, std::size_t columns);
// The bold ANSI foreground colour nearest to the colour (one of the eight basic ones; black is
// the terminal's own text colour).
std::string AnsiForeground(Rgb colour);

}  // namespace korvane
