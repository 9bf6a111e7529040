#include "flash/build_flash_image.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

#include "flash/eeprom_text.h"
#include "image/hex_record_line.h"
#include "image/hex_text_to_image.h"
#include "image/text_mode.h"

namespace korvane {
namespace {

FlashImageBuild Failed(FlashImageBuild build, FlashImageStatus status, std::string reason) {
  build.status = status;
  build.reason = std::move(reason);
  return build;
}

// Writes `bytes` into a new or truncated file; false with the status when any step fails.
bool WriteWholeFile(FileSystem& files, const std::string& path, const void* bytes, std::size_t size,
                    FlashImageStatus notCreated, FlashImageStatus notWritten,
                    FlashImageBuild& build) {
  std::unique_ptr<OutputFile> file = files.CreateForWriting(path);
  if (!file) {
    build = Failed(build, notCreated, path + ": cannot be created");
    return false;
  }
  if (!file->Write(bytes, size) || !file->Close()) {
    build = Failed(build, notWritten, path + ": write failed");
    return false;
  }
  return true;
}

struct ReadBack {
  std::unique_ptr<std::uint8_t[]> text;
  std::size_t length = 0;
};

// Reads up to `size` bytes; the number read, or nullopt on a read error.
std::optional<std::size_t> ReadUpTo(InputFile& file, std::uint8_t* buffer, std::size_t size) {
  std::size_t got = 0;
  while (got < size) {
    std::optional<std::size_t> chunk = file.Read(buffer + got, size - got);
    if (!chunk || *chunk > size - got) {
      return std::nullopt;
    }
    if (*chunk == 0) {
      break;
    }
    got += *chunk;
  }
  return got;
}

// The file read back in text mode, into a buffer of the file's size.
bool ReadTextBack(FileSystem& files, const std::string& path, ReadBack& readBack,
                  FlashImageBuild& build) {
  std::unique_ptr<InputFile> file = files.OpenForReading(path);
  if (!file) {
    build = Failed(build, FlashImageStatus::kTextNotReopened, path + ": cannot be opened again");
    return false;
  }
  std::optional<std::uint64_t> size = file->Size();
  if (!size) {
    build = Failed(build, FlashImageStatus::kTextNotRead, path + ": size unknown");
    return false;
  }
  const bool fits = *size < SIZE_MAX;
  const std::size_t fileSize = fits ? static_cast<std::size_t>(*size) : 0;
  if (fits) {
    readBack.text.reset(new (std::nothrow) std::uint8_t[std::max<std::size_t>(fileSize, 1)]);
  }
  if (!readBack.text) {
    build = Failed(build, FlashImageStatus::kNoReadBackBuffer, "no memory for the read-back text");
    return false;
  }
  std::optional<std::size_t> got = ReadUpTo(*file, readBack.text.get(), fileSize);
  if (!got) {
    build = Failed(build, FlashImageStatus::kTextNotRead, path + ": read failed");
    return false;
  }
  readBack.length = TextFromDiskInPlace(readBack.text.get(), *got);
  return true;
}

void StoreLengthWord(std::uint32_t imageLength, std::uint8_t* image) {
  const auto word = static_cast<std::uint16_t>(imageLength - kLengthWordBase);
  image[0] = static_cast<std::uint8_t>(word >> 8);
  image[1] = static_cast<std::uint8_t>(word & 0xFF);
}

}  // namespace

FlashImageBuild BuildFlashImage(FileSystem& files, std::string_view workingDirectory,
                                HeaderFields& fields, const FlashImageSources& sources,
                                std::uint8_t* image) {
  FlashImageBuild build;
  fields.m_headerSizeText += HexWordText(static_cast<std::uint16_t>(kFlashImageCapacity));
  build.checksumWord = ChecksumWord(sources.firmwareSum, sources.parameterSum);

  const std::string textPath = files.JoinPath(workingDirectory, kEepromTextName);
  const std::string onDisk =
      TextToDisk(EepromRecordText(FlashHeaderRecordLine(fields, build.checksumWord),
                                  sources.parameterLines, sources.firmwareLines));
  if (!WriteWholeFile(files, textPath, onDisk.data(), onDisk.size(),
                      FlashImageStatus::kTextNotCreated, FlashImageStatus::kTextNotWritten,
                      build)) {
    return build;
  }

  ReadBack readBack;
  if (!ReadTextBack(files, textPath, readBack, build)) {
    return build;
  }

  std::fill(image, image + kFlashImageCapacity, std::uint8_t{0});
  std::uint32_t imageLength = kFlashImageCapacity;
  if (HexTextToImage(readBack.text.get(), readBack.length, image, &imageLength) != 0) {
    return Failed(build, FlashImageStatus::kConversionFailed,
                  textPath + ": a record lies at or runs past the image capacity 0xFFFF");
  }
  build.imageLength = imageLength;
  if (imageLength > kFlashImageCapacity - kProgrammedTail) {
    return Failed(build, FlashImageStatus::kImageTooLong,
                  "image length " + std::to_string(imageLength) +
                      " leaves no room for the 128 bytes sent after it");
  }
  StoreLengthWord(imageLength, image);

  const std::uint32_t programmedLength = imageLength + kProgrammedTail;
  const std::string binPath = files.JoinPath(workingDirectory, kEepromBinName);
  if (WriteWholeFile(files, binPath, image, programmedLength, FlashImageStatus::kBinNotCreated,
                     FlashImageStatus::kBinNotWritten, build)) {
    build.programmedLength = programmedLength;
  }
  return build;
}

}  // namespace korvane
