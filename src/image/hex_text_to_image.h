#pragma once
// Record text (records each followed by CR LF) to a flash image in which every record's data
// bytes sit at the record's address.
#include <cstddef>
#include <cstdint>

namespace korvane {

// The capacity of the flash image buffer: 65,535 bytes, not 65,536.
inline constexpr std::uint32_t kFlashImageCapacity = 0xFFFF;

// `length` holds the image capacity on entry and the image length on success. The text is
// consumed: the digits it converts are overwritten with their values. Returns 0 on success and 1
// on failure; a failure after the image was touched leaves it all zero, and `length` unchanged.
int HexTextToImage(std::uint8_t* text, std::size_t textLength, std::uint8_t* image,
                   std::uint32_t* length);

}  // namespace korvane
