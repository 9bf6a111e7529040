#pragma once
// Text-mode files, written once for every platform: the file seam moves bytes only, so the rules a
// text-mode stream applies live here and the bytes on disk are the same on Linux and Windows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// What a text-mode write puts on disk: every LF becomes CR LF.
std::string TextToDisk(std::string_view text);

// What a text-mode read delivers: every CR LF on disk becomes LF.
std::string TextFromDisk(std::string_view bytes);

// The same, in place; returns the length of the text.
std::size_t TextFromDiskInPlace(std::uint8_t* bytes, std::size_t size);

// The lines a text-mode line reader delivers, each without its LF or CR LF. A last line without a
// line end is still a line; an empty file has none.
std::vector<std::string> SplitTextLines(std::string_view bytes);

}  // namespace korvane
