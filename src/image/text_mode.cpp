#include "image/text_mode.h"

namespace korvane {

std::string TextToDisk(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') {
      bytes += '\r';
    }
    bytes += c;
  }
  return bytes;
}

std::string TextFromDisk(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      continue;
    }
    text += bytes[i];
  }
  return text;
}

std::size_t TextFromDiskInPlace(std::uint8_t* bytes, std::size_t size) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] == '\r' && i + 1 < size && bytes[i + 1] == '\n') {
      continue;
    }
    bytes[kept++] = bytes[i];
  }
  return kept;
}

std::vector<std::string> SplitTextLines(std::string_view bytes) {
  std::string text = TextFromDisk(bytes);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace korvane
