#pragma once
// The dialog members of one write procedure over a simulated camera, HEX files in memory and the
// in-memory window, with the run inside a modal dialog as the auto-run timer makes it.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_dialog_layout.h"
#include "device/device_state.h"
#include "device/identify_controller.h"
#include "device/model_table.h"
#include "flash/header_fields.h"
#include "flash/write_procedure.h"
#include "image/find_image_files.h"
#include "image/hex_text_to_image.h"
#include "image/image_files_state.h"
#include "image/load_firmware_file.h"
#include "image/load_parameter_file.h"
#include "image/memory_file_system.h"
#include "platform/control_ids.h"
#include "platform/memory/window_model.h"
#include "platform/sim/simulated_capture_system.h"
#include "platform/sim/virtual_clock.h"
#include "support/dialog_run.h"
#include "support/hex_files.h"
#include "support/sample_files.h"
#include "support/sim_rig.h"

namespace korvane::testing {

inline constexpr char kWorkingDirectory[] = "/line/station";

// Which of the flash-type radios are checked when the run starts.
enum class FlashChoice { kMxic, kAtmel, kSst, kPflash, kNone };

inline int RadioOf(FlashChoice choice) {
  switch (choice) {
    case FlashChoice::kMxic:
      return ctrl::kRadioMxic;
    case FlashChoice::kAtmel:
      return ctrl::kRadioAtmel;
    case FlashChoice::kSst:
      return ctrl::kRadioSst;
    case FlashChoice::kPflash:
      return ctrl::kRadioPflash;
    case FlashChoice::kNone:
      break;
  }
  return 0;
}

struct WriteRig {
  VirtualClock clock;
  SimulatedCaptureSystem system{clock};
  DeviceState device;
  ImageFilesState imageFiles;
  HeaderFields header;
  std::unique_ptr<std::uint8_t[]> flashImage;
  std::int32_t writeResult = -1;
  std::int32_t exitStatus = -1;
  MemoryFileSystem files{kWorkingDirectory};
  WindowModel window{clock, MainDialogLayout()};
  SimulatedCamera* camera = nullptr;
  FlashChoice choice = FlashChoice::kMxic;
  // Texts of the file name edits at the start; the loaded file names unless a test changes them.
  std::optional<std::string> firmwareNameText;
  std::optional<std::string> parameterNameText;
  // Handlers of messages dispatched during the run.
  std::map<std::uint32_t, std::function<void()>> handlers;
  // Runs at the start of the dialog, after the controls were set up.
  std::function<void()> beforeRun;

  WriteRig() : flashImage(std::make_unique<std::uint8_t[]>(kFlashImageCapacity)) {
    device.m_xuData = std::make_unique<std::uint8_t[]>(kXuDataLength);
  }

  WriteProcedureMembers Members() {
    return {device, imageFiles, header, flashImage.get(), writeResult, exitStatus};
  }

  // Plugs a camera described in the simulated device's text form and selects it as discovery
  // would: filter in slot 0, the variant's property set and selectors, the controller kind.
  SimulatedCamera& Attach(std::string_view configText) { return AttachWith(Config(configText)); }

  SimulatedCamera& AttachWith(const SimulatedDeviceConfig& config) {
    camera = &system.AddDevice(config);
    device.m_deviceFilters[0] = SimRig::Bind(*camera);
    const bool variantB = config.variant == XuVariant::kB;
    device.m_xuPropertySet = variantB ? kXuPropertySetVariantB : kXuPropertySetVariantA;
    device.m_xuSelectors = variantB ? kXuSelectorsVariantB : kXuSelectorsVariantA;
    const ControllerModel* model = FindControllerModel(config.chipId);
    device.m_controllerKind = model != nullptr ? model->kind : kControllerNone;
    device.m_selectedDevice = 0;
    device.m_deviceMissing = 0;
    return *camera;
  }

  // The two HEX files of the working directory; loaded when the dialog starts.
  void UseFiles(std::string firmware, std::string parameter) {
    EXPECT_FALSE(firmware.empty() || parameter.empty()) << "HEX files missing";
    files.AddFile("FW.hex", std::move(firmware));
    files.AddFile("UI.hex", std::move(parameter));
  }
  void UseSamples() { UseFiles(SampleFile("FW.hex"), SampleFile("UI.hex")); }

  // The dialog's start-up as far as the write procedure relies on it, then one write procedure,
  // then the end of the dialog.
  void Run() {
    ActionDialog dialog(window, [this] { RunWriteProcedure(Members(), window, files, clock); });
    dialog.handlers = handlers;
    dialog.onInit = [this] { StartUp(); };
    window.DoModal(dialog);
  }

  void StartUp() {
    if (FindImageFiles(imageFiles, files) == 1) {
      LoadFirmwareFile(imageFiles, device.m_controllerKind, files, window);
      LoadParameterFile(imageFiles, files, window);
    }
    window.SetControlText(ctrl::kFirmwareNameEdit,
                          firmwareNameText.value_or(imageFiles.m_firmwarePath));
    window.SetControlText(ctrl::kParameterNameEdit,
                          parameterNameText.value_or(imageFiles.m_parameterPath));
    if (choice != FlashChoice::kNone) {
      window.SetCheck(RadioOf(choice), true);
    }
    if (beforeRun) {
      beforeRun();
    }
  }

  std::vector<std::uint8_t> EepromBin() const {
    const std::string bin = files.Contents("EEPROM.bin");
    return {bin.begin(), bin.end()};
  }

  // The camera's flash over the length of EEPROM.bin.
  std::vector<std::uint8_t> FlashOverBin() const {
    const auto& dump = camera->FlashDump();
    const std::size_t length = std::min(dump.size(), files.Contents("EEPROM.bin").size());
    return {dump.begin(), dump.begin() + static_cast<std::ptrdiff_t>(length)};
  }
};

}  // namespace korvane::testing
