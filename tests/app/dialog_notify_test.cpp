// Device notifications on the running dialog: the camera removed before the timer, while halted
// and during the write; the graph's queue drained by one message; a camera that comes back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
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
using ::testing::IsEmpty;
using testing::kBlocksStartMs;
using testing::kTimerMs;
using testing::ScriptedEvents;

// What a removal leaves, whenever it is handled.
void ExpectDeviceGone(DialogRig& rig) {
  EXPECT_EQ(rig.dialog.m_deviceMissing, 1);
  EXPECT_EQ(rig.dialog.m_selectedDevice, 0);
  for (const CaptureFilterRef& filter : rig.dialog.m_deviceFilters) {
    EXPECT_EQ(filter, nullptr);
  }
  EXPECT_THAT(rig.window.Control(ctrl::kDeviceList).items, IsEmpty());
  EXPECT_EQ(rig.window.Text(ctrl::kSerialText), "");
  EXPECT_EQ(rig.window.Text(ctrl::kInfoEdit), "");
  for (int button : {ctrl::kReadButton, ctrl::kWriteRegisterButton, ctrl::kWriteButton,
                     ctrl::kCheckFirmwareButton}) {
    EXPECT_FALSE(rig.window.Control(button).enabled) << button;
  }
}

struct EarlyRemovalCase {
  const char* name;
  // The state the removal meets: armed, or halted on each of the start-up failures.
  const char* firmware;  // nullptr: the sample
  bool parameterFile;
  bool fontFails;
};

void PrintTo(const EarlyRemovalCase& c, std::ostream* out) {
  *out << c.name;
}

class DialogEarlyRemovalTest : public ::testing::TestWithParam<EarlyRemovalCase> {};

TEST_P(DialogEarlyRemovalTest, EndsTheDialogAtOnceWithoutAWrite) {
  DialogRig rig;
  SimulatedCamera& camera = rig.Plug("model=TALVO");
  const EarlyRemovalCase& c = GetParam();
  rig.files.AddFile("FW.hex", c.firmware != nullptr ? c.firmware : testing::SampleFile("FW.hex"));
  rig.window.FailFontCreation(c.fontFails);
  if (c.parameterFile) {
    rig.files.AddFile("UI.hex", testing::SampleFile("UI.hex"));
  }
  rig.window.At(500, [&] { camera.Unplug(); });

  EXPECT_EQ(rig.Run(), msg::kIdCancel);

  const auto ends = rig.window.Calls(WindowOp::kEndDialog);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].timeMs, 500u);
  EXPECT_FALSE(rig.window.WentIdle()) << "the removal ended it, not the operator";
  EXPECT_THAT(rig.window.Calls(WindowOp::kKillTimer), IsEmpty()) << "no write procedure ran";
  EXPECT_THAT(BlockRequests(camera), IsEmpty());
  EXPECT_FALSE(rig.WroteEepromFiles());
  EXPECT_EQ(rig.window.Text(ctrl::kStatusLine), kStatusDeviceFailure);
  EXPECT_EQ(rig.window.Text(ctrl::kResultBox), "");
  EXPECT_EQ(rig.dialog.m_exitStatus, 0);
  ExpectDeviceGone(rig);
  // The removal handler runs to its end (and ends the dialog) before the result box is emptied.
  const auto removed = rig.FirstCall(WindowOp::kSend);
  ASSERT_TRUE(removed);
  EXPECT_EQ(rig.window.Log()[*removed].message, msg::kDeviceRemoved);
  EXPECT_LT(*removed, *rig.FirstCall(WindowOp::kEndDialog));
  const auto emptied = rig.LastCall(WindowOp::kSetText, ctrl::kResultBox);
  ASSERT_TRUE(emptied);
  EXPECT_GT(*emptied, *rig.FirstCall(WindowOp::kEndDialog));
  EXPECT_LT(*emptied, rig.Destroyed().value());
  EXPECT_THAT(rig.window.Faults(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Removal, DialogEarlyRemovalTest,
    ::testing::Values(EarlyRemovalCase{"BeforeTheTimer", nullptr, true, false},
                      EarlyRemovalCase{"HaltedOnFileNotFound", nullptr, false, false},
                      EarlyRemovalCase{"HaltedOnOpenFileError", ":00000001FF\r\n", true, false},
                      EarlyRemovalCase{"HaltedOnNoFont", nullptr, true, true}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct WriteRemovalCase {
  const char* name;
  // What happens to the camera during the blocks.
  std::function<void(DialogRig&, SimulatedCamera&)> during;
  const char* result;
  std::string_view statusAtEnd;
};

void PrintTo(const WriteRemovalCase& c, std::ostream* out) {
  *out << c.name;
}

const WriteRemovalCase kWriteRemovals[] = {
    // The graph reports the loss while the camera still answers: the run keeps its channel.
    {"ReportedButStillAnswering",
     [](DialogRig& rig, SimulatedCamera& camera) {
       rig.devices.LastGraph()->RaiseDeviceEvent(camera, 0);
     },
     "PASS", kStatusDeviceFailure},
    {"Unplugged", [](DialogRig&, SimulatedCamera& camera) { camera.Unplug(); }, "FAIL",
     kStatusDeviceFailure},
    // Found again by discovery, but the run's channel was bound before the loss.
    {"UnpluggedAndBack",
     [](DialogRig&, SimulatedCamera& camera) {
       camera.Unplug();
       camera.Replug();
     },
     "FAIL", kStatusDeviceReady},
};

class DialogWriteRemovalTest : public ::testing::TestWithParam<WriteRemovalCase> {};

TEST_P(DialogWriteRemovalTest, TheWriteGoesOnToItsResultThenTheDialogEnds) {
  const WriteRemovalCase& c = GetParam();
  DialogRig rig;
  SimulatedCamera& camera = rig.Plug("model=TALVO");
  rig.UseSamples();
  // Actions run in the write's one-message pump once the blocks go out.
  rig.window.At(kBlocksStartMs, [&] { c.during(rig, camera); });

  EXPECT_EQ(rig.Run(), msg::kIdCancel);

  EXPECT_EQ(rig.window.Text(ctrl::kResultBox), c.result);
  const bool passed = std::string(c.result) == "PASS";
  EXPECT_EQ(rig.dialog.m_exitStatus, passed ? 1 : 0);
  EXPECT_EQ(rig.dialog.m_writeResult, passed ? 1 : 0);
  EXPECT_EQ(rig.window.Text(ctrl::kStatusLine), c.statusAtEnd);
  ASSERT_TRUE(rig.files.Has("EEPROM.bin"));
  const std::size_t totalBlocks = (rig.files.Contents("EEPROM.bin").size() + 7) / 8;
  if (passed) {
    EXPECT_EQ(BlockRequests(camera).size(), totalBlocks);
    EXPECT_EQ(rig.FlashOverBin(camera), rig.files.Contents("EEPROM.bin"));
  } else {
    EXPECT_LT(BlockRequests(camera).size(), totalBlocks);
  }
  // The removal marked the dialog to end; the timer ends it again once the write returned, and
  // only then does the window go.
  const auto ends = rig.window.Calls(WindowOp::kEndDialog);
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_EQ(ends[0].timeMs, kBlocksStartMs);
  const auto result = rig.FirstCall(WindowOp::kSetText, ctrl::kResultBox, c.result);
  ASSERT_TRUE(result);
  EXPECT_GT(*result, *rig.FirstCall(WindowOp::kEndDialog));
  EXPECT_LT(*rig.LastCall(WindowOp::kSetText, ctrl::kResultBox), rig.Destroyed().value());
  // The buffers the run used were released once, after it.
  EXPECT_EQ(rig.dialog.m_xuData, nullptr);
  EXPECT_EQ(rig.dialog.m_flashImage, nullptr);
  EXPECT_THAT(rig.window.Faults(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Removal, DialogWriteRemovalTest, ::testing::ValuesIn(kWriteRemovals),
                         [](const auto& tested) { return std::string(tested.param.name); });

struct DrainCase {
  const char* name;
  std::vector<ScriptedEvents::Entry> events;
  int gets;          // GetEvent calls on the scripted queue
  std::size_t left;  // events still queued after the drain
  bool removed;
};

void PrintTo(const DrainCase& c, std::ostream* out) {
  *out << c.name;
}

constexpr HResult kSFalse = 1;

const DrainCase kDrains[] = {
    {"OtherEventsChangeNothing",
     {{status::kOk, 0x01, 11, 12},
      {status::kOk, 0x0D, 21, 22},
      {status::kOk, kEcDeviceLost, 31, 2}},
     4,
     0,
     false},
    {"RemovalAmongOthers",
     {{status::kOk, 0x0D, 21, 22},
      {status::kOk, kEcDeviceLost, 31, 0},
      {status::kOk, 0x01, 11, 12}},
     4,
     0,
     true},
    // Discovery replaces the graph: the drain goes on with the new one, not the old queue.
    {"DeviceBackReadsTheNewGraph",
     {{status::kOk, kEcDeviceLost, 31, 1}, {status::kOk, kEcDeviceLost, 31, 0}},
     1,
     1,
     false},
    {"OnlyExactlyOkCounts",
     {{kSFalse, kEcDeviceLost, 31, 0}, {status::kOk, kEcDeviceLost, 31, 0}},
     1,
     1,
     false},
};

class DialogDrainTest : public ::testing::TestWithParam<DrainCase> {};

TEST_P(DialogDrainTest, OneGraphMessageDrainsTheQueue) {
  const DrainCase& c = GetParam();
  DialogRig rig;
  rig.Plug("model=TALVO");
  rig.UseSamples();
  auto events = std::make_shared<ScriptedEvents>(c.events);
  rig.window.At(100, [&] {
    rig.dialog.m_mediaEvents = events;
    rig.window.PostToWindow(msg::kGraphEvent, 0, 0);
  });

  rig.Run();

  EXPECT_EQ(events->gets, c.gets);
  EXPECT_EQ(events->Left(), c.left);
  std::vector<ScriptedEvents::Freed> expectedFreed;
  for (std::size_t i = 0; i < c.events.size() && i < static_cast<std::size_t>(c.gets); ++i) {
    const auto& entry = c.events[i];
    if (entry.status != status::kOk) {
      break;
    }
    expectedFreed.push_back({entry.code, entry.param1, entry.param2});
  }
  EXPECT_EQ(events->freed, expectedFreed) << "every event taken is freed, none twice";
  if (c.removed) {
    EXPECT_EQ(rig.window.Calls(WindowOp::kEndDialog).at(0).timeMs, 100u);
    EXPECT_EQ(rig.window.Text(ctrl::kResultBox), "");
    EXPECT_EQ(rig.dialog.m_exitStatus, 0);
    ExpectDeviceGone(rig);
  } else {
    EXPECT_EQ(rig.window.Text(ctrl::kResultBox), "PASS");
    EXPECT_EQ(rig.dialog.m_exitStatus, 1);
    EXPECT_EQ(rig.dialog.m_deviceMissing, 0);
  }
  EXPECT_THAT(rig.window.Faults(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Events, DialogDrainTest, ::testing::ValuesIn(kDrains),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST(DialogDeviceBackTest, DiscoveryRunsAgainInTheSameDrainButTheTimerIsNotArmedAgain) {
  DialogRig rig;
  SimulatedCamera& camera = rig.Plug("model=TALVO");
  rig.UseSamples();
  std::shared_ptr<MediaEvents> firstGraph;
  rig.window.At(500, [&] {
    firstGraph = rig.dialog.m_mediaEvents;
    camera.Unplug();
    camera.Replug();
  });

  EXPECT_EQ(rig.Run(), msg::kIdCancel);

  // Both events came out of the first graph's queue in one drain.
  ASSERT_NE(firstGraph, nullptr);
  std::int32_t code = 0;
  std::intptr_t param1 = 0;
  std::intptr_t param2 = 0;
  EXPECT_EQ(firstGraph->GetEvent(&code, &param1, &param2, 0), status::kAbort);
  EXPECT_EQ(rig.window.ControlIds(WindowOp::kDispatch).size(), 2u)  // the graph message, destroy
      << "one WM_GRAPH_EVENT was enough";
  EXPECT_NE(rig.dialog.m_mediaEvents, firstGraph) << "discovery made a new graph";

  // Found again: ready, but the dialog still ends and no write runs.
  const auto statuses = rig.TextsOf(ctrl::kStatusLine);
  ASSERT_GE(statuses.size(), 2u);
  EXPECT_THAT(std::vector<std::string>(statuses.end() - 2, statuses.end()),
              ElementsAre(std::string(kStatusDeviceFailure), std::string(kStatusDeviceReady)));
  EXPECT_EQ(rig.dialog.m_deviceMissing, 0);
  EXPECT_NE(rig.dialog.m_deviceFilters[0], nullptr);
  EXPECT_EQ(rig.window.Control(ctrl::kDeviceList).items.size(), 1u);
  EXPECT_EQ(rig.window.Calls(WindowOp::kSetTimer).size(), 1u);
  EXPECT_EQ(rig.window.Calls(WindowOp::kEndDialog).at(0).timeMs, 500u);
  EXPECT_THAT(rig.window.Calls(WindowOp::kKillTimer), IsEmpty());
  EXPECT_THAT(BlockRequests(camera), IsEmpty());
  EXPECT_FALSE(rig.WroteEepromFiles());
  EXPECT_EQ(rig.dialog.m_exitStatus, 0);
  EXPECT_THAT(rig.window.Faults(), IsEmpty());
}

}  // namespace
}  // namespace korvane
