#include "image/load_firmware_file.h"

#include "image/file_bytes.h"
#include "image/firmware_text.h"
#include "platform/control_ids.h"

namespace korvane {
namespace {

void FirmwareFailure(DialogWindow& window) {
  window.SetControlText(ctrl::kFirmwareNameEdit, "");
  window.ShowMessage(kOpenFileErrorMessage);
}

}  // namespace

void LoadFirmwareFile(ImageFilesState& state, std::int32_t controllerKind, FileSystem& files,
                      DialogWindow& window) {
  FileBytes file = ReadFileBytes(files, WorkingDirectoryPath(files, state.m_firmwarePath));
  if (file.status == FileReadStatus::kNotOpened) {
    FirmwareFailure(window);
    return;
  }
  state.m_firmwareSum = 0;
  state.m_firmwareLines.clear();
  if (file.status == FileReadStatus::kReadError) {
    FirmwareFailure(window);
    return;
  }
  FirmwareText text = ParseFirmwareText(file.bytes, controllerKind);
  state.m_firmwareSum = text.sum;
  state.m_firmwareLines = std::move(text.lines);
  if (text.status != FirmwareTextStatus::kLoaded) {
    FirmwareFailure(window);
    return;
  }
  window.EnableControl(ctrl::kSaveFirmwareButton, true);
  state.m_firmwareLoaded = 1;
}

}  // namespace korvane
