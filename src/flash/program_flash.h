#pragma once
// Erasing the camera's SPI flash through the controller's SPI registers and sending the image in
// 8-byte blocks.
#include <cstdint>
#include <string_view>

#include "device/device_state.h"
#include "device/xu_request.h"
#include "platform/clock.h"
#include "platform/dialog_window.h"

namespace korvane {

inline constexpr std::string_view kDoNotRemoveStatus = "Please do not remove the device...";
// Shown when the block buffer cannot be had.
inline constexpr std::string_view kProgramErrorMessage = "Error";

// The sector erase writes go on control 3 under both extension unit variants.
inline constexpr std::uint8_t kSpiRegisterSelector = 3;
inline constexpr std::uint32_t kSectorBytes = 4096;
inline constexpr std::uint32_t kCommandPauseMs = 100;
inline constexpr std::uint32_t kEraseSettleMs = 2000;

// The last 4 KB sector the erase covers: at least sector 7 (the first 32 KB), and far enough to
// hold every programmed byte, so that no block lands in flash that was never erased.
std::uint32_t LastErasedSector(std::uint32_t programmedLength);

// Erases sectors 0 to LastErasedSector (100 ms after each executed command), sends control 6,
// erases the whole chip when none of the radios 1099, 1100 and 1101 is checked, waits 2000 ms,
// then sends one block per 8 bytes of `image` with the progress bar 1027 and the status line 1338
// following it; after each full block one waiting window message is dispatched. `image` must hold
// `programmedLength` bytes; a null image or a length beyond the image buffer (0xFFFF bytes) fails
// without a request. Any refused request stops the sequence without a message.
bool ProgramFlash(DeviceState& state, const XuChannel& channel, const std::uint8_t* image,
                  std::uint32_t programmedLength, DialogWindow& window, Clock& clock);

}  // namespace korvane
