#include "flash/write_procedure.h"

#include <array>
#include <optional>
#include <string>

#include "device/xu_node.h"
#include "flash/build_flash_image.h"
#include "flash/check_camera.h"
#include "flash/program_flash.h"
#include "flash/split_parameter_header.h"
#include "platform/control_ids.h"

namespace korvane {
namespace {

// Disabled at the start of a run, in this order.
constexpr std::array<int, 14> kDisabledDuringRun = {ctrl::kReadButton,
                                                    ctrl::kWriteRegisterButton,
                                                    ctrl::kParameterPageButton,
                                                    ctrl::kWriteButton,
                                                    ctrl::kEnumerateButton,
                                                    ctrl::kOpenFirmwareButton,
                                                    ctrl::kSaveFirmwareButton,
                                                    ctrl::kOpenParameterButton,
                                                    ctrl::kSaveParameterButton,
                                                    ctrl::kCheckFirmwareButton,
                                                    ctrl::kRadioAtmel,
                                                    ctrl::kRadioMxic,
                                                    ctrl::kRadioSst,
                                                    ctrl::kRadioPflash};

// Enabled again after every run, in this order; the Save and Parameter Page buttons follow their
// file names, and the PFlash radio stays disabled.
constexpr std::array<int, 10> kEnabledAfterRun = {
    ctrl::kReadButton,          ctrl::kWriteRegisterButton,
    ctrl::kWriteButton,         ctrl::kEnumerateButton,
    ctrl::kOpenFirmwareButton,  ctrl::kOpenParameterButton,
    ctrl::kCheckFirmwareButton, ctrl::kRadioAtmel,
    ctrl::kRadioMxic,           ctrl::kRadioSst};

void StartRun(DialogWindow& window) {
  window.SetControlText(ctrl::kResultBox, "");
  for (int id : kDisabledDuringRun) {
    window.EnableControl(id, false);
  }
  window.SetControlText(ctrl::kInfoEdit, "");
}

bool HasInputs(const WriteProcedureMembers& members, DialogWindow& window) {
  return !window.GetControlText(ctrl::kFirmwareNameEdit).empty() &&
         !window.GetControlText(ctrl::kParameterNameEdit).empty() &&
         !members.imageFiles.m_parameterHeader.empty();
}

std::optional<XuChannel> OpenSelectedChannel(const DeviceState& device) {
  if (device.m_selectedDevice < 0 ||
      device.m_selectedDevice >= static_cast<std::int32_t>(kDeviceFilterSlots)) {
    return std::nullopt;
  }
  return OpenXuChannel(device.m_deviceFilters[static_cast<std::size_t>(device.m_selectedDevice)]);
}

// The programmed length, or nullopt after "Error" was shown.
std::optional<std::uint32_t> AssembleImage(const WriteProcedureMembers& members,
                                           DialogWindow& window, FileSystem& fileSystem) {
  const std::optional<std::string> directory = fileSystem.CurrentDirectory();
  if (directory) {
    const ImageFilesState& files = members.imageFiles;
    const FlashImageBuild build = BuildFlashImage(
        fileSystem, *directory, members.header,
        {files.m_firmwareSum, files.m_parameterSum, files.m_parameterLines, files.m_firmwareLines},
        members.flashImage);
    if (build.Built()) {
      return build.programmedLength;
    }
  }
  window.ShowMessage(kBuildErrorMessage);
  return std::nullopt;
}

bool RunSteps(const WriteProcedureMembers& members, DialogWindow& window, FileSystem& fileSystem,
              Clock& clock) {
  if (!HasInputs(members, window)) {
    return false;
  }
  SplitParameterHeader(members.imageFiles.m_parameterHeader, members.header);
  // Without the dialog's buffers there is nothing to send from or into.
  if (!members.device.m_xuData || members.flashImage == nullptr) {
    return false;
  }
  // The run's own channel: releasing the dialog's filters meanwhile leaves it working.
  const std::optional<XuChannel> channel = OpenSelectedChannel(members.device);
  if (!channel || !CheckCamera(members.device, *channel, members.header.m_headerWord3, window)) {
    return false;
  }
  const std::optional<std::uint32_t> programmedLength = AssembleImage(members, window, fileSystem);
  return programmedLength && ProgramFlash(members.device, *channel, members.flashImage,
                                          *programmedLength, window, clock);
}

void ReportResult(const WriteProcedureMembers& members, std::int32_t resultFlag,
                  DialogWindow& window) {
  members.writeResult = resultFlag;
  window.SetControlText(ctrl::kResultBox, resultFlag == 1 ? kWritePassText : kWriteFailText);
  members.exitStatus = resultFlag == 1 ? 1 : 0;
}

void EnableControlsAgain(DialogWindow& window) {
  for (int id : kEnabledAfterRun) {
    window.EnableControl(id, true);
  }
  if (!window.GetControlText(ctrl::kFirmwareNameEdit).empty()) {
    window.EnableControl(ctrl::kSaveFirmwareButton, true);
  }
  if (!window.GetControlText(ctrl::kParameterNameEdit).empty()) {
    window.EnableControl(ctrl::kSaveParameterButton, true);
    window.EnableControl(ctrl::kParameterPageButton, true);
  }
}

}  // namespace

void RunWriteProcedure(const WriteProcedureMembers& members, DialogWindow& window,
                       FileSystem& fileSystem, Clock& clock) {
  std::int32_t resultFlag = 0;
  // A missing device skips the run, not the report: the controls end up enabled either way.
  if (members.device.m_deviceMissing != 1) {
    StartRun(window);
    resultFlag = RunSteps(members, window, fileSystem, clock) ? 1 : 0;
  }
  ReportResult(members, resultFlag, window);
  EnableControlsAgain(window);
}

}  // namespace korvane
