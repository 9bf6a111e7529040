#pragma once
// One register write on the selected device through a channel of its own.
#include <cstdint>

#include "device/device_state.h"

namespace korvane {

// 1 on success, 0 when the device is marked missing, m_selectedDevice is outside 0 to 9, its
// entry is empty, the channel cannot be opened or the write is not accepted.
std::int32_t WriteDeviceRegister(DeviceState& state, std::uint8_t selector, std::uint8_t reg,
                                 std::uint8_t value);

}  // namespace korvane
