#pragma once
// The one hexadecimal digit rule every reader of record text shares: either letter case, nothing
// validated, only the low four bits kept.
#include <cstdint>

namespace korvane {

constexpr std::uint8_t HexDigitValue(std::uint8_t c) {
  int value = c;
  if (c > 0x47) {
    value -= 0x57;
  } else if (c > 0x3A) {
    value -= 0x37;
  } else {
    value -= 0x30;
  }
  return static_cast<std::uint8_t>(value & 0x0F);
}

constexpr std::uint8_t HexDigitValue(char c) {
  return HexDigitValue(static_cast<std::uint8_t>(c));
}

// Two digits, the first one high. The caller makes sure both characters exist.
template <typename Char>
constexpr std::uint8_t HexByteAt(const Char* digits) {
  return static_cast<std::uint8_t>((HexDigitValue(digits[0]) << 4) | HexDigitValue(digits[1]));
}

// Four digits, the first one most significant. The caller makes sure all four exist.
template <typename Char>
constexpr std::uint16_t HexWordAt(const Char* digits) {
  return static_cast<std::uint16_t>((HexByteAt(digits) << 8) | HexByteAt(digits + 2));
}

}  // namespace korvane
