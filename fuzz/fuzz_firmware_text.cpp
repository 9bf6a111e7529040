// The firmware loader's core over any file bytes, for every controller kind; the kept lines must
// stay within the line limits and hold their data and checksum pair, so that the image places
// every byte the loader summed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "image/firmware_text.h"
#include "image/hex_record_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (std::int32_t kind = 0; kind <= 3; ++kind) {
    korvane::FirmwareText text = korvane::ParseFirmwareText(bytes, kind);
    for (const std::string& line : text.lines) {
      if (line.size() < korvane::kShortestFirmwareLine ||
          line.size() > korvane::kLongestFirmwareLine ||
          !korvane::RecordHoldsData(line, korvane::RecordByteCount(line))) {
        std::abort();
      }
    }
  }
  return 0;
}
