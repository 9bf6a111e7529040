// The host side of a whole write procedure on a 64 KB image: camera checks, image build, erase and
// 8190 block requests, on simulated time. Three figures per block request:
//   - WriteProcedure/SimulatedCamera: against the simulated camera and the in-memory window, as
//     the tests run it (the simulator records every request and the window every call);
//   - WriteProcedure/OwnCode: the same procedure against a camera and a window that accept every
//     call and keep nothing, so that what remains is our own code;
//   - ProgramFlash/OwnCode: the erase and block sequence alone, the per-block hot path.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_dialog_layout.h"
#include "device/device_state.h"
#include "device/identify_controller.h"
#include "device/xu_node.h"
#include "flash/header_fields.h"
#include "flash/program_flash.h"
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

namespace korvane {
namespace {

using testing::FirmwareHex;
using testing::MemoryFileSystem;

constexpr char kDirectory[] = "/station";

// Firmware for a camera of no known model (records kept, moved down by 0x7F00): 0x8000 to 0xFFFF
// lands at 0x0100, 0x0000 to 0x7E6F after it, so the image ends at 0xFF70 and 65,520 bytes
// (8190 blocks) are programmed.
std::string LargestFirmware() {
  return FirmwareHex({{0x8000, 0x800}, {0x0000, 0x7E7}});
}

// A parameter file with the default header and records up to 0x00FF.
std::string Parameters() {
  std::string text = ":0C00006C1405E20100000000000000\r\n";
  const std::uint8_t bytes[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  for (std::uint16_t address = 0x10; address < 0x100; address += 16) {
    text += testing::DataRecord(address, bytes);
  }
  return text + ":00000001FF\r\n";
}

// An extension unit that accepts every request at once and answers zeros.
class AcceptingControl final : public KsControl {
 public:
  HResult KsProperty(const void* property, std::uint32_t, void* data, std::uint32_t,
                     std::uint32_t*) override {
    benchmark::DoNotOptimize(property);
    benchmark::DoNotOptimize(data);
    ++requests;
    return status::kOk;
  }
  std::uint64_t requests = 0;
};

class AcceptingTopology final : public KsTopologyInfo {
 public:
  explicit AcceptingTopology(std::shared_ptr<AcceptingControl> control)
      : m_control(std::move(control)) {}
  HResult GetNumNodes(std::uint32_t* count) override {
    *count = 1;
    return status::kOk;
  }
  HResult GetNodeName(std::uint32_t, char16_t*, std::uint32_t, std::uint32_t* nameLength) override {
    *nameLength = 2;
    return status::kOk;
  }
  HResult GetNodeType(std::uint32_t, Guid* type) override {
    *type = kNodeTypeDevSpecific;
    return status::kOk;
  }
  HResult CreateNodeInstance(std::uint32_t, std::shared_ptr<KsControl>* control) override {
    *control = m_control;
    return status::kOk;
  }

 private:
  std::shared_ptr<AcceptingControl> m_control;
};

class AcceptingFilter final : public CaptureFilter {
 public:
  explicit AcceptingFilter(std::shared_ptr<AcceptingControl> control)
      : m_control(std::move(control)) {}
  HResult QueryTopologyInfo(std::shared_ptr<KsTopologyInfo>* topology) override {
    *topology = std::make_shared<AcceptingTopology>(m_control);
    return status::kOk;
  }

 private:
  std::shared_ptr<AcceptingControl> m_control;
};

// A window that keeps only the file names and the MXIC choice, and has no queue.
class QuietWindow final : public DialogWindow {
 public:
  void PostToWindow(std::uint32_t, std::uintptr_t, std::intptr_t) override {}
  int DoModal(DialogHandler&) override { return -1; }
  void EndDialog(int) override {}
  void SetControlText(int, std::string_view) override {}
  std::string GetControlText(int controlId) override {
    return controlId == ctrl::kFirmwareNameEdit || controlId == ctrl::kParameterNameEdit
               ? "name.hex"
               : "";
  }
  void EnableControl(int, bool) override {}
  void ShowControl(int, bool) override {}
  void SetCheck(int, bool) override {}
  bool IsChecked(int controlId) override { return controlId == ctrl::kRadioMxic; }
  void SetCaption(std::string_view) override {}
  void SetWindowIcon(IconSize) override {}
  int ListAddString(int, std::string_view) override { return 0; }
  int ListSetCurSel(int, int) override { return 0; }
  int ListGetCurSel(int) override { return 0; }
  int ListGetCount(int) override { return 0; }
  int ListDeleteString(int, int) override { return 0; }
  int ComboAddString(int, std::string_view) override { return 0; }
  int ComboSetCurSel(int, int) override { return 0; }
  void ProgressSetRange(int, int, int) override {}
  void ProgressSetPos(int, int position) override { benchmark::DoNotOptimize(position); }
  void ShowMessage(std::string_view) override { ++messages; }
  FontHandle MakeFont(const FontSpec&) override { return 0; }
  void DeleteFontHandle(FontHandle) override {}
  void SetControlFont(int, FontHandle, bool) override {}
  void SetTimer(std::uint32_t, std::uint32_t) override {}
  void KillTimer(std::uint32_t) override {}
  bool PumpOneMessage() override { return false; }
  std::intptr_t SendToWindow(std::uint32_t, std::uintptr_t, std::intptr_t) override { return 0; }
  int messages = 0;
};

// The dialog members of one station, with both HEX files loaded.
struct Station {
  DeviceState device;
  ImageFilesState imageFiles;
  HeaderFields header;
  std::unique_ptr<std::uint8_t[]> flashImage =
      std::make_unique<std::uint8_t[]>(kFlashImageCapacity);
  std::int32_t writeResult = 0;
  std::int32_t exitStatus = 0;
  MemoryFileSystem files{kDirectory};

  Station() {
    device.m_xuData = std::make_unique<std::uint8_t[]>(kXuDataLength);
    device.m_xuPropertySet = kXuPropertySetVariantA;
    device.m_xuSelectors = kXuSelectorsVariantA;
    device.m_deviceMissing = 0;
    files.AddFile("FW.hex", LargestFirmware());
    files.AddFile("UI.hex", Parameters());
    QuietWindow window;
    FindImageFiles(imageFiles, files);
    LoadFirmwareFile(imageFiles, device.m_controllerKind, files, window);
    LoadParameterFile(imageFiles, files, window);
  }

  WriteProcedureMembers Members() {
    return {device, imageFiles, header, flashImage.get(), writeResult, exitStatus};
  }
};

constexpr std::int64_t kBlocks = (0xFF70 + 0x80) / 8;

std::int64_t BlockRequests(const SimulatedCamera& camera) {
  std::int64_t blocks = 0;
  for (const RecordedRequest& request : camera.Requests()) {
    blocks += request.selector == 7 ? 1 : 0;
  }
  return blocks;
}

void ReportPerBlock(benchmark::State& state) {
  state.counters["blocks"] = static_cast<double>(kBlocks);
  state.counters["per_block"] =
      benchmark::Counter(static_cast<double>(state.iterations() * kBlocks),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_WriteProcedureSimulatedCamera(benchmark::State& state) {
  Station station;
  for (auto _ : state) {
    state.PauseTiming();
    VirtualClock clock;
    auto system = std::make_unique<SimulatedCaptureSystem>(clock);
    SimulatedDeviceConfig config;
    config.chipId = 0x1111;
    SimulatedCamera& camera = system->AddDevice(config);
    camera.BindFilter(&station.device.m_deviceFilters[0]);
    auto window = std::make_unique<WindowModel>(clock, MainDialogLayout());
    testing::ActionDialog dialog(
        *window, [&] { RunWriteProcedure(station.Members(), *window, station.files, clock); });
    dialog.onInit = [&] {
      window->SetControlText(ctrl::kFirmwareNameEdit, "FW.hex");
      window->SetControlText(ctrl::kParameterNameEdit, "UI.hex");
      window->SetCheck(ctrl::kRadioMxic, true);
    };
    state.ResumeTiming();
    window->DoModal(dialog);
    state.PauseTiming();
    if (station.writeResult != 1 || BlockRequests(camera) != kBlocks) {
      state.SkipWithError("the write procedure did not pass");
      break;
    }
    window.reset();
    station.device.m_deviceFilters[0].reset();
    system.reset();
    state.ResumeTiming();
  }
  ReportPerBlock(state);
}
BENCHMARK(BM_WriteProcedureSimulatedCamera)->Unit(benchmark::kMillisecond);

void BM_WriteProcedureOwnCode(benchmark::State& state) {
  Station station;
  auto control = std::make_shared<AcceptingControl>();
  station.device.m_deviceFilters[0] = std::make_shared<AcceptingFilter>(control);
  QuietWindow window;
  VirtualClock clock;
  for (auto _ : state) {
    RunWriteProcedure(station.Members(), window, station.files, clock);
    if (station.writeResult != 1) {
      state.SkipWithError("the write procedure did not pass");
      break;
    }
  }
  ReportPerBlock(state);
}
BENCHMARK(BM_WriteProcedureOwnCode)->Unit(benchmark::kMillisecond);

void BM_ProgramFlashOwnCode(benchmark::State& state) {
  Station station;
  auto control = std::make_shared<AcceptingControl>();
  station.device.m_deviceFilters[0] = std::make_shared<AcceptingFilter>(control);
  const std::optional<XuChannel> channel = OpenXuChannel(station.device.m_deviceFilters[0]);
  QuietWindow window;
  VirtualClock clock;
  for (auto _ : state) {
    const bool passed = ProgramFlash(station.device, *channel, station.flashImage.get(),
                                     static_cast<std::uint32_t>(kBlocks * 8), window, clock);
    if (!passed) {
      state.SkipWithError("programming failed");
      break;
    }
  }
  ReportPerBlock(state);
}
BENCHMARK(BM_ProgramFlashOwnCode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
