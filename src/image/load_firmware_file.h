#pragma once
#include <cstdint>

#include "image/image_files_state.h"
#include "platform/dialog_window.h"
#include "platform/file_system.h"

namespace korvane {

inline constexpr char kOpenFileErrorMessage[] = "Open File Error.";

// The dialog's firmware loader: reads m_firmwarePath from the working directory and fills
// m_firmwareLines, m_firmwareSum and m_firmwareLoaded; enables 1022 on success, clears 1010 and
// shows "Open File Error." on failure.
void LoadFirmwareFile(ImageFilesState& state, std::int32_t controllerKind, FileSystem& files,
                      DialogWindow& window);

}  // namespace korvane
