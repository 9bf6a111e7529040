#pragma once
// HEX files for tests and benchmarks: firmware files of any size. The samples are in
// sample_files.h.
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>

namespace korvane::testing {

// One 16-byte data record with its checksum, followed by CR LF.
inline std::string DataRecord(std::uint16_t address, const std::uint8_t (&bytes)[16]) {
  char line[64];
  std::snprintf(line, sizeof line, ":10%04X00", static_cast<unsigned>(address));
  std::string record = line;
  unsigned sum = 0x10u + (address >> 8u) + (address & 0xFFu);
  for (std::uint8_t byte : bytes) {
    std::snprintf(line, sizeof line, "%02X", static_cast<unsigned>(byte));
    record += line;
    sum += byte;
  }
  std::snprintf(line, sizeof line, "%02X\r\n", (0x100 - (sum & 0xFF)) & 0xFF);
  return record + line;
}

// Records of code-like bytes covering [first, end) in 16-byte steps, then the end-of-file record.
// Each range is given as a first address and a record count.
struct RecordRange {
  std::uint16_t first = 0;
  std::uint32_t records = 0;
};

inline std::string FirmwareHex(std::initializer_list<RecordRange> ranges) {
  std::string text;
  std::uint32_t seed = 0x2545F491u;
  for (const RecordRange& range : ranges) {
    for (std::uint32_t r = 0; r < range.records; ++r) {
      std::uint8_t bytes[16];
      for (std::uint8_t& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(seed >> 16);
      }
      text += DataRecord(static_cast<std::uint16_t>(range.first + 16 * r), bytes);
    }
  }
  return text + ":00000001FF\r\n";
}

}  // namespace korvane::testing
