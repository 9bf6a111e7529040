#pragma once
// One Intel HEX record as a line of text: ":" at 0, byte count at 1-2, address at 3-6, type at
// 7-8, two digits per data byte from 9, then two checksum digits. No reader checks the start
// character, the type or the checksum.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::size_t kRecordCountPos = 1;
inline constexpr std::size_t kRecordAddressPos = 3;
inline constexpr std::size_t kRecordTypePos = 7;
inline constexpr std::size_t kRecordDataPos = 9;
inline constexpr std::size_t kRecordChecksumLength = 2;

// Callers check that the line is long enough for the field they read.
std::uint8_t RecordByteCount(std::string_view line);
std::uint16_t RecordAddress(std::string_view line);

// Characters a record of `count` data bytes needs, checksum pair included.
std::size_t RecordLineLength(std::size_t count);

// Whether the line holds `count` data bytes and the checksum pair after them. A line that ends
// right after its data would have its last data pair taken for the checksum when the record text
// is placed in the image, so that pair would be summed but never flashed.
bool RecordHoldsData(std::string_view line, std::size_t count);

// Adds the first `count` data bytes to `sum`, wrapping at 0x10000. The line must hold them.
std::uint16_t AddRecordData(std::string_view line, std::size_t count, std::uint16_t sum);

// Four upper-case digits, most significant first.
std::string HexWordText(std::uint16_t word);

}  // namespace korvane
