#pragma once
// A GUID with the in-memory layout of Windows (first three fields little-endian when serialised).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  friend constexpr bool operator==(const Guid&, const Guid&) = default;
};

// The 16 bytes of the GUID as Windows lays it out in memory.
std::array<std::uint8_t, 16> GuidBytes(const Guid& guid);
// "{3F9A2C41-6B7E-4D15-9C20-8E4B7A61D3F5}", upper case.
std::string FormatGuid(const Guid& guid);
// Accepts the braced or bare registry form, either letter case.
std::optional<Guid> ParseGuid(std::string_view text);

// Node type of a UVC extension unit in a Kernel Streaming topology.
inline constexpr Guid kNodeTypeDevSpecific{
    0x941C7AC0, 0xC559, 0x11D0, {0x8A, 0x2B, 0x00, 0xA0, 0xC9, 0x25, 0x5A, 0xC1}};
// Device category of video capture devices.
inline constexpr Guid kVideoInputDeviceCategory{
    0x860BB310, 0x5D01, 0x11D0, {0xBD, 0x3B, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86}};
// The camera's extension unit property sets.
inline constexpr Guid kXuPropertySetVariantA{
    0x3F9A2C41, 0x6B7E, 0x4D15, {0x9C, 0x20, 0x8E, 0x4B, 0x7A, 0x61, 0xD3, 0xF5}};
inline constexpr Guid kXuPropertySetVariantB{
    0xA7C45E12, 0x0D39, 0x4B86, {0xB1, 0xF4, 0x2E, 0x6D, 0x95, 0xC8, 0x03, 0x7A}};

}  // namespace korvane
