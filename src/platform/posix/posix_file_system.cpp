#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace korvane {
namespace {

// Delivers "." first, as FindFirstFile does in an ordinary directory, then the other entries in
// the order readdir gives them ("." and ".." themselves are not repeated).
class PosixListing final : public DirectoryListing {
 public:
  explicit PosixListing(DIR* dir) : dir_(dir) {}
  ~PosixListing() override { closedir(dir_); }
  PosixListing(const PosixListing&) = delete;
  PosixListing& operator=(const PosixListing&) = delete;

  bool NextEntry(std::string* name) override {
    while (dirent* entry = readdir(dir_)) {
      std::string entryName = entry->d_name;
      if (entryName == ".") {
        continue;
      }
      *name = std::move(entryName);
      return true;
    }
    return false;
  }

 private:
  DIR* dir_;
};

class StdioInputFile final : public InputFile {
 public:
  explicit StdioInputFile(std::FILE* file) : file_(file) {}
  ~StdioInputFile() override { std::fclose(file_); }
  StdioInputFile(const StdioInputFile&) = delete;
  StdioInputFile& operator=(const StdioInputFile&) = delete;

  std::optional<std::uint64_t> Size() override {
    struct stat info {};
    if (fstat(fileno(file_), &info) != 0 || info.st_size < 0) {
      return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
  }

  std::optional<std::size_t> Read(void* buffer, std::size_t size) override {
    std::size_t got = std::fread(buffer, 1, size, file_);
    if (got < size && std::ferror(file_)) {
      return std::nullopt;
    }
    return got;
  }

 private:
  std::FILE* file_;
};

class StdioOutputFile final : public OutputFile {
 public:
  explicit StdioOutputFile(std::FILE* file) : file_(file) {}
  ~StdioOutputFile() override {
    if (file_ != nullptr) {
      std::fclose(file_);
    }
  }
  StdioOutputFile(const StdioOutputFile&) = delete;
  StdioOutputFile& operator=(const StdioOutputFile&) = delete;

  bool Write(const void* data, std::size_t size) override {
    return file_ != nullptr && std::fwrite(data, 1, size, file_) == size;
  }

  bool Close() override {
    if (file_ == nullptr) {
      return false;
    }
    bool flushed = std::fflush(file_) == 0;
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return flushed && closed;
  }

 private:
  std::FILE* file_;
};

// The directory part of a listing pattern: everything before the last separator.
std::string PatternDirectory(const std::string& pattern) {
  auto slash = pattern.find_last_of('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? std::string("/") : pattern.substr(0, slash);
}

}  // namespace

std::optional<std::string> PosixFileSystem::CurrentDirectory() {
  std::vector<char> buffer(256);
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) {
      return std::string(buffer.data());
    }
    if (errno != ERANGE || buffer.size() > (1u << 20)) {
      return std::nullopt;
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string PosixFileSystem::JoinPath(std::string_view directory, std::string_view name) {
  std::string path(directory);
  if (path.empty() || path.back() != '/') {
    path += '/';
  }
  path += name;
  return path;
}

std::unique_ptr<DirectoryListing> PosixFileSystem::StartListing(const std::string& pattern,
                                                                std::string* firstEntry) {
  DIR* dir = opendir(PatternDirectory(pattern).c_str());
  if (dir == nullptr) {
    return nullptr;
  }
  *firstEntry = ".";
  return std::make_unique<PosixListing>(dir);
}

std::unique_ptr<InputFile> PosixFileSystem::OpenForReading(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return nullptr;
  }
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
    std::fclose(file);  // a directory opens under POSIX but is no file to read
    return nullptr;
  }
  return std::make_unique<StdioInputFile>(file);
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateForWriting(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return nullptr;
  }
  return std::make_unique<StdioOutputFile>(file);
}

}  // namespace korvane
