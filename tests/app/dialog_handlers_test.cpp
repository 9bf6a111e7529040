// The handlers that look after the window: the result box colours, the flash-type radios and the
// device list's selection.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "dialog_rig.h"
#include "platform/window_messages.h"

namespace korvane {
namespace {

using testing::DialogRig;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr int kCtlColorEdit = 1;

TEST(DialogColourTest, TheResultBoxIsBlueExactlyWhenTheLastWritePassed) {
  struct Case {
    std::int32_t writeResult;
    Rgb colour;
  };
  for (const Case& c : {Case{1, kBlue}, Case{0, kRed}, Case{2, kRed}, Case{-1, kRed}}) {
    DialogRig rig;
    rig.dialog.m_writeResult = c.writeResult;
    SCOPED_TRACE(c.writeResult);
    EXPECT_EQ(rig.dialog.OnCtlColor(ctrl::kResultBox, msg::kCtlColorStatic), c.colour);
    // Other controls, and other kinds of colour request, keep the defaults.
    EXPECT_EQ(rig.dialog.OnCtlColor(ctrl::kStatusLine, msg::kCtlColorStatic), std::nullopt);
    EXPECT_EQ(rig.dialog.OnCtlColor(ctrl::kFirmwareNameEdit, msg::kCtlColorStatic), std::nullopt);
    EXPECT_EQ(rig.dialog.OnCtlColor(ctrl::kResultBox, kCtlColorEdit), std::nullopt);
  }
}

class DialogRadioTest : public ::testing::TestWithParam<int> {};

TEST_P(DialogRadioTest, AClickLeavesExactlyThatRadioChecked) {
  const int clicked = GetParam();
  DialogRig rig;
  rig.Plug("model=TALVO");  // halted: no files, so the window waits for the operator
  rig.window.At(100, [&] { rig.window.Click(clicked); });

  rig.Run();

  const std::vector<int> radios = {ctrl::kRadioAtmel, ctrl::kRadioMxic, ctrl::kRadioSst,
                                   ctrl::kRadioPflash};
  std::vector<std::string> sent;
  for (const WindowCall& call : rig.window.Calls(WindowOp::kSetCheck)) {
    if (call.timeMs == 100) {
      sent.push_back(std::to_string(call.id) + "=" + std::to_string(call.value));
    }
  }
  std::vector<std::string> expected;
  for (int radio : radios) {
    expected.push_back(std::to_string(radio) + "=" + (radio == clicked ? "1" : "0"));
  }
  EXPECT_EQ(sent, expected) << "all four, in the order 1099, 1100, 1101, 1103";
  for (int radio : radios) {
    EXPECT_EQ(rig.window.Control(radio).checked, radio == clicked) << radio;
  }
  EXPECT_THAT(rig.window.Faults(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(FlashType, DialogRadioTest,
                         ::testing::Values(ctrl::kRadioAtmel, ctrl::kRadioMxic, ctrl::kRadioSst,
                                           ctrl::kRadioPflash));

TEST(DialogDeviceListTest, TheSelectionIsStoredAndALostOneNeverReachesTheFilters) {
  struct Case {
    int selectIndex;
    std::int32_t stored;
    const char* result;
  };
  for (const Case& c : {Case{0, 0, "PASS"}, Case{-1, msg::kLbErr, "FAIL"}}) {
    SCOPED_TRACE(c.selectIndex);
    DialogRig rig;
    SimulatedCamera& camera = rig.Plug("model=TALVO");
    rig.UseSamples();
    std::optional<std::int32_t> stored;
    std::size_t requestsBeforeTheWrite = 0;
    rig.window.At(100, [&] {
      rig.window.ListSetCurSel(ctrl::kDeviceList, c.selectIndex);
      rig.window.Notify(ctrl::kDeviceList, msg::kLbnSelChange);
    });
    rig.window.At(200, [&] {
      stored = rig.dialog.m_selectedDevice;
      requestsBeforeTheWrite = camera.Requests().size();
    });

    rig.Run();

    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(rig.window.Text(ctrl::kResultBox), c.result);
    if (c.stored < 0) {
      // The write failed before it opened a channel: nothing after discovery reached the camera.
      EXPECT_EQ(camera.Requests().size(), requestsBeforeTheWrite);
    }
    EXPECT_THAT(rig.window.Faults(), IsEmpty());
  }
}

}  // namespace
}  // namespace korvane
