#include "tools/korvane_image/image_tool.h"

#include <cstdio>
#include <memory>

#include "flash/build_flash_image.h"
#include "flash/split_parameter_header.h"
#include "image/file_bytes.h"
#include "image/find_image_files.h"
#include "image/firmware_text.h"
#include "image/hex_text_to_image.h"
#include "image/load_firmware_file.h"
#include "image/parameter_text.h"
#include "tools/korvane_image/tool_options.h"

namespace korvane {
namespace {

constexpr char kFileNotFoundStatus[] = "   File not Found !!!";
constexpr char kOpenFileErrorStatus[] = "   Open File Error !!!";

// The station's working directory is the process's; --dir moves it.
class WorkingDirectoryOverride final : public FileSystem {
 public:
  WorkingDirectoryOverride(FileSystem& files, std::string directory)
      : files_(files), directory_(std::move(directory)) {}

  std::optional<std::string> CurrentDirectory() override { return directory_; }
  std::string JoinPath(std::string_view directory, std::string_view name) override {
    return files_.JoinPath(directory, name);
  }
  std::unique_ptr<DirectoryListing> StartListing(const std::string& pattern,
                                                 std::string* firstEntry) override {
    return files_.StartListing(pattern, firstEntry);
  }
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    return files_.OpenForReading(path);
  }
  std::unique_ptr<OutputFile> CreateForWriting(const std::string& path) override {
    return files_.CreateForWriting(path);
  }

 private:
  FileSystem& files_;
  std::string directory_;
};

std::string Hex4(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
  return text;
}

std::string LineText(const std::string& file, std::size_t lineNumber, const std::string& reason) {
  return file + ", line " + std::to_string(lineNumber) + ": " + reason;
}

struct Failure {
  std::string message;
  std::string detail;
};

class ImageTool {
 public:
  ImageTool(FileSystem& files, const ToolOptions& options, std::ostream& out)
      : files_(files), options_(options), out_(out) {}

  std::optional<Failure> Run() {
    std::optional<std::string> directory = files_.CurrentDirectory();
    if (!directory) {
      return Failure{kFileNotFoundStatus, "the working directory cannot be had"};
    }
    directory_ = *directory;
    if (FindImageFiles(state_, files_) == 0) {
      return Failure{kFileNotFoundStatus, MissingFiles()};
    }
    out_ << "Firmware file:     " << state_.m_firmwarePath << "\n"
         << "Parameter file:    " << state_.m_parameterPath << "\n";
    if (auto failure = LoadFirmware()) {
      return failure;
    }
    if (auto failure = LoadParameters()) {
      return failure;
    }
    return BuildImage();
  }

 private:
  std::string MissingFiles() const {
    std::string missing;
    if (state_.m_firmwarePath.empty()) {
      missing = "no entry of " + directory_ + " has \"FW.hex\" in its name";
    }
    if (state_.m_parameterPath.empty()) {
      missing += missing.empty() ? "" : "; ";
      missing += "no entry of " + directory_ + " has \"UI.hex\" in its name";
    }
    return missing;
  }

  std::optional<Failure> LoadFirmware() {
    const std::string& name = state_.m_firmwarePath;
    FileBytes file = ReadFileBytes(files_, files_.JoinPath(directory_, name));
    if (file.status == FileReadStatus::kNotOpened) {
      return Failure{kOpenFileErrorMessage, name + ": cannot be opened"};
    }
    if (file.status == FileReadStatus::kReadError) {
      return Failure{kOpenFileErrorMessage, name + ": read error"};
    }
    FirmwareText text = ParseFirmwareText(file.bytes, options_.controllerKind);
    if (text.status == FirmwareTextStatus::kBadLine) {
      return Failure{kOpenFileErrorMessage, LineText(name, text.lineNumber, text.reason)};
    }
    if (text.status == FirmwareTextStatus::kNoRecord) {
      return Failure{kOpenFileErrorMessage, name + ": " + text.reason + " of " + options_.model};
    }
    state_.m_firmwareLines = std::move(text.lines);
    state_.m_firmwareSum = text.sum;
    return std::nullopt;
  }

  std::optional<Failure> LoadParameters() {
    const std::string& name = state_.m_parameterPath;
    FileBytes file = ReadFileBytes(files_, files_.JoinPath(directory_, name));
    if (file.status == FileReadStatus::kNotOpened) {
      return Failure{kOpenFileErrorStatus, name + ": cannot be opened"};
    }
    if (file.status == FileReadStatus::kReadError) {
      return Failure{kOpenFileErrorMessage, name + ": read error"};
    }
    ParameterText text = ParseParameterText(file.bytes);
    if (text.status == ParameterTextStatus::kBadLine) {
      return Failure{kOpenFileErrorMessage, LineText(name, text.lineNumber, text.reason)};
    }
    state_.m_parameterLines = std::move(text.lines);
    state_.m_parameterSum = text.sum;
    state_.m_parameterHeader = text.header.empty() ? kDefaultParameterHeader : text.header;
    return std::nullopt;
  }

  std::optional<Failure> BuildImage() {
    HeaderFields fields;
    SplitParameterHeader(state_.m_parameterHeader, fields);
    std::unique_ptr<std::uint8_t[]> image(new (std::nothrow) std::uint8_t[kFlashImageCapacity]);
    if (!image) {
      return Failure{kBuildErrorMessage, "no memory for the flash image"};
    }
    FlashImageBuild build = BuildFlashImage(files_, directory_, fields,
                                            {state_.m_firmwareSum, state_.m_parameterSum,
                                             state_.m_parameterLines, state_.m_firmwareLines},
                                            image.get());
    if (!build.Built()) {
      return Failure{kBuildErrorMessage, build.reason};
    }
    out_ << "Image length:      " << Hex4(build.imageLength) << " (" << build.imageLength
         << " bytes)\n"
         << "Programmed length: " << Hex4(build.programmedLength) << " (" << build.programmedLength
         << " bytes)\n"
         << "Checksum word:     " << Hex4(build.checksumWord) << "\n"
         << "Wrote " << files_.JoinPath(directory_, kEepromTextName) << " and "
         << files_.JoinPath(directory_, kEepromBinName) << "\n";
    return std::nullopt;
  }

  FileSystem& files_;
  const ToolOptions& options_;
  std::ostream& out_;
  std::string directory_;
  ImageFilesState state_;
};

// DIR as given when absolute, else below the current directory.
std::optional<std::string> ChosenDirectory(FileSystem& files, const std::string& dir) {
  if (!dir.empty() && dir.front() == '/') {
    return dir;
  }
  std::optional<std::string> current = files.CurrentDirectory();
  if (!current) {
    return std::nullopt;
  }
  return files.JoinPath(*current, dir);
}

}  // namespace

int RunImageTool(const std::vector<std::string>& args, FileSystem& files, std::ostream& out,
                 std::ostream& err) {
  std::string problem;
  std::optional<ToolOptions> options = ParseToolOptions(args, &problem);
  if (!options) {
    err << "korvane-image: " << problem << "\n\n" << kToolUsage;
    return 2;
  }
  if (options->help) {
    out << kToolUsage;
    return 0;
  }
  std::optional<Failure> failure;
  if (options->directory) {
    std::optional<std::string> directory = ChosenDirectory(files, *options->directory);
    if (!directory) {
      failure = Failure{kFileNotFoundStatus, "the working directory cannot be had"};
    } else {
      WorkingDirectoryOverride moved(files, *directory);
      failure = ImageTool(moved, *options, out).Run();
    }
  } else {
    failure = ImageTool(files, *options, out).Run();
  }
  if (failure) {
    err << failure->message << "\n" << failure->detail << "\n";
    return 1;
  }
  return 0;
}

}  // namespace korvane
