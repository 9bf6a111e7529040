#pragma once
// Which controller, if any, sits behind a capture filter: the extension unit variant, the chip
// identifier and two further registers.
#include <cstdint>

#include "device/device_state.h"

namespace korvane {

inline constexpr std::array<std::uint8_t, 4> kXuSelectorsVariantA{1, 2, 3, 4};
inline constexpr std::array<std::uint8_t, 4> kXuSelectorsVariantB{9, 10, 11, 12};

// Each result is written the moment it is known; the caller sets chipId to 0 first.
struct ControllerIdentity {
  std::int32_t chipId = 0;            // register 0x01 high, 0x00 low
  std::int32_t register02Nibble = 0;  // bits 0 to 3 of register 0x02
  std::int32_t registerEB = 0;
};

// 1 when every request succeeded, else 0. Leaves m_xuPropertySet and m_xuSelectors set for every
// later request.
std::int32_t IdentifyController(DeviceState& state, const CaptureFilterRef& filter,
                                ControllerIdentity& identity);

}  // namespace korvane
