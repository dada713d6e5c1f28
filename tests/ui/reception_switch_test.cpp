// Start and stop through every trigger: the buttons by Enter, the labels' feedback message
// and double click, Esc, the period box's number rule and the always-on-top box.

#include <windows.h>

#include <gtest/gtest.h>

#include "engine/gbk.h"
#include "support/window_fixture.h"

namespace brindel::testing {
namespace {

using ReceptionSwitchTest = MainWindowTest;

TEST_F(ReceptionSwitchTest, EnterInTheRoomBoxStartsAndEnterAgainStops) {
  SetFocus(control(ControlId::编辑框_频道));
  ASSERT_EQ(GetFocus(), control(ControlId::编辑框_频道));
  postKey(ControlId::编辑框_频道, VK_RETURN);
  ASSERT_TRUE(pumpUntil([&] { return isRunning(); }, 2000));
  EXPECT_EQ(window.view().timerPeriod(), 200);
  EXPECT_FALSE(window.view().isStopped());

  postKey(ControlId::编辑框_频道, VK_RETURN);
  ASSERT_TRUE(pumpUntil([&] { return isIdle(); }, 2000));
  EXPECT_TRUE(window.view().isStopped());
  EXPECT_EQ(windowText(control(ControlId::编辑框_频道)), gbk(kDefaultRoomNumber));
}

TEST_F(ReceptionSwitchTest, EnterPressesTheFocusedDefaultButtonFirst) {
  window.receptionSwitch().startReception();
  // Both enabled: the focused one wins over table order (which would pick the stop button).
  EnableWindow(control(ControlId::按钮1), TRUE);
  window.view().writeText(ControlId::超级编辑框1, "A\r\n");
  setText(ControlId::编辑框_频道1, "300");
  SetFocus(control(ControlId::按钮1));
  ASSERT_EQ(GetFocus(), control(ControlId::按钮1));
  postKey(ControlId::按钮1, VK_RETURN);
  pumpFor(100);
  EXPECT_TRUE(isRunning());
  EXPECT_EQ(window.view().timerPeriod(), 300);
  EXPECT_EQ(window.view().readText(ControlId::超级编辑框1), "A\r\n");
}

TEST_F(ReceptionSwitchTest, EscClosesTheWindow) {
  bool closed = false;
  window.setClosedHandler([&] { closed = true; });
  postKey(ControlId::编辑框_接待内容1, VK_ESCAPE);
  ASSERT_TRUE(pumpUntil([&] { return closed; }, 2000));
  EXPECT_EQ(window.handle(), nullptr);
  EXPECT_EQ(window.view().readText(ControlId::编辑框_频道), "");
}

enum class Delivery { SendFeedback, PostFeedback, PostDoubleClick, SendDoubleClick };

struct TriggerCase {
  const char* name;
  ControlId label;
  Delivery delivery;
  bool fromRunning;  // start the switch first, so that a stop shows
  bool expectRunning;
};

class LabelTrigger : public MainWindowTest, public ::testing::WithParamInterface<TriggerCase> {};

TEST_P(LabelTrigger, SwitchesAsTheLabelSays) {
  const TriggerCase& trigger = GetParam();
  if (trigger.fromRunning) window.receptionSwitch().startReception();
  window.view().writeText(ControlId::超级编辑框1, "A\r\n");
  HWND label = control(trigger.label);
  switch (trigger.delivery) {
    case Delivery::SendFeedback:
      EXPECT_EQ(SendMessageA(label, kLabelFeedbackMessage, 12, -34), 0);
      break;
    case Delivery::PostFeedback:
      PostMessageA(label, kLabelFeedbackMessage, 12, -34);
      break;
    case Delivery::PostDoubleClick:
      PostMessageA(label, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
      break;
    case Delivery::SendDoubleClick:
      SendMessageA(label, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
      break;
  }
  pumpFor(100);
  EXPECT_EQ(isRunning(), trigger.expectRunning);
  EXPECT_EQ(isIdle(), !trigger.expectRunning);
  const bool stopped = !trigger.expectRunning && trigger.fromRunning;
  EXPECT_EQ(window.view().isStopped(), stopped);
  EXPECT_EQ(window.view().readText(ControlId::超级编辑框1), stopped ? "" : "A\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Labels, LabelTrigger,
    ::testing::Values(
        TriggerCase{"SentFeedbackToStartLabel", ControlId::标签1, Delivery::SendFeedback, false,
                    true},
        TriggerCase{"PostedFeedbackToStartLabel", ControlId::标签1, Delivery::PostFeedback, false,
                    true},
        TriggerCase{"PostedDoubleClickOnStartLabel", ControlId::标签1, Delivery::PostDoubleClick,
                    false, true},
        TriggerCase{"SentFeedbackToStopLabel", ControlId::标签2, Delivery::SendFeedback, true,
                    false},
        TriggerCase{"PostedFeedbackToStopLabel", ControlId::标签2, Delivery::PostFeedback, true,
                    false},
        TriggerCase{"PostedDoubleClickOnStopLabel", ControlId::标签2, Delivery::PostDoubleClick,
                    true, false},
        // Recognised only while taken from the queue, not inside the label's procedure.
        TriggerCase{"SentDoubleClickOnStopLabel", ControlId::标签2, Delivery::SendDoubleClick, true,
                    true},
        TriggerCase{"SentFeedbackToSpareLabel", ControlId::标签9, Delivery::SendFeedback, false,
                    false},
        TriggerCase{"PostedFeedbackToSpareLabel", ControlId::标签9, Delivery::PostFeedback, false,
                    false},
        TriggerCase{"PostedDoubleClickOnSpareLabel", ControlId::标签9, Delivery::PostDoubleClick,
                    false, false},
        TriggerCase{"SentFeedbackToCaptionLabel", ControlId::标签5, Delivery::SendFeedback, false,
                    false}),
    [](const ::testing::TestParamInfo<TriggerCase>& info) { return info.param.name; });

TEST_F(ReceptionSwitchTest, SpareLabelAnswersFeedbackWithZeroAndChangesNothing) {
  EXPECT_EQ(SendMessageA(control(ControlId::标签9), kLabelFeedbackMessage, 1, 2), 0);
  EXPECT_TRUE(isIdle());
  EXPECT_EQ(window.view().timerPeriod(), 0);
}

struct PeriodCase {
  const char* name;
  std::u8string_view text;
  int period;
};

class PeriodBox : public MainWindowTest, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(PeriodBox, StartReadsThePeriodByTheNumberRule) {
  setText(ControlId::编辑框_频道1, gbk(GetParam().text));
  window.receptionSwitch().startReception();
  EXPECT_TRUE(isRunning());
  EXPECT_FALSE(window.view().isStopped());
  EXPECT_EQ(window.view().timerPeriod(), GetParam().period);
}

INSTANTIATE_TEST_SUITE_P(Texts, PeriodBox,
                         ::testing::Values(PeriodCase{"FullWidthDigits", u8"２００", 200},
                                           PeriodCase{"Letters", u8"abc", 0},
                                           PeriodCase{"Negative", u8"-50", 0},
                                           PeriodCase{"Empty", u8"", 0},
                                           PeriodCase{"DigitsThenText", u8" 150ms", 150}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ReceptionSwitchTest, PeriodWithoutDigitsLeavesTheTimerSilent) {
  setText(ControlId::编辑框_频道1, "abc");
  window.receptionSwitch().startReception();
  pumpFor(600);
  EXPECT_TRUE(client.lookupTimes.empty());
  EXPECT_TRUE(isRunning());
}

TEST_F(ReceptionSwitchTest, FirstTickComesOnePeriodAfterStart) {
  const ULONGLONG started = GetTickCount64();
  window.receptionSwitch().startReception();
  ASSERT_TRUE(pumpUntil([&] { return !client.lookupTimes.empty(); }, 3000));
  EXPECT_GE(client.lookupTimes.front() - started, 150u);
}

TEST_F(ReceptionSwitchTest, StopKeepsTheTimerTickingButTicksDoNothing) {
  window.receptionSwitch().startReception();
  window.receptionSwitch().stopReception();
  EXPECT_EQ(window.view().timerPeriod(), 200);
  pumpFor(500);
  EXPECT_TRUE(client.calls.empty());
  EXPECT_TRUE(isIdle());
}

TEST_F(ReceptionSwitchTest, AlwaysOnTopFollowsTheBox) {
  auto topmost = [&] {
    return (GetWindowLongPtrA(window.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  };
  HWND box = control(ControlId::选择框_置顶);
  SendMessageA(box, BM_CLICK, 0, 0);
  pumpFor(50);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(topmost());
  SendMessageA(box, BM_CLICK, 0, 0);
  pumpFor(50);
  EXPECT_FALSE(topmost());
}

}  // namespace
}  // namespace brindel::testing
