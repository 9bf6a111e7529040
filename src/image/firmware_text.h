#pragma once
// The firmware file's lines turned into relocated record lines and their byte sum.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Records below `threshold` are dropped when `dropsBelow` is set; kept ones move down by `offset`.
struct FirmwareRelocation {
  bool dropsBelow = false;
  std::uint16_t threshold = 0;
  std::uint16_t offset = 0;
};

// By controller kind: 1 KESTA, 2 TALVO, 3 MORIN; any other value keeps every record.
FirmwareRelocation RelocationFor(std::int32_t controllerKind);

inline constexpr std::size_t kShortestFirmwareLine = 9;
inline constexpr std::size_t kLongestFirmwareLine = 260;

enum class FirmwareTextStatus {
  kLoaded,
  kBadLine,   // a line the loader cannot read safely; lines before it were kept
  kNoRecord,  // no record at or above the threshold
};

struct FirmwareText {
  FirmwareTextStatus status = FirmwareTextStatus::kNoRecord;
  std::vector<std::string> lines;  // rewritten records, in file order
  std::uint16_t sum = 0;
  std::size_t lineNumber = 0;  // 1-based, of the bad line
  std::string reason;
};

// The loader's core over the file's bytes (read in text mode).
FirmwareText ParseFirmwareText(std::string_view fileBytes, std::int32_t controllerKind);

}  // namespace korvane
