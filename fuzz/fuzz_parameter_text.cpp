// The parameter loader's core over any file bytes; every stored line is a 43-character record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "image/parameter_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  korvane::ParameterText text = korvane::ParseParameterText(bytes);
  for (const std::string& line : text.lines) {
    if (line.size() != korvane::kParameterRecordLength) {
      std::abort();
    }
  }
  return 0;
}
