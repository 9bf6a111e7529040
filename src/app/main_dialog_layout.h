#pragma once
// The main dialog (template 102) as data, and the texts the station shows in it.
#include <string_view>

#include "platform/dialog_layout.h"

namespace korvane {

inline constexpr std::string_view kProductCaption = "Tavolin Nuvex Firmware Upgrade Tool";

// Texts of the status line 1338.
inline constexpr std::string_view kStatusDeviceReady = "   USB Device Ready !!!";
inline constexpr std::string_view kStatusDeviceFailure = "   USB Device Initialize Failure !!!";
inline constexpr std::string_view kStatusFileNotFound = "   File not Found !!!";
inline constexpr std::string_view kStatusOpenFileError = "   Open File Error !!!";
inline constexpr std::string_view kStatusInsufficientResource =
    "   There is insufficient resource to execute this program !!!";
inline constexpr std::string_view kStatusDoNotRemove = "Please do not remove the device...";

// Texts of the result box 1336.
inline constexpr std::string_view kResultPass = "PASS";
inline constexpr std::string_view kResultFail = "FAIL";

// Every control of the window in template (tab) order, with the combo boxes' items.
DialogLayout MainDialogLayout();

}  // namespace korvane
