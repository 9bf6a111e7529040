#pragma once
// Reading a whole file of the working directory through the file seam.
#include <string>

#include "platform/file_system.h"

namespace korvane {

enum class FileReadStatus {
  kRead,
  kNotOpened,
  kReadError,  // the file opened, then a read failed
};

struct FileBytes {
  FileReadStatus status = FileReadStatus::kNotOpened;
  std::string path;   // the full path that was opened
  std::string bytes;  // the whole file when status is kRead
};

// The bare name joined with the working directory, as the station opens its files. Empty when the
// working directory cannot be had.
std::string WorkingDirectoryPath(FileSystem& files, const std::string& name);

// Opens `path` and reads it to its end.
FileBytes ReadFileBytes(FileSystem& files, const std::string& path);

// The same for an already opened file.
bool ReadToEnd(InputFile& file, std::string* bytes);

}  // namespace korvane
