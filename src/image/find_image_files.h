#pragma once
#include "image/image_files_state.h"
#include "platform/file_system.h"

namespace korvane {

inline constexpr char kFirmwareMatch[] = "FW.hex";
inline constexpr char kParameterMatch[] = "UI.hex";

// Records the names of the firmware and parameter files of the working directory in
// m_firmwarePath and m_parameterPath. 1 when both were found, else 0.
int FindImageFiles(ImageFilesState& state, FileSystem& files);

}  // namespace korvane
