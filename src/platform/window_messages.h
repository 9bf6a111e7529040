#pragma once
// Window message numbers and command codes, with the values Windows gives them.
#include <cstdint>

namespace korvane::msg {

inline constexpr std::uint32_t kDestroy = 0x0002;        // WM_DESTROY
inline constexpr std::uint32_t kClose = 0x0010;          // WM_CLOSE
inline constexpr std::uint32_t kCommand = 0x0111;        // WM_COMMAND
inline constexpr std::uint32_t kTimer = 0x0113;          // WM_TIMER
inline constexpr std::uint32_t kGraphEvent = 0x0401;     // WM_USER + 1, posted by the filter graph
inline constexpr std::uint32_t kDeviceRemoved = 0x0670;  // sent by the dialog to itself

// Notification codes carried in the high word of WM_COMMAND's wParam.
inline constexpr std::uint16_t kBnClicked = 0;
inline constexpr std::uint16_t kLbnSelChange = 1;

// Dialog results and command identifiers.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

inline constexpr int kLbErr = -1;          // LB_ERR
inline constexpr int kCtlColorStatic = 6;  // CTLCOLOR_STATIC

inline constexpr std::uintptr_t CommandWParam(int controlId, std::uint16_t code) {
  return (static_cast<std::uintptr_t>(code) << 16) | (static_cast<std::uintptr_t>(controlId) & 0xFFFF);
}
inline constexpr int CommandId(std::uintptr_t wParam) { return static_cast<int>(wParam & 0xFFFF); }
inline constexpr std::uint16_t CommandCode(std::uintptr_t wParam) {
  return static_cast<std::uint16_t>((wParam >> 16) & 0xFFFF);
}

}  // namespace korvane::msg
