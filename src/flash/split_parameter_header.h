#pragma once
#include <string_view>

#include "flash/header_fields.h"

namespace korvane {

// Cuts the first 24 characters of the parameter header text into the three 4-character words and
// six 2-character bytes (a short text gives short or empty fields) and empties m_headerSizeText.
// Nothing is tested for being hexadecimal.
void SplitParameterHeader(std::string_view parameterHeader, HeaderFields& fields);

}  // namespace korvane
