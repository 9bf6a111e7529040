#pragma once
// The camera checks before anything is written: three camera words, and the lens the parameter
// file was made for.
#include <cstdint>
#include <string_view>

#include "device/device_state.h"
#include "device/xu_request.h"
#include "platform/dialog_window.h"

namespace korvane {

inline constexpr std::string_view kLensErrorMessage = "Lens Error";
// The camera words are read on control 3 under both extension unit variants.
inline constexpr std::uint8_t kCameraWordSelector = 3;

// The lens bits of `headerWord3`: each character read on its own as a decimal digit (anything
// else counts 0), the last one in bits 0 to 3, the one before it in bits 4 to 7, and so on.
std::uint32_t ParameterLensWord(std::string_view headerWord3);

// Reads camera words A, B and the lens word (registers 0xC2 to 0xC7, twelve requests). Passes when
// A and B differ, when the lens word asks for no lens, or when the parameter lens word has the
// required bit (0x2000 before 0x1000). A lens mismatch shows "Lens Error"; a failed request fails
// without a message and stops the reads.
bool CheckCamera(DeviceState& state, const XuChannel& channel, std::string_view headerWord3,
                 DialogWindow& window);

}  // namespace korvane
