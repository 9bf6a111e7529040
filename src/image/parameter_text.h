#pragma once
// The parameter file's lines sorted into data records, their byte sum and the header text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

inline constexpr char kEndOfFileRecord[] = ":00000001FF";
inline constexpr char kHeaderRecordStart[] = ":0C0000";
inline constexpr std::size_t kParameterRecordLength = 43;
inline constexpr std::uint8_t kLargestParameterCount = 16;
inline constexpr char kDefaultParameterHeader[] = "6C1405E20100000000000000";

enum class ParameterTextStatus {
  kLoaded,
  kBadLine,  // what was gathered before the bad line is kept
};

struct ParameterText {
  ParameterTextStatus status = ParameterTextStatus::kLoaded;
  std::vector<std::string> lines;  // data records exactly as read
  std::uint16_t sum = 0;
  std::string header;          // the last header record's payload; empty when there was none
  std::size_t lineNumber = 0;  // 1-based, of the bad line
  std::string reason;
};

// The loader's core over the file's bytes (read in text mode). The default header is the
// caller's to fill in, since a load that ends at a bad line gets none.
ParameterText ParseParameterText(std::string_view fileBytes);

}  // namespace korvane
