// Closing the dialog: a close request or Escape before, without and during the write, and the
// single release of the buffers and the font by OnClose and OnDestroy.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "dialog_rig.h"
#include "platform/window_messages.h"

namespace korvane {
namespace {

using testing::BlockRequests;
using testing::DialogRig;
using ::testing::IsEmpty;
using testing::kBlocksStartMs;

struct CloseCase {
  const char* name;
  bool parameterFile;  // without it the dialog halts and never makes its font
  std::uint64_t atMs;
  std::function<void(DialogRig&, SimulatedCamera&)> operatorAction;
  const char* result;  // "" when no write procedure ran
  std::size_t dialogEnds;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
  *out << c.name;
}

const CloseCase kCloses[] = {
    {"CloseRequestBeforeTheTimer", true, 500,
     [](DialogRig& rig, SimulatedCamera&) { rig.window.RequestClose(); }, "", 1},
    {"EscapeWhileHalted", false, 500,
     [](DialogRig& rig, SimulatedCamera&) { rig.window.PressEscape(); }, "", 1},
    // Handled by the write's one-message pump: the write finishes, then the dialog ends.
    {"CloseRequestDuringTheWrite", true, kBlocksStartMs,
     [](DialogRig& rig, SimulatedCamera&) { rig.window.RequestClose(); }, "PASS", 2},
    {"CloseRequestAndRemovalDuringTheWrite", true, kBlocksStartMs,
     [](DialogRig& rig, SimulatedCamera& camera) {
       rig.window.RequestClose();
       rig.devices.LastGraph()->RaiseDeviceEvent(camera, 0);
     },
     "PASS", 3},
};

class DialogCloseTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(DialogCloseTest, EndsWithCancelAndReleasesEverythingOnce) {
  const CloseCase& c = GetParam();
  DialogRig rig;
  SimulatedCamera& camera = rig.Plug("model=TALVO");
  rig.files.AddFile("FW.hex", testing::SampleFile("FW.hex"));
  if (c.parameterFile) {
    rig.files.AddFile("UI.hex", testing::SampleFile("UI.hex"));
  }
  rig.window.At(c.atMs, [&] { c.operatorAction(rig, camera); });

  EXPECT_EQ(rig.Run(), msg::kIdCancel);

  EXPECT_FALSE(rig.window.WentIdle());
  EXPECT_EQ(rig.window.Calls(WindowOp::kEndDialog).size(), c.dialogEnds);
  EXPECT_EQ(rig.window.Calls(WindowOp::kEndDialog).at(0).timeMs, c.atMs);
  EXPECT_EQ(rig.window.Text(ctrl::kResultBox), c.result);
  const bool passed = std::string(c.result) == "PASS";
  EXPECT_EQ(rig.dialog.m_exitStatus, passed ? 1 : 0);
  if (passed) {
    // Every block went out of a flash image that stayed valid after the close was handled.
    EXPECT_EQ(BlockRequests(camera).size(), (rig.files.Contents("EEPROM.bin").size() + 7) / 8);
    EXPECT_EQ(rig.FlashOverBin(camera), rig.files.Contents("EEPROM.bin"));
    EXPECT_LT(*rig.LastCall(WindowOp::kSetText, ctrl::kResultBox), rig.Destroyed().value());
  } else {
    EXPECT_THAT(BlockRequests(camera), IsEmpty());
    EXPECT_FALSE(rig.WroteEepromFiles());
  }

  const auto made = rig.window.Calls(WindowOp::kMakeFont);
  const auto deleted = rig.window.Calls(WindowOp::kDeleteFont);
  ASSERT_EQ(deleted.size(), made.size()) << "the font is deleted once, if it was made";
  if (!made.empty()) {
    EXPECT_EQ(deleted[0].id, made[0].id);
    EXPECT_GT(rig.window.Log().size(), rig.Destroyed().value()) << "by OnDestroy";
  }
  EXPECT_EQ(rig.dialog.m_xuData, nullptr);
  EXPECT_EQ(rig.dialog.m_flashImage, nullptr);
  EXPECT_EQ(rig.dialog.m_resultFont, 0u);

  // A second release finds nothing left to release.
  rig.dialog.OnDestroy();
  EXPECT_EQ(rig.window.Calls(WindowOp::kDeleteFont).size(), deleted.size());
  EXPECT_THAT(rig.window.Faults(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Close, DialogCloseTest, ::testing::ValuesIn(kCloses),
                         [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace korvane
