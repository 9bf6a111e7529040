#include "platform/console/terminal_text.h"

namespace korvane {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool IsControl(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

}  // namespace

std::string Printable(std::string_view utf8) {
  std::string out(utf8);
  for (char& c : out) {
    if (IsControl(c)) {
      c = '?';
    }
  }
  return out;
}

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t columns = 0;
  for (char c : utf8) {
    if (!IsContinuationByte(c)) {
      ++columns;
    }
  }
  return columns;
}

std::string FitToWidth(std::string_view utf8, std::size_t columns) {
  std::size_t taken = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (!IsContinuationByte(utf8[i])) {
      if (taken == columns) {
        return std::string(utf8.substr(0, i));
      }
      ++taken;
    }
  }
  return std::string(utf8);
}

std::string AnsiForeground(Rgb colour) {
  int code =
      (colour.red >= 128 ? 1 : 0) | (colour.green >= 128 ? 2 : 0) | (colour.blue >= 128 ? 4 : 0);
  if (code == 0) {
    return "\x1b[1;39m";  // black text of a light window: the terminal's own text colour
  }
  return "\x1b[1;3" + std::to_string(code) + "m";
}

}  // namespace korvane
