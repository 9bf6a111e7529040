#pragma once
// An in-memory file seam for tests and benchmarks: one working directory, files as byte strings,
// and faults on chosen paths.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace korvane::testing {

class MemoryFileSystem : public FileSystem {
 public:
  explicit MemoryFileSystem(std::string directory = "/work") : directory_(std::move(directory)) {}

  // Adds (or replaces) a file of the working directory; the listing keeps the order of adding.
  void AddFile(const std::string& name, std::string bytes) {
    Remember(name);
    files_[JoinPath(directory_, name)] = std::move(bytes);
  }
  // An entry that lists like a file but does not open.
  void AddDirectory(const std::string& name) { Remember(name); }

  // Everything under the working directory's path, by bare name.
  const std::string* File(const std::string& name) const {
    auto it = files_.find(Join(directory_, name));
    return it == files_.end() ? nullptr : &it->second;
  }
  bool Has(const std::string& name) const { return File(name) != nullptr; }
  // The file's bytes; empty when there is no such file.
  std::string Contents(const std::string& name) const {
    auto it = files_.find(Join(directory_, name));
    return it == files_.end() ? std::string() : it->second;
  }

  void SetDirectory(std::string directory) { directory_ = std::move(directory); }
  void LoseDirectory() { directoryLost_ = true; }
  void FailListing() { listingFails_ = true; }
  void SetFirstEntry(std::string name) { firstEntry_ = std::move(name); }

  // Faults, by bare name.
  void FailOpen(const std::string& name) { failOpen_.insert(name); }
  void FailRead(const std::string& name) { failRead_.insert(name); }
  void FailSize(const std::string& name) { failSize_.insert(name); }
  void FailCreate(const std::string& name) { failCreate_.insert(name); }
  void FailWrite(const std::string& name) { failWrite_.insert(name); }
  void FailClose(const std::string& name) { failClose_.insert(name); }
  // Opening for reading fails from the n-th open of the name on (1-based).
  void FailOpenFrom(const std::string& name, int n) { failOpenFrom_[name] = n; }

  std::vector<std::string> openedPaths;

  std::optional<std::string> CurrentDirectory() override {
    if (directoryLost_) {
      return std::nullopt;
    }
    return directory_;
  }

  std::string JoinPath(std::string_view directory, std::string_view name) override {
    return Join(directory, name);
  }

  static std::string Join(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (path.empty() || path.back() != '/') {
      path += '/';
    }
    path += name;
    return path;
  }

  std::unique_ptr<DirectoryListing> StartListing(const std::string& pattern,
                                                 std::string* firstEntry) override {
    if (listingFails_ || pattern != JoinPath(directory_, "*.*")) {
      return nullptr;
    }
    *firstEntry = firstEntry_;
    return std::make_unique<Listing>(entries_);
  }

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    openedPaths.push_back(path);
    const std::string name = BareName(path);
    int& opens = openCounts_[name];
    ++opens;
    auto from = failOpenFrom_.find(name);
    if (failOpen_.count(name) != 0 || (from != failOpenFrom_.end() && opens >= from->second)) {
      return nullptr;
    }
    auto it = files_.find(path);
    if (it == files_.end()) {
      return nullptr;
    }
    return std::make_unique<Input>(it->second, failRead_.count(name) != 0,
                                   failSize_.count(name) != 0);
  }

  std::unique_ptr<OutputFile> CreateForWriting(const std::string& path) override {
    const std::string name = BareName(path);
    if (failCreate_.count(name) != 0) {
      return nullptr;
    }
    Remember(name);
    std::string& contents = files_[path];
    contents.clear();
    return std::make_unique<Output>(contents, failWrite_.count(name) != 0,
                                    failClose_.count(name) != 0);
  }

 private:
  class Listing : public DirectoryListing {
   public:
    explicit Listing(std::vector<std::string> names) : names_(std::move(names)) {}
    bool NextEntry(std::string* name) override {
      if (next_ == names_.size()) {
        return false;
      }
      *name = names_[next_++];
      return true;
    }

   private:
    std::vector<std::string> names_;
    std::size_t next_ = 0;
  };

  class Input : public InputFile {
   public:
    Input(const std::string& bytes, bool failRead, bool failSize)
        : bytes_(bytes), failRead_(failRead), failSize_(failSize) {}
    std::optional<std::uint64_t> Size() override {
      if (failSize_) {
        return std::nullopt;
      }
      return bytes_.size();
    }
    std::optional<std::size_t> Read(void* buffer, std::size_t size) override {
      if (failRead_) {
        return std::nullopt;
      }
      std::size_t count = std::min(size, bytes_.size() - offset_);
      std::copy_n(bytes_.data() + offset_, count, static_cast<char*>(buffer));
      offset_ += count;
      return count;
    }

   private:
    std::string bytes_;
    std::size_t offset_ = 0;
    bool failRead_;
    bool failSize_;
  };

  class Output : public OutputFile {
   public:
    Output(std::string& contents, bool failWrite, bool failClose)
        : contents_(contents), failWrite_(failWrite), failClose_(failClose) {}
    bool Write(const void* data, std::size_t size) override {
      if (failWrite_) {
        return false;  // a full disk: part of the data may be lost
      }
      contents_.append(static_cast<const char*>(data), size);
      return true;
    }
    bool Close() override { return !failClose_; }

   private:
    std::string& contents_;
    bool failWrite_;
    bool failClose_;
  };

  static std::string BareName(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
  }

  void Remember(const std::string& name) {
    if (std::find(entries_.begin(), entries_.end(), name) == entries_.end()) {
      entries_.push_back(name);
    }
  }

  std::string directory_;
  bool directoryLost_ = false;
  bool listingFails_ = false;
  std::string firstEntry_ = ".";
  std::vector<std::string> entries_;
  std::map<std::string, std::string> files_;
  std::set<std::string> failOpen_, failRead_, failSize_, failCreate_, failWrite_, failClose_;
  std::map<std::string, int> failOpenFrom_;
  std::map<std::string, int> openCounts_;
};

}  // namespace korvane::testing
