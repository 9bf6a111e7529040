#pragma once
// The file seam on POSIX: the current directory, dirent listings and stdio files.
#include "platform/file_system.h"

namespace korvane {

class PosixFileSystem final : public FileSystem {
 public:
  std::optional<std::string> CurrentDirectory() override;
  std::string JoinPath(std::string_view directory, std::string_view name) override;
  std::unique_ptr<DirectoryListing> StartListing(const std::string& pattern,
                                                 std::string* firstEntry) override;
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateForWriting(const std::string& path) override;
};

}  // namespace korvane
