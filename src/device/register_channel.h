#pragma once
// Register operations of the camera controller over the extension unit. The 4-byte requests use
// the state's m_xuData and fail without a request while it is null.
#include <array>
#include <cstdint>
#include <span>

#include "device/device_state.h"
#include "device/xu_request.h"

namespace korvane {

inline constexpr std::uint8_t kAddressSelector = 5;
inline constexpr std::uint8_t kControl6Selector = 6;
inline constexpr std::uint8_t kImageBlockSelector = 7;
inline constexpr std::size_t kImageBlockLength = 10;
inline constexpr std::size_t kImageBlockDataBytes = 8;

// Register address request on control 5, then a GET on `dataSelector`; the value is byte 0.
bool ReadRegister(DeviceState& state, const XuChannel& channel, std::uint8_t dataSelector,
                  std::uint8_t reg, std::uint8_t* value);

// High register in bits 8 to 15. The low register's address request keeps bytes 2 and 3 of the
// high read's answer.
bool ReadRegisterPair(DeviceState& state, const XuChannel& channel, std::uint8_t dataSelector,
                      std::uint8_t highReg, std::uint8_t lowReg, std::uint16_t* value);

bool WriteRegister(DeviceState& state, const XuChannel& channel, std::uint8_t dataSelector,
                   std::uint8_t reg, std::uint8_t value);

bool SetControl6(DeviceState& state, const XuChannel& channel);

// Sends 1 to 8 image bytes at `offset` on control 7 through the caller's 10-byte block buffer;
// any other count fails without a request.
bool WriteImageBlock(const DeviceState& state, const XuChannel& channel,
                     std::span<std::uint8_t, kImageBlockLength> blockBuffer, std::uint16_t offset,
                     std::span<const std::uint8_t> bytes);

}  // namespace korvane
