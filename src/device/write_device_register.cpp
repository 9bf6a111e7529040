#include "device/write_device_register.h"

#include <optional>

#include "device/register_channel.h"
#include "device/xu_node.h"

namespace korvane {

std::int32_t WriteDeviceRegister(DeviceState& state, std::uint8_t selector, std::uint8_t reg,
                                 std::uint8_t value) {
  if (state.m_deviceMissing == 1) {
    return 0;
  }
  if (state.m_selectedDevice < 0 ||
      state.m_selectedDevice >= static_cast<std::int32_t>(kDeviceFilterSlots)) {
    return 0;
  }
  const auto slot = static_cast<std::size_t>(state.m_selectedDevice);
  const std::optional<XuChannel> channel = OpenXuChannel(state.m_deviceFilters[slot]);
  if (!channel) {
    return 0;
  }
  return WriteRegister(state, *channel, selector, reg, value) ? 1 : 0;
}

}  // namespace korvane
