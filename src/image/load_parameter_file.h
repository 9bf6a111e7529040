#pragma once
#include "image/image_files_state.h"
#include "platform/dialog_window.h"
#include "platform/file_system.h"

namespace korvane {

// The dialog's parameter loader: reads m_parameterPath from the working directory and fills
// m_parameterLines, m_parameterSum, m_parameterHeader and m_parameterLoaded; disables 1024 and 1025
// while loading and enables them once the whole file was read. A file that does not open only
// clears 1011; a bad line shows "Open File Error." and then clears 1011.
void LoadParameterFile(ImageFilesState& state, FileSystem& files, DialogWindow& window);

}  // namespace korvane
