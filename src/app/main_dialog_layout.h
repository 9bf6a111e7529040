#pragma once
// The main dialog (template 102) as data, and the texts the station shows in it.
#include <string_view>

#include "device/enumerate_devices.h"
#include "flash/program_flash.h"
#include "flash/write_procedure.h"
#include "platform/dialog_layout.h"

namespace korvane {

inline constexpr std::string_view kProductCaption = kProductTitle;

// Texts of the status line 1338.
inline constexpr std::string_view kStatusDeviceReady = kDeviceReadyText;
inline constexpr std::string_view kStatusDeviceFailure = "   USB Device Initialize Failure !!!";
inline constexpr std::string_view kStatusFileNotFound = "   File not Found !!!";
inline constexpr std::string_view kStatusOpenFileError = "   Open File Error !!!";
inline constexpr std::string_view kStatusInsufficientResource =
    "   There is insufficient resource to execute this program !!!";
inline constexpr std::string_view kStatusDoNotRemove = kDoNotRemoveStatus;

// Texts of the result box 1336.
inline constexpr std::string_view kResultPass = kWritePassText;
inline constexpr std::string_view kResultFail = kWriteFailText;

// Every control of the window in template (tab) order, with the combo boxes' items.
DialogLayout MainDialogLayout();

}  // namespace korvane
