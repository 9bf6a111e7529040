#include "image/load_parameter_file.h"

#include "image/file_bytes.h"
#include "image/load_firmware_file.h"
#include "image/parameter_text.h"
#include "platform/control_ids.h"

namespace korvane {
namespace {

void ParameterLineFailure(DialogWindow& window) {
  window.ShowMessage(kOpenFileErrorMessage);
  window.SetControlText(ctrl::kParameterNameEdit, "");
}

}  // namespace

void LoadParameterFile(ImageFilesState& state, FileSystem& files, DialogWindow& window) {
  FileBytes file = ReadFileBytes(files, WorkingDirectoryPath(files, state.m_parameterPath));
  if (file.status == FileReadStatus::kNotOpened) {
    window.SetControlText(ctrl::kParameterNameEdit, "");
    return;
  }
  state.m_parameterSum = 0;
  state.m_parameterLines.clear();
  state.m_parameterHeader.clear();
  window.EnableControl(ctrl::kSaveParameterButton, false);
  window.EnableControl(ctrl::kParameterPageButton, false);
  if (file.status == FileReadStatus::kReadError) {
    ParameterLineFailure(window);
    return;
  }
  ParameterText text = ParseParameterText(file.bytes);
  state.m_parameterSum = text.sum;
  state.m_parameterLines = std::move(text.lines);
  state.m_parameterHeader = std::move(text.header);
  if (text.status != ParameterTextStatus::kLoaded) {
    ParameterLineFailure(window);
    return;
  }
  if (state.m_parameterHeader.empty()) {
    state.m_parameterHeader = kDefaultParameterHeader;
  }
  window.EnableControl(ctrl::kSaveParameterButton, true);
  window.EnableControl(ctrl::kParameterPageButton, true);
  state.m_parameterLoaded = 1;
}

}  // namespace korvane
