// The application around the dialog: the exit code from the way the dialog ended, and the
// five-second wait after the window has gone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "app/korvane_app.h"
#include "dialog_rig.h"
#include "platform/window_messages.h"

namespace korvane {
namespace {

using testing::kBlocksStartMs;

// Simulated time that notes every sleep with what the exit code was while it lasted.
class WatchedClock final : public Clock {
 public:
  struct Nap {
    std::uint64_t startMs;
    std::uint32_t milliseconds;
    int exitCodeDuring;
  };
  void Sleep(std::uint32_t milliseconds) override {
    m_sleeps.push_back({m_inner.NowMs(), milliseconds, exitCode ? exitCode() : 0});
    m_inner.Sleep(milliseconds);
  }
  std::uint64_t NowMs() override { return m_inner.NowMs(); }
  const std::vector<Nap>& Sleeps() const { return m_sleeps; }

  std::function<int()> exitCode;

 private:
  VirtualClock m_inner;
  std::vector<Nap> m_sleeps;
};

struct AppRig {
  WatchedClock clock;
  SimulatedCaptureSystem devices{clock};
  testing::MemoryFileSystem files{"/line/station"};
  WindowModel window{clock, MainDialogLayout()};
  CKorvaneApp app{StationServices{window, devices, files, clock}};

  AppRig() {
    clock.exitCode = [this] { return app.ExitInstance(); };
  }
};

struct ExitCase {
  const char* name;
  std::function<void(AppRig&)> arrange;
  int exitCode;
  bool waits;
};

void PrintTo(const ExitCase& c, std::ostream* out) {
  *out << c.name;
}

void Camera(AppRig& rig) {
  rig.devices.AddDevice(testing::Config("model=TALVO"));
}
void Samples(AppRig& rig) {
  rig.files.AddFile("FW.hex", testing::SampleFile("FW.hex"));
  rig.files.AddFile("UI.hex", testing::SampleFile("UI.hex"));
}
// Camera and files are fine but the font is not made: the dialog halts, and the hidden write
// button is the only way to a write.
void HaltedThenWrittenByHand(AppRig& rig, int endingCommand) {
  Camera(rig);
  Samples(rig);
  rig.window.FailFontCreation(true);
  rig.window.At(100, [&rig] { rig.window.Click(ctrl::kWriteButton); });
  rig.window.At(kBlocksStartMs,
                [&rig, endingCommand] { rig.window.Notify(endingCommand, msg::kBnClicked); });
}

const ExitCase kExits[] = {
    {"PassEndsWithCancel",
     [](AppRig& rig) {
       Camera(rig);
       Samples(rig);
     },
     1, true},
    {"NoCamera", [](AppRig& rig) { Samples(rig); }, 0, true},
    {"HaltedThenClosed", [](AppRig& rig) { Camera(rig); }, 0, true},
    {"CancelAfterAPassedWrite", [](AppRig& rig) { HaltedThenWrittenByHand(rig, msg::kIdCancel); },
     1, true},
    {"OkAfterAPassedWrite", [](AppRig& rig) { HaltedThenWrittenByHand(rig, msg::kIdOk); }, 0, true},
    {"WindowNotCreated", [](AppRig& rig) { rig.window.FailWindowCreation(true); }, 0, false},
};

class AppExitTest : public ::testing::TestWithParam<ExitCase> {};

TEST_P(AppExitTest, ExitCodeFollowsHowTheDialogEnded) {
  const ExitCase& c = GetParam();
  AppRig rig;
  c.arrange(rig);

  EXPECT_FALSE(rig.app.InitInstance()) << "no message loop of the application's own";

  EXPECT_EQ(rig.app.ExitInstance(), c.exitCode);
  const auto& sleeps = rig.clock.Sleeps();
  if (!c.waits) {
    EXPECT_TRUE(sleeps.empty());
    EXPECT_EQ(rig.clock.NowMs(), 0u);
    return;
  }
  ASSERT_FALSE(sleeps.empty());
  const WatchedClock::Nap& finalWait = sleeps.back();
  EXPECT_EQ(finalWait.milliseconds, 5000u);
  // After the window went, and before the exit code was set.
  const auto& log = rig.window.Log();
  ASSERT_FALSE(log.empty());
  EXPECT_GE(finalWait.startMs, log.back().timeMs);
  EXPECT_EQ(finalWait.exitCodeDuring, 0);
  EXPECT_TRUE(rig.window.Faults().empty());
}

INSTANTIATE_TEST_SUITE_P(Exit, AppExitTest, ::testing::ValuesIn(kExits),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST(AppExitTest, TheManualWriteOfTheOkCasePassedBeforeTheDialogEnded) {
  // Guards the OK case above: m_exitStatus was 1 there, and the exit code is still 0.
  AppRig rig;
  HaltedThenWrittenByHand(rig, msg::kIdOk);
  rig.app.InitInstance();
  const auto ends = rig.window.Calls(WindowOp::kEndDialog);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].value, msg::kIdOk);
  EXPECT_EQ(rig.window.Text(ctrl::kResultBox), "PASS");
  EXPECT_EQ(rig.app.ExitInstance(), 0);
}

}  // namespace
}  // namespace korvane
