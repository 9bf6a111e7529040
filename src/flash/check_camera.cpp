#include "flash/check_camera.h"

#include <optional>

#include "device/register_channel.h"

namespace korvane {
namespace {

constexpr std::uint16_t kLensBitWide = 0x2000;
constexpr std::uint16_t kLensBitNarrow = 0x1000;
// Eight digits fill the 32-bit word; characters before them cannot reach it.
constexpr std::size_t kLensDigits = 8;

struct CameraWords {
  std::uint16_t wordA = 0;
  std::uint16_t wordB = 0;
  std::uint16_t lensWord = 0;
};

std::optional<CameraWords> ReadCameraWords(DeviceState& state, const XuChannel& channel) {
  CameraWords words;
  if (!ReadRegisterPair(state, channel, kCameraWordSelector, 0xC2, 0xC3, &words.wordA) ||
      !ReadRegisterPair(state, channel, kCameraWordSelector, 0xC4, 0xC5, &words.wordB) ||
      !ReadRegisterPair(state, channel, kCameraWordSelector, 0xC6, 0xC7, &words.lensWord)) {
    return std::nullopt;
  }
  return words;
}

// 0x2000 wins over 0x1000; 0 when the camera asks for no lens.
std::uint32_t RequiredLensBit(std::uint16_t lensWord) {
  if ((lensWord & kLensBitWide) != 0) {
    return kLensBitWide;
  }
  if ((lensWord & kLensBitNarrow) != 0) {
    return kLensBitNarrow;
  }
  return 0;
}

std::uint32_t DigitValue(char c) {
  return c >= '0' && c <= '9' ? static_cast<std::uint32_t>(c - '0') : 0;
}

}  // namespace

std::uint32_t ParameterLensWord(std::string_view headerWord3) {
  std::uint32_t word = 0;
  const std::size_t size = headerWord3.size();
  for (std::size_t k = 0; k < size && k < kLensDigits; ++k) {
    word |= DigitValue(headerWord3[size - 1 - k]) << (4 * k);
  }
  return word;
}

bool CheckCamera(DeviceState& state, const XuChannel& channel, std::string_view headerWord3,
                 DialogWindow& window) {
  const std::optional<CameraWords> words = ReadCameraWords(state, channel);
  if (!words) {
    return false;
  }
  if (words->wordA != words->wordB) {
    return true;
  }
  const std::uint32_t required = RequiredLensBit(words->lensWord);
  if (required == 0 || (ParameterLensWord(headerWord3) & required) != 0) {
    return true;
  }
  window.ShowMessage(kLensErrorMessage);
  return false;
}

}  // namespace korvane
