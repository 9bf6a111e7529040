#include "image/hex_record_line.h"

#include "image/hex_digit.h"

namespace korvane {

std::uint8_t RecordByteCount(std::string_view line) {
  return HexByteAt(line.data() + kRecordCountPos);
}

std::uint16_t RecordAddress(std::string_view line) {
  return HexWordAt(line.data() + kRecordAddressPos);
}

std::size_t RecordLineLength(std::size_t count) {
  return kRecordDataPos + 2 * count + kRecordChecksumLength;
}

bool RecordHoldsData(std::string_view line, std::size_t count) {
  return line.size() >= RecordLineLength(count);
}

std::uint16_t AddRecordData(std::string_view line, std::size_t count, std::uint16_t sum) {
  for (std::size_t i = 0; i < count; ++i) {
    sum = static_cast<std::uint16_t>(sum + HexByteAt(line.data() + kRecordDataPos + 2 * i));
  }
  return sum;
}

std::string HexWordText(std::uint16_t word) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(4, '0');
  for (int i = 3; i >= 0; --i) {
    text[static_cast<std::size_t>(i)] = kDigits[word & 0x0F];
    word = static_cast<std::uint16_t>(word >> 4);
  }
  return text;
}

}  // namespace korvane
