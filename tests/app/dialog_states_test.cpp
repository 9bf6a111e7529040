// The dialog from its start-up to its end: the armed, armed-to-fail and halted states, the
// set-up of the controls and the resets of initialisation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "dialog_rig.h"
#include "platform/window_messages.h"

namespace korvane {
namespace {

using testing::BlockRequests;
using testing::DialogRig;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using testing::kTimerMs;

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr char kNoRecordFirmware[] = ":00000001FF\r\n";

struct StartCase {
  const char* name;
  const char* camera;  // nullptr: no camera attached
  bool firmwareFile;
  bool parameterFile;
  const char* firmwareText;  // nullptr: the sample
  bool fontFails;
  std::string_view statusAfterInit;
  bool armed;
  bool writeButtonEnabled;  // as OnInitDialog leaves button 1026
  const char* result;       // "" when no write procedure ran
  int exitStatus;
  std::vector<std::string> messages;
};

const StartCase kStartCases[] = {
    {"Armed_Pass",
     "model=TALVO",
     true,
     true,
     nullptr,
     false,
     kStatusDeviceReady,
     true,
     true,
     "PASS",
     1,
     {}},
    {"Armed_LensMismatchFails",
     "model=TALVO,word-a=0x1111,word-b=0x1111,lens=0x2000",
     true,
     true,
     nullptr,
     false,
     kStatusDeviceReady,
     true,
     true,
     "FAIL",
     0,
     {"Lens Error"}},
    {"ArmedToFail_NoCamera",
     nullptr,
     true,
     true,
     nullptr,
     false,
     kStatusDeviceFailure,
     true,
     false,
     "FAIL",
     0,
     {}},
    {"ArmedToFail_NoKnownController",
     "chip=0x1234",
     true,
     true,
     nullptr,
     false,
     kStatusDeviceFailure,
     true,
     false,
     "FAIL",
     0,
     {}},
    {"Halted_FirmwareMissing",
     "model=TALVO",
     false,
     true,
     nullptr,
     false,
     kStatusFileNotFound,
     false,
     false,
     "",
     0,
     {}},
    {"Halted_ParameterMissing",
     "model=KESTA",
     true,
     false,
     nullptr,
     false,
     kStatusFileNotFound,
     false,
     false,
     "",
     0,
     {}},
    {"Halted_FirmwareWithoutRecord",
     "model=MORIN",
     true,
     true,
     kNoRecordFirmware,
     false,
     kStatusOpenFileError,
     false,
     false,
     "",
     0,
     {"Open File Error."}},
    {"Halted_NoFont",
     "model=TALVO",
     true,
     true,
     nullptr,
     true,
     kStatusInsufficientResource,
     false,
     false,
     "",
     0,
     {}},
};

void PrintTo(const StartCase& c, std::ostream* out) {
  *out << c.name;
}

class DialogStartTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(DialogStartTest, EndsAsItsStateSays) {
  const StartCase& c = GetParam();
  DialogRig rig;
  SimulatedCamera* camera = c.camera != nullptr ? &rig.Plug(c.camera) : nullptr;
  if (c.firmwareFile) {
    rig.files.AddFile("FW.hex",
                      c.firmwareText != nullptr ? c.firmwareText : testing::SampleFile("FW.hex"));
  }
  if (c.parameterFile) {
    rig.files.AddFile("UI.hex", testing::SampleFile("UI.hex"));
  }
  rig.window.FailFontCreation(c.fontFails);
  std::optional<FontSpec> resultFontWhileArmed;
  rig.window.At(kTimerMs - 1, [&] { resultFontWhileArmed = rig.window.Font(ctrl::kResultBox); });

  EXPECT_EQ(rig.Run(), msg::kIdCancel);

  EXPECT_EQ(rig.InitText(ctrl::kStatusLine), std::string(c.statusAfterInit));
  EXPECT_EQ(rig.InitEnabled(ctrl::kWriteButton), c.writeButtonEnabled);
  const bool halted = !c.armed;
  if (c.armed) {
    ASSERT_EQ(rig.window.Calls(WindowOp::kSetTimer).size(), 1u);
    EXPECT_EQ(rig.window.Calls(WindowOp::kSetTimer)[0].id, 0);
    EXPECT_EQ(rig.window.Calls(WindowOp::kSetTimer)[0].value, 1000);
    ASSERT_EQ(rig.window.Calls(WindowOp::kKillTimer).size(), 1u);
    EXPECT_EQ(rig.window.Calls(WindowOp::kKillTimer)[0].timeMs, kTimerMs);
    EXPECT_FALSE(rig.window.WentIdle());
  } else {
    EXPECT_THAT(rig.window.Calls(WindowOp::kSetTimer), IsEmpty());
    EXPECT_TRUE(rig.window.WentIdle()) << "a halted dialog waits for the operator";
  }

  // One write procedure at most, and the dialog ends right after it.
  std::vector<std::string> results;
  for (const std::string& text : rig.TextsOf(ctrl::kResultBox)) {
    if (!text.empty()) {
      results.push_back(text);
    }
  }
  EXPECT_THAT(results, c.result[0] != '\0' ? std::vector<std::string>{c.result}
                                           : std::vector<std::string>{});
  EXPECT_EQ(rig.window.Text(ctrl::kResultBox), c.result);
  ASSERT_EQ(rig.window.Calls(WindowOp::kEndDialog).size(), 1u);
  if (c.armed) {
    EXPECT_LT(*rig.FirstCall(WindowOp::kSetText, ctrl::kResultBox, c.result),
              *rig.FirstCall(WindowOp::kEndDialog));
  }

  EXPECT_EQ(rig.dialog.m_exitStatus, c.exitStatus);
  EXPECT_EQ(rig.dialog.m_writeResult, c.exitStatus);
  if (c.armed) {
    EXPECT_EQ(rig.window.TextColor(ctrl::kResultBox), c.exitStatus == 1 ? kBlue : kRed);
  }
  std::vector<std::string> messages;
  for (const auto& box : rig.window.Messages()) {
    messages.push_back(box.text);
  }
  EXPECT_THAT(messages, ElementsAreArray(c.messages));

  const bool programmed = std::string(c.result) == "PASS";
  EXPECT_EQ(rig.files.Has("EEPROM.bin"), programmed);
  if (camera != nullptr) {
    EXPECT_EQ(BlockRequests(*camera).empty(), !programmed);
    if (programmed) {
      EXPECT_EQ(rig.FlashOverBin(*camera), rig.files.Contents("EEPROM.bin"));
    }
  }
  if (c.armed && c.camera != nullptr && c.exitStatus == 1) {
    ASSERT_TRUE(resultFontWhileArmed);
    EXPECT_EQ(*resultFontWhileArmed, ResultFontSpec());
    EXPECT_EQ(resultFontWhileArmed->faceName, "Courier New");
    EXPECT_EQ(resultFontWhileArmed->height, 60);
    EXPECT_EQ(resultFontWhileArmed->width, 30);
  }
  if (halted) {
    EXPECT_FALSE(resultFontWhileArmed) << "no font is set on the result box when halted";
  }
  EXPECT_THAT(rig.window.Faults(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(States, DialogStartTest, ::testing::ValuesIn(kStartCases),
                         [](const auto& tested) { return std::string(tested.param.name); });

std::string Describe(const WindowCall& call) {
  const std::string id = std::to_string(call.id);
  const std::string value = std::to_string(call.value);
  switch (call.op) {
    case WindowOp::kSetIcon:
      return "icon " + value;
    case WindowOp::kSetText:
      return "text " + id + " '" + call.text + "'";
    case WindowOp::kComboSetCurSel:
      return "combo " + id + " " + value;
    case WindowOp::kListSetCurSel:
      return "list " + id + " " + value;
    case WindowOp::kSetCheck:
      return "check " + id + " " + value;
    case WindowOp::kShow:
      return "show " + id + " " + value;
    case WindowOp::kEnable:
      return "enable " + id + " " + value;
    case WindowOp::kProgressPos:
      return "progress " + id + " " + value;
    default:
      return "other";
  }
}

TEST(DialogInitTest, SetsUpTheControlsInOrderBeforeLookingForTheCamera) {
  DialogRig rig;
  rig.Plug("model=TALVO");
  rig.UseSamples();
  rig.Run();

  std::vector<std::string> setUp;
  const auto calls = rig.InitCalls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().op, WindowOp::kInitDialog);
  for (std::size_t i = 1; i < calls.size(); ++i) {
    setUp.push_back(Describe(calls[i]));
    if (calls[i].op == WindowOp::kProgressPos) {
      break;
    }
  }
  EXPECT_THAT(setUp, ElementsAre("icon 1", "icon 0", "text 1005 '0'", "text 1006 '0'",
                                 "text 1008 '0'", "text 1009 '0'", "text 1010 ''", "text 1011 ''",
                                 "combo 1004 0", "combo 1007 0", "list 1029 0", "check 1100 1",
                                 "show 1101 0", "show 1103 0", "enable 1002 0", "enable 1003 0",
                                 "enable 1022 0", "enable 1024 0", "enable 1025 0", "enable 1026 0",
                                 "enable 1037 0", "progress 1027 0"));
  // The file names are shown once both were found, before they are loaded.
  EXPECT_EQ(rig.InitText(ctrl::kFirmwareNameEdit), "FW.hex");
  EXPECT_EQ(rig.InitText(ctrl::kParameterNameEdit), "UI.hex");
  // The large font goes to the result box without a redraw.
  const auto setFont = rig.window.Calls(WindowOp::kSetFont);
  ASSERT_EQ(setFont.size(), 1u);
  EXPECT_EQ(setFont[0].id, ctrl::kResultBox);
  EXPECT_EQ(setFont[0].value2, 0);
  EXPECT_EQ(rig.window.Control(ctrl::kRadioMxic).checked, true);
}

TEST(DialogInitTest, ResetsWhatAnEarlierRunLeftInTheMembers) {
  DialogRig rig;
  SimulatedCamera& stale = rig.Plug("model=MORIN");
  CKorvaneDlg& dlg = rig.dialog;
  dlg.m_deviceMissing = 0;
  dlg.m_selectedDevice = 7;
  dlg.m_controllerKind = 3;
  dlg.m_firmwareSum = 0x1234;
  dlg.m_parameterSum = 0x4321;
  dlg.m_firmwareLines = {":10800000stale"};
  dlg.m_parameterLines = {":10000000stale"};
  dlg.m_deviceFilters[5] = testing::SimRig::Bind(stale);
  dlg.m_exitStatus = 1;
  dlg.m_resultFont = 77;  // a handle no window made; no font is made on this path
  stale.Unplug();         // discovery finds nothing: armed to fail, and the timer is a second away

  bool checked = false;
  rig.window.At(1, [&] {
    checked = true;
    EXPECT_EQ(dlg.m_deviceMissing, 1);
    EXPECT_EQ(dlg.m_selectedDevice, 0);
    EXPECT_EQ(dlg.m_controllerKind, 0);
    EXPECT_EQ(dlg.m_firmwareSum, 0);
    EXPECT_EQ(dlg.m_parameterSum, 0);
    EXPECT_THAT(dlg.m_firmwareLines, IsEmpty());
    EXPECT_THAT(dlg.m_parameterLines, IsEmpty());
    for (const CaptureFilterRef& filter : dlg.m_deviceFilters) {
      EXPECT_EQ(filter, nullptr);
    }
    EXPECT_EQ(dlg.m_exitStatus, 0) << "no device: the exit status is reset before the timer";
    EXPECT_EQ(dlg.m_resultFont, 0u);
    ASSERT_NE(dlg.m_xuData, nullptr);
    ASSERT_NE(dlg.m_flashImage, nullptr);
    EXPECT_EQ(std::count(dlg.m_xuData.get(), dlg.m_xuData.get() + kXuDataLength, 0),
              static_cast<std::ptrdiff_t>(kXuDataLength));
    // The buffer is allocated with kFlashImageBytes: reading all of it (under ASan) shows it holds
    // 65,535 bytes.
    EXPECT_EQ(kFlashImageBytes, 0xFFFFu);
    EXPECT_EQ(std::count(dlg.m_flashImage.get(), dlg.m_flashImage.get() + kFlashImageBytes, 0),
              static_cast<std::ptrdiff_t>(kFlashImageBytes));
  });
  rig.Run();
  EXPECT_TRUE(checked);
  EXPECT_THAT(rig.window.Calls(WindowOp::kMakeFont), IsEmpty());
  EXPECT_THAT(rig.window.Calls(WindowOp::kDeleteFont), IsEmpty()) << "the stale handle is dropped";
}

}  // namespace
}  // namespace korvane
