// A write clicked while a write runs: the running write's pump dispatches the click, and the
// running write is the only one and reports for both.
#include <gtest/gtest.h>

#include <cstddef>
#include <optional>

#include "dialog_rig.h"
#include "platform/control_ids.h"
#include "platform/window_messages.h"

namespace korvane {
namespace {

using testing::BlockRequests;
using testing::DialogRig;
using testing::kBlocksStartMs;

std::size_t Control6Requests(const SimulatedCamera& camera) {
  std::size_t count = 0;
  for (const RecordedRequest& request : camera.Requests()) {
    if (request.IsSet() && request.selector == 6) {
      ++count;
    }
  }
  return count;
}

// Position in the log where the write button's click reached the dialog.
std::optional<std::size_t> WriteClickDispatched(const DialogRig& rig) {
  const auto& log = rig.window.Log();
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i].op == WindowOp::kDispatch && log[i].message == msg::kCommand &&
        log[i].wParam == msg::CommandWParam(ctrl::kWriteButton, msg::kBnClicked)) {
      return i;
    }
  }
  return std::nullopt;
}

TEST(DialogNestedWriteTest, AWriteClickedDuringTheBlocksLeavesOneWriteThatReports) {
  DialogRig rig;
  SimulatedCamera& camera = rig.Plug("model=TALVO");
  rig.UseSamples();
  rig.window.At(kBlocksStartMs, [&rig] { rig.window.Click(ctrl::kWriteButton); });

  EXPECT_EQ(rig.Run(), msg::kIdCancel);

  // The click was dispatched by the pump, inside the running write.
  const std::optional<std::size_t> click = WriteClickDispatched(rig);
  ASSERT_TRUE(click);
  EXPECT_GE(rig.window.Log()[*click].timeMs, kBlocksStartMs);
  const std::optional<std::size_t> result = rig.LastCall(WindowOp::kSetText, ctrl::kResultBox);
  ASSERT_TRUE(result);
  EXPECT_LT(*click, *result);

  EXPECT_EQ(Control6Requests(camera), 1u) << "exactly one write ran";
  EXPECT_EQ(rig.TextsOf(ctrl::kResultBox).back(), "PASS");
  EXPECT_EQ(rig.dialog.m_writeResult, 1);
  EXPECT_EQ(rig.dialog.m_exitStatus, 1);
  EXPECT_EQ(BlockRequests(camera).size(), (rig.files.Contents("EEPROM.bin").size() + 7) / 8);
  EXPECT_EQ(rig.FlashOverBin(camera), rig.files.Contents("EEPROM.bin"));
  EXPECT_TRUE(rig.window.Faults().empty());
}

}  // namespace
}  // namespace korvane
