#pragma once
// The members of the dialog that device discovery, identification and the register channel share.
// The dialog class inherits them, so the operations here reach them as the dialog's own members.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/capture_devices.h"
#include "platform/guid.h"

namespace korvane {

inline constexpr std::size_t kDeviceFilterSlots = 10;
inline constexpr std::size_t kXuDataLength = 4;

struct DeviceState {
  // Property set of the extension unit variant in use.
  Guid m_xuPropertySet{};
  // Index into m_deviceFilters of the device all register traffic goes to.
  std::int32_t m_selectedDevice = 0;
  // 0 none identified, 1 KESTA, 2 TALVO, 3 MORIN.
  std::int32_t m_controllerKind = 0;
  std::array<CaptureFilterRef, kDeviceFilterSlots> m_deviceFilters{};
  // The 4-byte payload buffer of every register request; the dialog allocates it. While it is
  // null every request fails without being sent.
  std::unique_ptr<std::uint8_t[]> m_xuData;
  // Control selectors of the variant in use (1, 2, 3, 4 or 9, 10, 11, 12).
  std::array<std::uint8_t, 4> m_xuSelectors{};
  // Event interface of the filter graph of the last discovery run.
  std::shared_ptr<MediaEvents> m_mediaEvents;
  // Only exactly 1 counts as missing.
  std::int32_t m_deviceMissing = 1;
};

}  // namespace korvane
