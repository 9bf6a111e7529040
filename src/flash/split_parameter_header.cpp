#include "flash/split_parameter_header.h"

#include <array>
#include <string>

namespace korvane {
namespace {

// Moves up to `width` characters from the front of `rest` into `field`.
void TakeField(std::string_view& rest, std::size_t width, std::string& field) {
  std::string_view piece = rest.substr(0, width);
  field.assign(piece);
  rest.remove_prefix(piece.size());
}

}  // namespace

void SplitParameterHeader(std::string_view parameterHeader, HeaderFields& fields) {
  const std::array<std::pair<std::string*, std::size_t>, 9> order = {{
      {&fields.m_headerWord1, 4},
      {&fields.m_headerWord2, 4},
      {&fields.m_headerWord3, 4},
      {&fields.m_headerByte1, 2},
      {&fields.m_headerByte2, 2},
      {&fields.m_headerByte3, 2},
      {&fields.m_headerByte4, 2},
      {&fields.m_headerByte5, 2},
      {&fields.m_headerByte6, 2},
  }};
  std::string_view rest = parameterHeader;
  for (const auto& [field, width] : order) {
    TakeField(rest, width, *field);
  }
  fields.m_headerSizeText.clear();
}

}  // namespace korvane
