#pragma once
// Discovery: the first video capture device with a known controller becomes the device in use.
#include "device/device_state.h"
#include "platform/capture_devices.h"
#include "platform/dialog_window.h"

namespace korvane {

inline constexpr std::string_view kProductTitle = "Tavolin Nuvex Firmware Upgrade Tool";
inline constexpr std::string_view kDeviceReadyText = "   USB Device Ready !!!";

// The window is also where the filter graph posts msg::kGraphEvent.
void EnumerateDevices(DeviceState& state, DialogWindow& window, CaptureSystem& system);

// Deletes entry 0 of the device list while entries remain. A list that answers with an error, or
// that does not shrink, ends the loop instead of spinning forever.
void EmptyDeviceList(DialogWindow& window);

// Releases every capture filter the state holds and empties its slots.
void ReleaseDeviceFilters(DeviceState& state);

}  // namespace korvane
