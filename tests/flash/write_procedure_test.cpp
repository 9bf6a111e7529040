#include "flash/write_procedure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/control_ids.h"
#include "platform/window_messages.h"
#include "support/write_rig.h"

namespace korvane {
namespace {

using testing::FirmwareHex;
using testing::FlashChoice;
using testing::RecordRange;
using testing::SampleFile;
using testing::WriteRig;

const std::vector<int> kDisabledInOrder = {1002, 1003, 1025, 1026, 1001, 1012, 1022,
                                           1023, 1024, 1037, 1099, 1100, 1101, 1103};
// Step 10 with both file names present.
const std::vector<int> kEnabledInOrder = {1002, 1003, 1026, 1001, 1012, 1023, 1037,
                                          1099, 1100, 1101, 1022, 1024, 1025};

// Firmware past 32 KB for a TALVO camera: the records from 0x8000 move down to 0x0100, so
// records up to 0xFFFF fill the image to 0x8100.
std::string LargeTalvoFirmware() {
  return FirmwareHex({{0x8000, 0x800}});
}

// The controls enabled (1) or disabled (0) by the write procedure, in order.
std::vector<int> EnabledDuringRun(const WriteRig& rig, std::int64_t enabled) {
  std::vector<int> ids;
  bool running = false;
  for (const WindowCall& call : rig.window.Log()) {
    running =
        running || (call.op == WindowOp::kDispatch && call.message == testing::kRunActionMessage);
    if (running && call.op == WindowOp::kEnable && call.value == enabled) {
      ids.push_back(call.id);
    }
  }
  return ids;
}

// The sample parameter file with another third header word.
std::string SampleParametersWithWord3(const std::string& word3) {
  std::string text = SampleFile("UI.hex");
  // ":0C0000", then the header text; its third word is characters 8 to 11.
  EXPECT_GT(text.size(), 7u + 12u);
  text.replace(std::min<std::size_t>(text.size(), 7 + 8), 4, word3);
  return text;
}

void ExpectPass(WriteRig& rig) {
  EXPECT_EQ(rig.window.Text(ctrl::kResultBox), "PASS");
  EXPECT_EQ(rig.writeResult, 1);
  EXPECT_EQ(rig.exitStatus, 1);
  EXPECT_TRUE(rig.window.Messages().empty());
  EXPECT_EQ(rig.window.Faults(), std::vector<std::string>{});
  // What the station sent is in the flash: the proof of a PASS.
  ASSERT_FALSE(rig.EepromBin().empty());
  EXPECT_EQ(rig.FlashOverBin(), rig.EepromBin());
}

void ExpectFail(WriteRig& rig) {
  EXPECT_EQ(rig.window.Text(ctrl::kResultBox), "FAIL");
  EXPECT_EQ(rig.writeResult, 0);
  EXPECT_EQ(rig.exitStatus, 0);
  EXPECT_EQ(rig.window.Faults(), std::vector<std::string>{});
}

void ExpectStep10Controls(WriteRig& rig, bool firmwareName, bool parameterName) {
  for (int id : {1002, 1003, 1026, 1001, 1012, 1023, 1037, 1099, 1100, 1101}) {
    EXPECT_TRUE(rig.window.Control(id).enabled) << id;
  }
  EXPECT_EQ(rig.window.Control(1022).enabled, firmwareName);
  EXPECT_EQ(rig.window.Control(1024).enabled, parameterName);
  EXPECT_EQ(rig.window.Control(1025).enabled, parameterName);
}

TEST(WriteProcedureTest, EveryPassLeavesEepromBinInTheFlash) {
  struct Case {
    const char* name;
    const char* camera;
    FlashChoice choice;
    bool large;
    const char* word3 = nullptr;
  };
  const Case cases[] = {
      {"samples, TALVO, MXIC", "model=TALVO", FlashChoice::kMxic, false},
      {"samples, MORIN", "model=MORIN", FlashChoice::kMxic, false},
      {"samples, KESTA, AMIC", "model=KESTA", FlashChoice::kSst, false},
      {"samples, variant B, ATMEL", "model=TALVO,variant=B", FlashChoice::kAtmel, false},
      {"samples, PFlash: chip erase", "model=TALVO", FlashChoice::kPflash, false},
      {"samples, variant B, no radio: chip erase", "variant=B", FlashChoice::kNone, false},
      {"image over 32 KB", "model=TALVO", FlashChoice::kMxic, true},
      {"image over 32 KB, variant B, PFlash", "variant=B", FlashChoice::kPflash, true},
      {"lens checked and matching", "word-a=0x1111,word-b=0x1111,lens=0x1000", FlashChoice::kMxic,
       false, "1100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteRig rig;
    rig.Attach(c.camera);
    rig.choice = c.choice;
    const std::string parameters =
        c.word3 != nullptr ? SampleParametersWithWord3(c.word3) : SampleFile("UI.hex");
    rig.UseFiles(c.large ? LargeTalvoFirmware() : SampleFile("FW.hex"), parameters);
    rig.Run();
    ExpectPass(rig);
    ExpectStep10Controls(rig, true, true);
    EXPECT_FALSE(rig.window.Control(ctrl::kRadioPflash).enabled);
    EXPECT_EQ(rig.header.m_headerSizeText, "FFFF");
    if (c.large) {
      EXPECT_GT(rig.EepromBin().size(), 0x8000u);
    }
  }
}

TEST(WriteProcedureTest, ControlStatesOfARun) {
  WriteRig rig;
  rig.Attach("");
  rig.UseSamples();
  rig.beforeRun = [&] {
    rig.window.SetControlText(ctrl::kResultBox, "PASS");
    rig.window.SetControlText(ctrl::kInfoEdit, "earlier run");
  };
  rig.Run();
  ExpectPass(rig);
  EXPECT_EQ(EnabledDuringRun(rig, 0), kDisabledInOrder);
  EXPECT_EQ(EnabledDuringRun(rig, 1), kEnabledInOrder);
  // The result box is emptied before the run and the edit 1036 cleared.
  std::vector<std::string> results;
  for (const WindowCall& call : rig.window.Calls(WindowOp::kSetText)) {
    if (call.id == ctrl::kResultBox) {
      results.push_back(call.text);
    }
  }
  EXPECT_EQ(results, (std::vector<std::string>{"PASS", "", "PASS"}));
  EXPECT_EQ(rig.window.Text(ctrl::kInfoEdit), "");
}

// Paths that end before the camera is asked anything: FAIL, no request, no file.
TEST(WriteProcedureTest, GuardPathsTouchNeitherCameraNorFiles) {
  struct Case {
    const char* name;
    std::function<void(WriteRig&)> arrange;
    bool disablesControls;
    bool firmwareName;
    bool parameterName;
  };
  const Case cases[] = {
      {"device missing", [](WriteRig& r) { r.device.m_deviceMissing = 1; }, false, true, true},
      {"empty firmware name", [](WriteRig& r) { r.firmwareNameText = ""; }, true, false, true},
      {"empty parameter name", [](WriteRig& r) { r.parameterNameText = ""; }, true, true, false},
      {"no parameter header",
       [](WriteRig& r) { r.beforeRun = [&r] { r.imageFiles.m_parameterHeader.clear(); }; }, true,
       true, true},
      {"no filter in the selected slot", [](WriteRig& r) { r.device.m_deviceFilters[0].reset(); },
       true, true, true},
      {"selected slot out of range", [](WriteRig& r) { r.device.m_selectedDevice = 10; }, true,
       true, true},
      {"no register buffer", [](WriteRig& r) { r.device.m_xuData.reset(); }, true, true, true},
      {"no image buffer", [](WriteRig& r) { r.flashImage.reset(); }, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteRig rig;
    rig.Attach("");
    rig.UseSamples();
    c.arrange(rig);
    rig.Run();
    ExpectFail(rig);
    EXPECT_TRUE(rig.window.Messages().empty());
    EXPECT_TRUE(rig.camera->Requests().empty());
    EXPECT_FALSE(rig.files.Has("EEPROM.text"));
    EXPECT_FALSE(rig.files.Has("EEPROM.bin"));
    EXPECT_EQ(EnabledDuringRun(rig, 0).empty(), !c.disablesControls);
    ExpectStep10Controls(rig, c.firmwareName, c.parameterName);
    EXPECT_FALSE(rig.window.Control(ctrl::kRadioPflash).enabled && c.disablesControls);
  }
}

TEST(WriteProcedureTest, LensMismatchShowsLensErrorAndWritesNothing) {
  WriteRig rig;
  rig.Attach("word-a=0x1234,word-b=0x1234,lens=0x2000");  // the sample header has 0100 in word 3
  rig.UseSamples();
  rig.Run();
  ExpectFail(rig);
  ASSERT_EQ(rig.window.Messages().size(), 1u);
  EXPECT_EQ(rig.window.Messages()[0].text, "Lens Error");
  EXPECT_EQ(rig.camera->Requests().size(), 12u);  // the three camera words only
  EXPECT_FALSE(rig.files.Has("EEPROM.text"));
  ExpectStep10Controls(rig, true, true);
}

TEST(WriteProcedureTest, ImageFailuresShowErrorAndLeaveTheFlashUntouched) {
  struct Case {
    const char* name;
    std::function<void(WriteRig&)> arrange;
  };
  const Case cases[] = {
      {"EEPROM.text not created", [](WriteRig& r) { r.files.FailCreate("EEPROM.text"); }},
      {"EEPROM.text not written", [](WriteRig& r) { r.files.FailWrite("EEPROM.text"); }},
      {"EEPROM.text not opened again", [](WriteRig& r) { r.files.FailOpen("EEPROM.text"); }},
      {"EEPROM.bin not created", [](WriteRig& r) { r.files.FailCreate("EEPROM.bin"); }},
      {"EEPROM.bin not written", [](WriteRig& r) { r.files.FailWrite("EEPROM.bin"); }},
      {"no working directory",
       [](WriteRig& r) { r.beforeRun = [&r] { r.files.LoseDirectory(); }; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteRig rig;
    rig.Attach("");
    rig.UseSamples();
    c.arrange(rig);
    rig.Run();
    ExpectFail(rig);
    ASSERT_EQ(rig.window.Messages().size(), 1u);
    EXPECT_EQ(rig.window.Messages()[0].text, "Error");
    EXPECT_EQ(rig.camera->Requests().size(), 12u);
    ExpectStep10Controls(rig, true, true);
  }
}

// One small run with the chip erase, failed at each of its requests in turn.
TEST(WriteProcedureTest, AFailureAtAnyRequestEndsTheRunThere) {
  const auto arrange = [](WriteRig& rig, const std::string& faults) {
    rig.Attach("word-a=0x1111,word-b=0x1111,lens=0x0000" + faults);
    rig.choice = FlashChoice::kPflash;
    rig.UseSamples();
  };
  WriteRig reference;
  arrange(reference, "");
  reference.Run();
  ExpectPass(reference);
  const std::uint64_t requests = reference.camera->Requests().size();
  ASSERT_GT(requests, 12u + 72u + 1u + 5u);

  const char* statuses[] = {"0x80004005", "1", "0x8007048F"};
  for (std::uint64_t failing = 1; failing <= requests; ++failing) {
    SCOPED_TRACE("failing request " + std::to_string(failing));
    WriteRig rig;
    arrange(rig, ",fail-at=" + std::to_string(failing) +
                     ",fail-status=" + statuses[failing % std::size(statuses)]);
    rig.Run();
    ExpectFail(rig);
    EXPECT_TRUE(rig.window.Messages().empty());
    ASSERT_EQ(rig.camera->Requests().size(), failing);  // nothing after the failed request
    EXPECT_NE(rig.camera->Requests().back().status, status::kOk);
    ExpectStep10Controls(rig, true, true);
    // The image files are written once the camera words were read, and only then.
    EXPECT_EQ(rig.files.Has("EEPROM.bin"), failing > 12);
  }
}

TEST(WriteProcedureTest, UnplugEndsTheRunWithFail) {
  // 12 camera-word requests, 72 erase writes, control 6, then the blocks.
  for (const std::uint64_t unplugAt : {1ull, 13ull, 85ull, 86ull, 120ull}) {
    SCOPED_TRACE(unplugAt);
    WriteRig rig;
    rig.Attach("unplug-at=" + std::to_string(unplugAt));
    rig.UseSamples();
    rig.Run();
    ExpectFail(rig);
    EXPECT_FALSE(rig.camera->IsPlugged());
    EXPECT_EQ(rig.camera->Requests().size(), unplugAt);
    ExpectStep10Controls(rig, true, true);
  }
}

// A device removal or a close request dispatched between blocks: the dialog releases its filters,
// marks the device missing and ends, yet the run goes on with its own channel and buffers.
TEST(WriteProcedureTest, ReleaseDuringTheBlocksLeavesTheRunItsChannel) {
  constexpr std::uint32_t kRelease = 0x0B03;
  struct Case {
    const char* name;
    bool cameraGone;
  };
  const Case cases[] = {{"filters released, camera still there", false},
                        {"filters released, camera unplugged", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteRig rig;
    rig.Attach("");
    rig.UseSamples();
    std::size_t requestsAtRelease = 0;
    rig.handlers[kRelease] = [&] {
      requestsAtRelease = rig.camera->Requests().size();
      for (CaptureFilterRef& filter : rig.device.m_deviceFilters) {
        filter.reset();
      }
      rig.device.m_deviceMissing = 1;
      if (c.cameraGone) {
        rig.camera->Unplug();
      }
      rig.window.EndDialog(msg::kIdCancel);
    };
    rig.beforeRun = [&] { rig.window.PostToWindow(kRelease, 0, 0); };
    rig.Run();
    EXPECT_EQ(requestsAtRelease, 12u + 72u + 1u + 1u);  // handled after the first block
    if (c.cameraGone) {
      ExpectFail(rig);
      EXPECT_EQ(rig.camera->Requests().size(), requestsAtRelease + 1);
    } else {
      ExpectPass(rig);
    }
    ExpectStep10Controls(rig, true, true);
  }
}

TEST(WriteProcedureTest, SuccessiveRunsBothPassAndRewriteTheFiles) {
  WriteRig rig;
  rig.Attach("");
  rig.UseSamples();
  rig.Run();
  ExpectPass(rig);
  const std::vector<std::uint8_t> first = rig.EepromBin();
  rig.files.AddFile("FW.hex", LargeTalvoFirmware());
  rig.Run();
  ExpectPass(rig);
  EXPECT_GT(rig.EepromBin().size(), first.size());
  EXPECT_EQ(rig.header.m_headerSizeText, "FFFF");
}

}  // namespace
}  // namespace korvane
