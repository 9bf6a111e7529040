#pragma once
// The flash image assembly: EEPROM.text written from the line lists, read back in text mode and
// converted into the image, the length word set, EEPROM.bin written.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "flash/header_fields.h"
#include "platform/file_system.h"

namespace korvane {

inline constexpr char kEepromTextName[] = "EEPROM.text";
inline constexpr char kEepromBinName[] = "EEPROM.bin";
// The message box text of every failure of the assembly.
inline constexpr char kBuildErrorMessage[] = "Error";
// Bytes sent after the image; the image length word counts from this far in.
inline constexpr std::uint32_t kProgrammedTail = 0x80;
inline constexpr std::uint32_t kLengthWordBase = 0xC0;

enum class FlashImageStatus {
  kBuilt,
  kTextNotCreated,
  kTextNotWritten,
  kTextNotReopened,
  kTextNotRead,
  kNoReadBackBuffer,
  kConversionFailed,
  kImageTooLong,  // the programmed length would run past the image buffer
  kBinNotCreated,
  kBinNotWritten,
};

struct FlashImageBuild {
  FlashImageStatus status = FlashImageStatus::kBuilt;
  std::uint16_t checksumWord = 0;
  std::uint32_t imageLength = 0;
  std::uint32_t programmedLength = 0;
  std::string reason;  // what went wrong, with the file's path

  bool Built() const { return status == FlashImageStatus::kBuilt; }
};

struct FlashImageSources {
  std::uint16_t firmwareSum = 0;
  std::uint16_t parameterSum = 0;
  const std::vector<std::string>& parameterLines;
  const std::vector<std::string>& firmwareLines;
};

// `image` is the flash image buffer of kFlashImageCapacity bytes. Appends "FFFF" to
// m_headerSizeText (which the header split left empty). On failure the caller shows
// kBuildErrorMessage.
FlashImageBuild BuildFlashImage(FileSystem& files, std::string_view workingDirectory,
                                HeaderFields& fields, const FlashImageSources& sources,
                                std::uint8_t* image);

}  // namespace korvane
