#include <gtest/gtest.h>

#include "device/enumerate_devices.h"
#include "platform/control_ids.h"
#include "platform/window_messages.h"
#include "recording_window.h"
#include "support/sim_rig.h"

namespace korvane {
namespace {

using ::testing::ElementsAre;
using testing::RecordingWindow;
using ::testing::Return;
using testing::SimRig;

const std::vector<std::string> kRunStart = {"enable 1002 off", "enable 1003 off", "enable 1026 off",
                                            "enable 1001 off", "enable 1037 off", "text 1036 ''"};

// The filter kept in slot 0 belongs to `camera`.
bool Keeps(const DeviceState& state, const SimulatedCamera& camera) {
  auto* filter = dynamic_cast<SimCaptureFilter*>(state.m_deviceFilters[0].get());
  return filter != nullptr && &filter->Camera() == &camera;
}

class EnumerateDevicesTest : public ::testing::Test {
 protected:
  void Run() { EnumerateDevices(rig.state, window, rig.system); }
  bool WriteControlsEnabled() {
    return window.m_enabled[ctrl::kReadButton] && window.m_enabled[ctrl::kWriteRegisterButton] &&
           window.m_enabled[ctrl::kWriteButton] && window.m_enabled[ctrl::kCheckFirmwareButton];
  }

  SimRig rig;
  RecordingWindow window;
};

TEST_F(EnumerateDevicesTest, NoDeviceLeavesEverythingDisabledButEnumerate) {
  window.m_list = {"stale entry"};
  rig.state.m_selectedDevice = 4;
  Run();
  std::vector<std::string> expected = kRunStart;
  expected.insert(expected.end(), {"list delete 0", "enable 1001 on"});
  EXPECT_EQ(window.m_log, expected);
  EXPECT_EQ(rig.state.m_deviceMissing, 1);
  EXPECT_EQ(rig.state.m_selectedDevice, 0);
  EXPECT_EQ(rig.system.LastGraph(), nullptr);

  // The flag is left as it was, whatever it was.
  rig.state.m_deviceMissing = 0;
  Run();
  EXPECT_EQ(rig.state.m_deviceMissing, 0);
  EXPECT_FALSE(WriteControlsEnabled());
}

TEST_F(EnumerateDevicesTest, SkipsAForeignDeviceAndTakesAVariantBCameraWithoutAName) {
  auto& plain = rig.Add("name=Office Webcam,xu-node=none");
  auto& camera = rig.Add("name=none,model=KESTA,variant=B");
  auto& later = rig.Add("name=Third,model=TALVO");
  Run();

  std::vector<std::string> expected = kRunStart;
  expected.insert(expected.end(),
                  {"list add 'Office Webcam'", "caption 'Tavolin Tool (KESTA)'", "text 1101 'AMIC'",
                   "list select 0", "enable 1002 on", "enable 1003 on", "enable 1026 on",
                   "enable 1037 on", "caption 'Tavolin Nuvex Firmware Upgrade Tool'",
                   "text 1338 '   USB Device Ready !!!'", "enable 1001 on"});
  EXPECT_EQ(window.m_log, expected);
  EXPECT_EQ(rig.state.m_controllerKind, 1);
  EXPECT_EQ(rig.state.m_deviceMissing, 0);
  EXPECT_EQ(rig.state.m_xuPropertySet, kXuPropertySetVariantB);
  EXPECT_TRUE(Keeps(rig.state, camera));
  for (std::size_t i = 1; i < kDeviceFilterSlots; ++i) {
    EXPECT_EQ(rig.state.m_deviceFilters[i], nullptr);
  }
  EXPECT_TRUE(plain.Requests().empty());  // no unit: no channel, nothing to send
  EXPECT_TRUE(later.Requests().empty());
  auto graph = rig.system.LastGraph();
  ASSERT_NE(graph, nullptr);
  ASSERT_EQ(graph->Members().size(), 1u);
  EXPECT_EQ(graph->Members()[0].name, "Office Webcam");
}

struct DiscoveryCase {
  const char* name;
  std::vector<std::string_view> devices;
  int recognised;  // -1: none
  std::vector<std::string> list;
  std::int32_t kind;
  std::vector<std::size_t> examined;  // devices that received requests
};

TEST_F(EnumerateDevicesTest, RecognisesTheFirstKnownController) {
  const std::vector<DiscoveryCase> cases = {
      {"unknown chip before the camera",
       {"name=Other,chip=0x1234", "name=Cam,model=MORIN"},
       1,
       {"Cam"},
       3,
       {0, 1}},
      {"second and third known: the third is never examined",
       {"name=A,variant=none", "name=B,model=TALVO", "name=C,model=KESTA"},
       1,
       {"B"},
       2,
       {0, 1}},
      {"first camera without a name: empty name", {"name=none,model=TALVO"}, 0, {""}, 2, {0}},
      {"property bag unbindable: skipped without identification",
       {"name=Hidden,property-bag=fail,model=KESTA", "name=Shown,model=KESTA"},
       1,
       {"Shown"},
       1,
       {1}},
      {"only unknown devices", {"chip=0x5400", "variant=none", "xu-node=none"}, -1, {}, 0, {0, 1}},
  };
  for (const DiscoveryCase& c : cases) {
    SimRig local;
    RecordingWindow localWindow;
    std::vector<SimulatedCamera*> cameras;
    for (std::string_view text : c.devices) {
      cameras.push_back(&local.Add(text));
    }
    EnumerateDevices(local.state, localWindow, local.system);
    EXPECT_EQ(localWindow.m_list, c.list) << c.name;
    EXPECT_EQ(local.state.m_controllerKind, c.kind) << c.name;
    EXPECT_EQ(local.state.m_deviceMissing, c.recognised < 0 ? 1 : 0) << c.name;
    if (c.recognised >= 0) {
      EXPECT_TRUE(Keeps(local.state, *cameras[static_cast<std::size_t>(c.recognised)])) << c.name;
    } else {
      EXPECT_EQ(local.state.m_deviceFilters[0], nullptr) << c.name;
    }
    std::vector<std::size_t> examined;
    for (std::size_t i = 0; i < cameras.size(); ++i) {
      if (!cameras[i]->Requests().empty()) {
        examined.push_back(i);
      }
    }
    EXPECT_EQ(examined, c.examined) << c.name;
  }
}

TEST_F(EnumerateDevicesTest, RunningTwiceGivesTheSameState) {
  auto& camera = rig.Add("name=Cam,model=TALVO");
  Run();
  Run();
  EXPECT_THAT(window.m_list, ElementsAre("Cam"));
  EXPECT_TRUE(Keeps(rig.state, camera));
  EXPECT_EQ(rig.state.m_selectedDevice, 0);
  EXPECT_EQ(rig.state.m_deviceMissing, 0);
}

TEST_F(EnumerateDevicesTest, ASelectionErrorLeavesTheDeviceNotReady) {
  rig.Add("name=Cam,model=TALVO");
  ON_CALL(window, ListSetCurSel).WillByDefault(Return(msg::kLbErr));
  Run();
  EXPECT_THAT(window.m_list, ElementsAre("Cam"));
  EXPECT_EQ(window.m_caption, "Extension Unit Tool (TALVO C)");
  EXPECT_EQ(rig.state.m_controllerKind, 2);
  EXPECT_EQ(rig.state.m_deviceMissing, 1);
  EXPECT_FALSE(WriteControlsEnabled());
  EXPECT_TRUE(window.m_enabled[ctrl::kEnumerateButton]);

  // The flag is left as it was, whatever it was.
  rig.state.m_deviceMissing = 0;
  Run();
  EXPECT_EQ(rig.state.m_deviceMissing, 0);
  EXPECT_FALSE(WriteControlsEnabled());
}

TEST_F(EnumerateDevicesTest, AListThatNeverEmptiesDoesNotHangTheRun) {
  ON_CALL(window, ListGetCount).WillByDefault(Return(msg::kLbErr));
  Run();
  ON_CALL(window, ListGetCount).WillByDefault(Return(3));
  ON_CALL(window, ListDeleteString).WillByDefault(Return(3));
  Run();
  EXPECT_TRUE(window.m_enabled[ctrl::kEnumerateButton]);
}

TEST_F(EnumerateDevicesTest, UnplugAndReplugReachTheWindowThroughTheGraph) {
  auto& camera = rig.Add("name=Cam,model=TALVO");
  Run();
  ASSERT_NE(rig.state.m_mediaEvents, nullptr);

  camera.Unplug();
  camera.Replug();
  EXPECT_THAT(window.m_posted, ElementsAre(msg::kGraphEvent, msg::kGraphEvent));
  std::int32_t code = 0;
  std::intptr_t param1 = 0;
  std::intptr_t param2 = 0;
  const auto kept = reinterpret_cast<std::intptr_t>(rig.state.m_deviceFilters[0].get());
  for (std::intptr_t expected : {0, 1}) {
    ASSERT_EQ(rig.state.m_mediaEvents->GetEvent(&code, &param1, &param2, 0), 0);
    EXPECT_EQ(code, kEcDeviceLost);
    EXPECT_EQ(param1, kept);
    EXPECT_EQ(param2, expected);
  }
  EXPECT_EQ(rig.state.m_mediaEvents->GetEvent(&code, &param1, &param2, 0), status::kAbort);

  // A returning camera is found again on a new filter.
  Run();
  EXPECT_TRUE(Keeps(rig.state, camera));
  EXPECT_EQ(rig.state.m_deviceMissing, 0);
}

}  // namespace
}  // namespace korvane
