#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_clock.h"
#include "platform/memory/window_model.h"
#include "test_layout.h"

namespace korvane {
namespace {

using ::testing::ElementsAre;
using testing::FakeClock;
using ::testing::IsEmpty;
using testing::ScriptedDialog;
using testing::TestLayout;

class WindowModelTest : public ::testing::Test {
 protected:
  FakeClock clock;
  WindowModel window{clock, TestLayout()};
  ScriptedDialog dialog{window};

  // The dialog messages and window operations of the log, as short words.
  std::vector<std::string> Trace() const {
    std::vector<std::string> trace;
    for (const WindowCall& call : window.Log()) {
      std::string at = "@" + std::to_string(call.timeMs);
      switch (call.op) {
        case WindowOp::kInitDialog:
          trace.push_back("init" + at);
          break;
        case WindowOp::kDispatch:
        case WindowOp::kSend:
          trace.push_back((call.op == WindowOp::kSend ? "send " : "msg ") +
                          std::to_string(call.message) + at);
          break;
        case WindowOp::kIdle:
          trace.push_back("idle" + at);
          break;
        case WindowOp::kEndDialog:
          trace.push_back("end " + std::to_string(call.value) + at);
          break;
        default:
          break;
      }
    }
    return trace;
  }
};

TEST_F(WindowModelTest, RunsTheDialogOnSimulatedTimeFromInitToDestroy) {
  dialog.onInit = [&] { window.SetTimer(0, 1000); };
  dialog.handlers[msg::kTimer] = [&](std::uintptr_t timerId, std::intptr_t) {
    window.KillTimer(static_cast<std::uint32_t>(timerId));
    window.EndDialog(msg::kIdCancel);
  };

  EXPECT_EQ(window.DoModal(dialog), msg::kIdCancel);

  EXPECT_THAT(Trace(), ElementsAre("init@0", "msg 275@1000", "end 2@1000", "msg 2@1000"));
  EXPECT_FALSE(window.WentIdle());
  EXPECT_FALSE(window.IsOpen());
  EXPECT_THAT(window.Faults(), IsEmpty());
}

TEST_F(WindowModelTest, AHaltedDialogIsClosedWhenItWouldWaitForTheOperator) {
  dialog.onInit = [&] { window.SetControlText(testing::kStatus, "   halted"); };

  EXPECT_EQ(window.DoModal(dialog), msg::kIdCancel);

  EXPECT_THAT(Trace(), ElementsAre("init@0", "idle@0", "msg 16@0", "end 2@0", "msg 2@0"));
  EXPECT_EQ(window.Text(testing::kStatus), "   halted");
}

TEST_F(WindowModelTest, AnIdleActionCanActInsteadOfTheDefaultClose) {
  dialog.handlers[msg::kCommand] = [&](std::uintptr_t wParam, std::intptr_t) {
    window.EndDialog(msg::CommandId(wParam) == testing::kButton ? msg::kIdOk : -5);
  };
  window.OnIdle([&] { window.Click(testing::kButton); });
  EXPECT_EQ(window.DoModal(dialog), msg::kIdOk);
}

TEST_F(WindowModelTest, ADialogThatNeverEndsIsStoppedWithAFault) {
  struct Case {
    const char* name;
    std::function<void(WindowModel&, ScriptedDialog&)> setUp;
  } cases[] = {
      {"ignores close requests", [](WindowModel&, ScriptedDialog& d) { d.endOnClose = false; }},
      {"keeps its timer running",
       [](WindowModel& w, ScriptedDialog& d) { d.onInit = [&w] { w.SetTimer(3, 1000); }; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeClock ownClock;
    WindowModel ownWindow(ownClock, TestLayout());
    ScriptedDialog ownDialog(ownWindow);
    c.setUp(ownWindow, ownDialog);

    EXPECT_EQ(ownWindow.DoModal(ownDialog), -1);
    EXPECT_THAT(ownWindow.Faults(), ::testing::SizeIs(1));
    // The window still goes away properly.
    EXPECT_EQ(ownDialog.received.back(), msg::kDestroy);
  }
}

TEST_F(WindowModelTest, OperatorActionsArriveAsTheMessagesWindowsSends) {
  struct Case {
    const char* name;
    void (*act)(WindowModel&);
    std::uint32_t message;
    std::uintptr_t wParam;
  } cases[] = {
      {"close", [](WindowModel& w) { w.RequestClose(); }, msg::kClose, 0},
      {"escape", [](WindowModel& w) { w.PressEscape(); }, msg::kCommand,
       msg::CommandWParam(msg::kIdCancel, msg::kBnClicked)},
      {"click", [](WindowModel& w) { w.Click(1026); }, msg::kCommand,
       msg::CommandWParam(1026, msg::kBnClicked)},
      {"selection change", [](WindowModel& w) { w.Notify(1029, msg::kLbnSelChange); },
       msg::kCommand, msg::CommandWParam(1029, msg::kLbnSelChange)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeClock ownClock;
    WindowModel ownWindow(ownClock, TestLayout());
    ScriptedDialog ownDialog(ownWindow);
    ownDialog.onInit = [&] { c.act(ownWindow); };
    ownWindow.DoModal(ownDialog);
    auto dispatched = ownWindow.Calls(WindowOp::kDispatch);
    ASSERT_FALSE(dispatched.empty());
    EXPECT_EQ(dispatched.front().message, c.message);
    EXPECT_EQ(dispatched.front().wParam, c.wParam);
  }
}

TEST_F(WindowModelTest, ActionsAtASimulatedTimeComeBeforeALaterTimer) {
  dialog.onInit = [&] { window.SetTimer(0, 1000); };
  dialog.handlers[msg::kGraphEvent] = [&](std::uintptr_t, std::intptr_t) {
    window.SendToWindow(msg::kDeviceRemoved, 0, 0);
  };
  dialog.handlers[msg::kDeviceRemoved] = [&](std::uintptr_t, std::intptr_t) {
    window.EndDialog(msg::kIdCancel);
  };
  window.At(400, [&] { window.PostToWindow(msg::kGraphEvent, 0, 0); });

  EXPECT_EQ(window.DoModal(dialog), msg::kIdCancel);
  EXPECT_THAT(Trace(),
              ElementsAre("init@0", "msg 1025@400", "send 1648@400", "end 2@400", "msg 2@400"));
}

TEST_F(WindowModelTest, PumpOneMessageDispatchesOneWaitingMessageInsideAHandler) {
  std::vector<bool> pumped;
  dialog.onInit = [&] { window.SetTimer(0, 1000); };
  dialog.handlers[msg::kTimer] = [&](std::uintptr_t, std::intptr_t) {
    window.KillTimer(0);
    window.PostToWindow(msg::kGraphEvent, 0, 0);
    window.PostToWindow(msg::kGraphEvent, 1, 0);
    pumped.push_back(window.PumpOneMessage());
    pumped.push_back(window.PumpOneMessage());
    pumped.push_back(window.PumpOneMessage());
    // Time passes during the handler (a pause of the write): a due action runs on the next pump.
    window.At(clock.NowMs() + 100, [&] { window.RequestClose(); });
    clock.Sleep(100);
    pumped.push_back(window.PumpOneMessage());
    window.EndDialog(msg::kIdCancel);
  };

  window.DoModal(dialog);

  EXPECT_THAT(pumped, ElementsAre(true, true, false, true));
  EXPECT_THAT(dialog.received, ElementsAre(msg::kTimer, msg::kGraphEvent, msg::kGraphEvent,
                                           msg::kClose, msg::kDestroy));
}

TEST_F(WindowModelTest, WindowCreationCanFail) {
  window.FailWindowCreation(true);
  EXPECT_EQ(window.DoModal(dialog), -1);
  EXPECT_THAT(dialog.received, IsEmpty());
  EXPECT_THAT(window.Calls(WindowOp::kInitDialog), IsEmpty());
}

TEST_F(WindowModelTest, KeepsControlStatesTheWayWindowsDoes) {
  using namespace testing;
  dialog.onInit = [&] {
    EXPECT_EQ(window.ListAddString(kList, "beta"), 0);
    EXPECT_EQ(window.ListSetCurSel(kList, 0), 0);
    EXPECT_EQ(window.ListAddString(kList, "Alpha"), 0);  // sorted, letter case ignored
    EXPECT_EQ(window.ListAddString(kList, "gamma"), 2);
    EXPECT_EQ(window.ListGetCurSel(kList), 1);  // the selection moved with its item
    EXPECT_EQ(window.ListAddString(kPlainList, "z"), 0);
    EXPECT_EQ(window.ListAddString(kPlainList, "a"), 1);  // not sorted: appended
    EXPECT_EQ(window.ListSetCurSel(kList, 3), msg::kLbErr);
    EXPECT_EQ(window.ListGetCurSel(kList), 1);
    EXPECT_EQ(window.ListDeleteString(kList, 0), 2);
    EXPECT_EQ(window.ListGetCurSel(kList), 0);
    EXPECT_EQ(window.ListDeleteString(kList, 0), 1);
    EXPECT_EQ(window.ListGetCurSel(kList), -1);  // the selected item went
    EXPECT_EQ(window.ListDeleteString(kList, 5), msg::kLbErr);
    EXPECT_EQ(window.ListSetCurSel(kPlainList, -1), msg::kLbErr);

    EXPECT_EQ(window.ComboSetCurSel(kCombo, 1), 1);
    EXPECT_EQ(window.GetControlText(kCombo), " Two");
    EXPECT_EQ(window.ComboAddString(kCombo, " Three"), 2);

    window.ProgressSetRange(kBar, 0, 51);
    window.ProgressSetPos(kBar, 60);
    window.SetCheck(kRadio, true);
    window.EnableControl(kButton, false);
    window.ShowControl(kButton, true);
    window.SetCaption("New caption");
  };
  window.DoModal(dialog);

  EXPECT_THAT(window.Control(kList).items, ElementsAre("gamma"));
  EXPECT_THAT(window.Control(kCombo).items, ElementsAre(" One", " Two", " Three"));
  EXPECT_EQ(window.Control(kBar).rangeHigh, 51);
  EXPECT_EQ(window.Control(kBar).position, 51);  // held inside the range
  EXPECT_TRUE(window.Control(kRadio).checked);
  EXPECT_FALSE(window.Control(kButton).enabled);
  EXPECT_TRUE(window.Control(kButton).visible);
  EXPECT_EQ(window.Caption(), "New caption");
  EXPECT_THAT(window.Faults(), IsEmpty());
}

TEST_F(WindowModelTest, CallsWindowsWouldRefuseAreFaults) {
  using namespace testing;
  struct Case {
    const char* name;
    void (*call)(WindowModel&);
  } cases[] = {
      {"text of a control the template lacks", [](WindowModel& w) { w.SetControlText(999, "x"); }},
      {"text of an unnamed control", [](WindowModel& w) { w.SetControlText(kNoControlId, "x"); }},
      {"check state of a push button", [](WindowModel& w) { w.SetCheck(kButton, true); }},
      {"list entry in an edit", [](WindowModel& w) { w.ListAddString(kName, "x"); }},
      {"position of a static", [](WindowModel& w) { w.ProgressSetPos(kStatus, 1); }},
      {"range past 16 bits", [](WindowModel& w) { w.ProgressSetRange(kBar, 0, 70000); }},
      {"font deleted twice",
       [](WindowModel& w) {
         FontHandle font = w.MakeFont({});
         w.DeleteFontHandle(font);
         w.DeleteFontHandle(font);
       }},
      {"pump with no window", [](WindowModel& w) { w.PumpOneMessage(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeClock ownClock;
    WindowModel ownWindow(ownClock, TestLayout());
    c.call(ownWindow);
    EXPECT_THAT(ownWindow.Faults(), ::testing::SizeIs(1));
  }
}

TEST_F(WindowModelTest, RecordsTheOrderOfCallsSoTestsCanCheckIt) {
  using namespace testing;
  dialog.onInit = [&] {
    for (int id : {kButton, kStatus, kName}) {
      window.EnableControl(id, false);
    }
    window.EnableControl(kStatus, true);
  };
  window.DoModal(dialog);
  EXPECT_THAT(window.ControlIds(WindowOp::kEnable, 0), ElementsAre(kButton, kStatus, kName));
  EXPECT_THAT(window.ControlIds(WindowOp::kEnable), ElementsAre(kButton, kStatus, kName, kStatus));
}

TEST_F(WindowModelTest, MessageBoxesAreRecordedInOrderAndAreModal) {
  std::vector<std::string> seenWhileOpen;
  window.OnMessageBox([&](std::string_view text) {
    seenWhileOpen.push_back(std::string(text) + " over " + window.Text(testing::kStatus));
  });
  dialog.onInit = [&] {
    window.SetControlText(testing::kStatus, "first");
    window.ShowMessage("Open File Error.");
    clock.Sleep(250);
    window.SetControlText(testing::kStatus, "second");
    window.ShowMessage("Lens Error");
  };
  window.DoModal(dialog);

  ASSERT_EQ(window.Messages().size(), 2u);
  EXPECT_EQ(window.Messages()[0].text, "Open File Error.");
  EXPECT_EQ(window.Messages()[1].text, "Lens Error");
  EXPECT_EQ(window.Messages()[1].timeMs, 250u);
  EXPECT_THAT(seenWhileOpen, ElementsAre("Open File Error. over first", "Lens Error over second"));
}

TEST_F(WindowModelTest, FontsAreMadeSetAndDeleted) {
  FontSpec big{.height = 60, .width = 30, .weight = 400, .quality = 4, .faceName = "Courier New"};
  dialog.onInit = [&] {
    FontHandle font = window.MakeFont(big);
    ASSERT_NE(font, 0u);
    window.SetControlFont(testing::kResult, font, false);
  };
  window.DoModal(dialog);
  EXPECT_EQ(window.Font(testing::kResult), big);
  EXPECT_EQ(window.Font(testing::kStatus), std::nullopt);

  window.FailFontCreation(true);
  EXPECT_EQ(window.MakeFont(big), 0u);
}

TEST_F(WindowModelTest, TextColoursAreAskedAsWindowsAsksForEachControl) {
  struct Case {
    int controlId;
    std::optional<int> ctlType;
  } cases[] = {
      {testing::kResult, ctl_color::kStatic},  // read-only edit
      {testing::kName, ctl_color::kStatic},   {testing::kInput, ctl_color::kEdit},
      {testing::kStatus, ctl_color::kStatic}, {testing::kRadio, ctl_color::kStatic},
      {testing::kButton, ctl_color::kButton}, {testing::kList, ctl_color::kListBox},
      {testing::kBar, std::nullopt},
  };
  std::optional<int> askedType;
  dialog.onCtlColor = [&](int, int ctlType) -> std::optional<Rgb> {
    askedType = ctlType;
    return Rgb{0, 0, 255};
  };
  window.DoModal(dialog);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.controlId);
    askedType.reset();
    auto colour = window.TextColor(c.controlId);
    EXPECT_EQ(askedType, c.ctlType);
    EXPECT_EQ(colour.has_value(), c.ctlType.has_value());
  }
}

TEST_F(WindowModelTest, EveryRunStartsFromTheTemplate) {
  dialog.onInit = [&] {
    window.SetControlText(testing::kStatus, "changed");
    window.SetTimer(0, 1000);
    window.PostToWindow(msg::kGraphEvent, 0, 0);
    window.EndDialog(msg::kIdCancel);
  };
  window.DoModal(dialog);
  dialog.onInit = nullptr;
  dialog.received.clear();

  window.DoModal(dialog);
  EXPECT_EQ(window.Text(testing::kStatus), "Static");
  // Neither the old timer nor the old post reached the new window.
  EXPECT_THAT(dialog.received, ElementsAre(msg::kClose, msg::kDestroy));
}

}  // namespace
}  // namespace korvane
