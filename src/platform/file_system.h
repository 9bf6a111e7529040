#pragma once
// The file seam: the working directory, its listing and raw files. Every file is read and written
// as bytes; the text-mode rules (LF written as CR LF, CR LF read as LF) live in the logic, so the
// files on disk are the same bytes on every platform.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// FindNextFile over a listing that FindFirstFile started.
class DirectoryListing {
 public:
  virtual ~DirectoryListing() = default;
  // The next entry's name, or false when there is none.
  virtual bool NextEntry(std::string* name) = 0;
};

class InputFile {
 public:
  virtual ~InputFile() = default;
  virtual std::optional<std::uint64_t> Size() = 0;
  // Bytes read (0 at the end), or nullopt on a read error.
  virtual std::optional<std::size_t> Read(void* buffer, std::size_t size) = 0;
};

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // False when not every byte could be written (a full disk, a lost medium).
  virtual bool Write(const void* data, std::size_t size) = 0;
  // Flushes and closes; false when that fails.
  virtual bool Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The process's current directory, of any length; nullopt when it cannot be had.
  virtual std::optional<std::string> CurrentDirectory() = 0;
  // The directory followed by the platform's separator and the name.
  virtual std::string JoinPath(std::string_view directory, std::string_view name) = 0;
  // FindFirstFile: starts a listing of `pattern` (a directory joined with "*.*") and delivers its
  // first entry; null when the listing cannot start. On Windows the first entry of an ordinary
  // directory is "."; the POSIX listing delivers "." first as well.
  virtual std::unique_ptr<DirectoryListing> StartListing(const std::string& pattern,
                                                         std::string* firstEntry) = 0;
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;
  // Creates or truncates the file for writing.
  virtual std::unique_ptr<OutputFile> CreateForWriting(const std::string& path) = 0;
};

}  // namespace korvane
