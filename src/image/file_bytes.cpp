#include "image/file_bytes.h"

#include <array>

namespace korvane {

std::string WorkingDirectoryPath(FileSystem& files, const std::string& name) {
  std::optional<std::string> directory = files.CurrentDirectory();
  if (!directory) {
    return {};
  }
  return files.JoinPath(*directory, name);
}

bool ReadToEnd(InputFile& file, std::string* bytes) {
  std::array<char, 16384> chunk{};
  for (;;) {
    std::optional<std::size_t> got = file.Read(chunk.data(), chunk.size());
    if (!got || *got > chunk.size()) {
      return false;
    }
    if (*got == 0) {
      return true;
    }
    bytes->append(chunk.data(), *got);
  }
}

FileBytes ReadFileBytes(FileSystem& files, const std::string& path) {
  FileBytes result;
  result.path = path;
  if (path.empty()) {
    return result;
  }
  std::unique_ptr<InputFile> file = files.OpenForReading(path);
  if (!file) {
    return result;
  }
  result.status =
      ReadToEnd(*file, &result.bytes) ? FileReadStatus::kRead : FileReadStatus::kReadError;
  return result;
}

}  // namespace korvane
