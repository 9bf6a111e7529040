#include "platform/guid.h"

#include <cstdio>

namespace korvane {
namespace {

std::optional<std::uint32_t> ParseHexField(std::string_view text) {
  if (text.empty() || text.size() > 8) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (char c : text) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace

std::array<std::uint8_t, 16> GuidBytes(const Guid& guid) {
  std::array<std::uint8_t, 16> bytes{};
  for (int i = 0; i < 4; ++i) {
    bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(guid.data1 >> (8 * i));
  }
  bytes[4] = static_cast<std::uint8_t>(guid.data2);
  bytes[5] = static_cast<std::uint8_t>(guid.data2 >> 8);
  bytes[6] = static_cast<std::uint8_t>(guid.data3);
  bytes[7] = static_cast<std::uint8_t>(guid.data3 >> 8);
  for (std::size_t i = 0; i < 8; ++i) {
    bytes[8 + i] = guid.data4[i];
  }
  return bytes;
}

std::string FormatGuid(const Guid& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(guid.data1), guid.data2, guid.data3, guid.data4[0],
                guid.data4[1], guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5],
                guid.data4[6], guid.data4[7]);
  return text;
}

std::optional<Guid> ParseGuid(std::string_view text) {
  if (text.size() == 38 && text.front() == '{' && text.back() == '}') {
    text = text.substr(1, 36);
  }
  if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' ||
      text[23] != '-') {
    return std::nullopt;
  }
  auto d1 = ParseHexField(text.substr(0, 8));
  auto d2 = ParseHexField(text.substr(9, 4));
  auto d3 = ParseHexField(text.substr(14, 4));
  if (!d1 || !d2 || !d3) {
    return std::nullopt;
  }
  Guid guid{*d1, static_cast<std::uint16_t>(*d2), static_cast<std::uint16_t>(*d3), {}};
  const std::string_view tail[8] = {text.substr(19, 2), text.substr(21, 2), text.substr(24, 2),
                                    text.substr(26, 2), text.substr(28, 2), text.substr(30, 2),
                                    text.substr(32, 2), text.substr(34, 2)};
  for (std::size_t i = 0; i < 8; ++i) {
    auto byte = ParseHexField(tail[i]);
    if (!byte) {
      return std::nullopt;
    }
    guid.data4[i] = static_cast<std::uint8_t>(*byte);
  }
  return guid;
}

}  // namespace korvane
