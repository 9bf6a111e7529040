#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <string>
#include <thread>

#include "fake_clock.h"
#include "platform/console/big_letters.h"
#include "platform/console/terminal_text.h"
#include "platform/console/terminal_window.h"
#include "test_layout.h"

namespace korvane {
namespace {

using ::testing::ElementsAre;
using testing::FakeClock;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::ScriptedDialog;
using testing::TestLayout;

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr std::size_t kColumns = 60;
constexpr std::size_t kFrameWidth = kColumns - 1;

std::size_t Count(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
    ++count;
  }
  return count;
}

// A station-like run: start-up texts, one timer tick, a write of `blocks` blocks that pumps one
// message per block, then the result and the end.
class TerminalRun {
 public:
  explicit TerminalRun(TerminalOptions options, std::string input = "") : in(std::move(input)) {
    options.timeMode = TimeMode::kSimulated;
    options.largeTextControl = testing::kResult;
    options.columns = kColumns;
    window = std::make_unique<TerminalWindow>(clock, TestLayout(), out, in, options);
    dialog = std::make_unique<ScriptedDialog>(*window);
    dialog->onCtlColor = [this](int controlId, int ctlType) -> std::optional<Rgb> {
      if (controlId == testing::kResult && ctlType == ctl_color::kStatic) {
        return passed ? kBlue : kRed;
      }
      return std::nullopt;
    };
  }

  void ScriptWrite(int blocks, std::string result) {
    dialog->onInit = [this] {
      window->SetControlText(testing::kStatus, "   Ready !!!");
      window->SetControlText(testing::kName, "FW.hex");
      window->SetTimer(0, 1000);
    };
    dialog->handlers[msg::kTimer] = [this, blocks, result](std::uintptr_t, std::intptr_t) {
      window->KillTimer(0);
      window->SetControlText(testing::kStatus, "Please wait...");
      window->ProgressSetRange(testing::kBar, 0, blocks);
      for (int i = 1; i <= blocks; ++i) {
        window->ProgressSetPos(testing::kBar, i);
        window->PumpOneMessage();
      }
      window->SetControlText(testing::kResult, result);
      passed = result == "PASS";
      window->EndDialog(msg::kIdCancel);
    };
  }

  FakeClock clock;
  std::ostringstream out;
  std::istringstream in;
  std::unique_ptr<TerminalWindow> window;
  std::unique_ptr<ScriptedDialog> dialog;
  bool passed = false;
};

TEST(TerminalWindowPlain, WritesOneLinePerChangeAndProgressInTenths) {
  TerminalRun run({});
  run.ScriptWrite(200, "PASS");

  EXPECT_EQ(run.window->DoModal(*run.dialog), msg::kIdCancel);

  EXPECT_EQ(run.out.str(),
            "Test Station\n"
            "   Ready !!!\n"
            "Label :\n"
            "FW.hex\n"
            "Please wait...\n"
            "Progress 10 %\nProgress 20 %\nProgress 30 %\nProgress 40 %\nProgress 50 %\n"
            "Progress 60 %\nProgress 70 %\nProgress 80 %\nProgress 90 %\nProgress 100 %\n"
            "PASS\n");
  EXPECT_EQ(run.clock.NowMs(), 1000u);  // the timer came on simulated time
  EXPECT_THAT(run.dialog->received, ElementsAre(msg::kTimer, msg::kDestroy));
}

TEST(TerminalWindowPlain, HiddenControlsAreNotShownAndTextCannotDriveTheTerminal) {
  TerminalRun run({});
  run.dialog->onInit = [&] {
    run.window->SetControlText(testing::kHiddenStatic, "still secret");
    run.window->SetControlText(testing::kName, "evil\x1b[2J.hex");
    run.window->EndDialog(msg::kIdCancel);
  };
  run.window->DoModal(*run.dialog);

  EXPECT_THAT(run.out.str(), Not(HasSubstr("secret")));
  EXPECT_THAT(run.out.str(), HasSubstr("evil?[2J.hex\n"));
  EXPECT_THAT(run.out.str(), Not(HasSubstr("\x1b")));
}

TEST(TerminalWindowPlain, MessageBoxesArePrintedAndWaitForEnterOnlyOnATerminal) {
  struct Case {
    bool inputIsTerminal;
    std::string rest;  // what is left of the input after the box
  } cases[] = {{true, "next line\n"}, {false, "\nnext line\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inputIsTerminal);
    TerminalRun run({.inputIsTerminal = c.inputIsTerminal}, "\nnext line\n");
    run.dialog->onInit = [&] {
      run.window->ShowMessage("Open File Error.");
      run.window->EndDialog(msg::kIdCancel);
    };
    run.window->DoModal(*run.dialog);
    EXPECT_THAT(run.out.str(), HasSubstr("korvane: Open File Error.\n"));
    std::string rest;
    std::getline(run.in, rest, '\0');
    EXPECT_EQ(rest, c.rest);
  }
}

TEST(TerminalWindowTty, ShowsTheResultInLargeLettersInTheDialogsColour) {
  struct Case {
    const char* result;
    const char* colour;
  } cases[] = {{"PASS", "\x1b[1;34m"}, {"FAIL", "\x1b[1;31m"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    TerminalRun run({.outputIsTerminal = true});
    run.ScriptWrite(8, c.result);
    run.window->DoModal(*run.dialog);

    const std::string& out = run.out.str();
    auto letters = BigLetters(c.result);
    ASSERT_TRUE(letters.has_value());
    for (const std::string& row : *letters) {
      std::string centred = std::string((kFrameWidth - DisplayWidth(row)) / 2, ' ') + row;
      EXPECT_THAT(out, HasSubstr("\x1b[2K" + std::string(c.colour) + centred));
    }
    // The cursor is hidden while drawing and given back at the end.
    EXPECT_EQ(out.find("\x1b[?25l"), 0u);
    EXPECT_TRUE(out.ends_with("\x1b[?25h"));
  }
}

TEST(TerminalWindowTty, RedrawsInPlaceAndOnlyWhenThePercentChanges) {
  TerminalRun run({.outputIsTerminal = true});
  run.ScriptWrite(1000, "PASS");
  run.window->DoModal(*run.dialog);

  const std::string& out = run.out.str();
  // The caption is drawn once: later redraws start below it.
  EXPECT_EQ(Count(out, "Test Station"), 1u);
  // Every percent is drawn once although 1000 positions were set, and only the bar's line.
  for (int percent = 1; percent <= 100; ++percent) {
    std::string label = std::to_string(percent) + " %";
    EXPECT_EQ(Count(out, "]" + std::string(6 - label.size(), ' ') + label), 1u) << percent;
  }
  EXPECT_EQ(Count(out, "\x1b[2K["), 101u);  // with 0 % at the first draw
  EXPECT_EQ(Count(out, "Label :"), 1u);
  EXPECT_THAT(out, HasSubstr("\x1b[2K( ) Choice"));
}

TEST(TerminalWindowTty, AMessageBoxGoesAboveTheFrameWhichIsDrawnAgainBelow) {
  TerminalRun run({.outputIsTerminal = true});
  run.dialog->onInit = [&] { run.window->SetTimer(0, 10); };
  run.dialog->handlers[msg::kTimer] = [&](std::uintptr_t, std::intptr_t) {
    run.window->KillTimer(0);
    run.window->ShowMessage("Lens Error");
    run.window->EndDialog(msg::kIdCancel);
  };
  run.window->DoModal(*run.dialog);

  const std::string& out = run.out.str();
  auto box = out.find("Lens Error");
  ASSERT_NE(box, std::string::npos);
  // The frame was wiped before the box and drawn whole after it.
  EXPECT_NE(out.rfind("\x1b[J", box), std::string::npos);
  EXPECT_EQ(Count(out, "Test Station"), 2u);
  EXPECT_GT(out.rfind("Test Station"), box);
}

class TerminalWindowSignals : public ::testing::TestWithParam<int> {};

TEST_P(TerminalWindowSignals, ASignalIsACloseRequestHandledByThePumpNotTheHandler) {
  TerminalRun run({.catchCloseSignals = true});
  std::vector<std::uint32_t> receivedRightAfterSignal;
  bool pumped = false;
  run.dialog->onInit = [&] { run.window->SetTimer(0, 1000); };
  run.dialog->handlers[msg::kTimer] = [&](std::uintptr_t, std::intptr_t) {
    run.window->KillTimer(0);
    std::raise(GetParam());
    receivedRightAfterSignal = run.dialog->received;
    pumped = run.window->PumpOneMessage();
    // As during a write: the close handler ran, the dialog ends when the handler returns.
  };

  EXPECT_EQ(run.window->DoModal(*run.dialog), msg::kIdCancel);
  EXPECT_THAT(receivedRightAfterSignal, ElementsAre(msg::kTimer));
  EXPECT_TRUE(pumped);
  EXPECT_THAT(run.dialog->received, ElementsAre(msg::kTimer, msg::kClose, msg::kDestroy));
}

TEST_P(TerminalWindowSignals, ASignalEndsAWindowThatWaitsForTheOperator) {
  TerminalRun run({.catchCloseSignals = true});
  run.dialog->onInit = [&] { run.window->SetControlText(testing::kStatus, "   halted"); };
  // Raised on another thread while the window waits for a post.
  std::thread operatorThread([&] { std::raise(GetParam()); });
  EXPECT_EQ(run.window->DoModal(*run.dialog), msg::kIdCancel);
  operatorThread.join();
  EXPECT_THAT(run.dialog->received, ElementsAre(msg::kClose, msg::kDestroy));
}

INSTANTIATE_TEST_SUITE_P(InterruptAndTerminate, TerminalWindowSignals,
                         ::testing::Values(SIGINT, SIGTERM));

TEST(TerminalWindowSignalsGone, TheHandlersArePutBackWithTheWindow) {
  struct sigaction before {};
  sigaction(SIGTERM, nullptr, &before);
  {
    TerminalRun run({.catchCloseSignals = true});
    struct sigaction during {};
    sigaction(SIGTERM, nullptr, &during);
    EXPECT_NE(during.sa_handler, before.sa_handler);
  }
  struct sigaction after {};
  sigaction(SIGTERM, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

}  // namespace
}  // namespace korvane
