#include "engine/reception_cycle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "engine/client_contract.h"
#include "engine/gbk.h"
#include "support/fake_ports.h"

namespace brindel {
namespace {

using fakes::CallLog;
using fakes::FakeClient;
using fakes::FakeView;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::SizeIs;

constexpr char kRoom[] = "1234";
constexpr ControlId kLineSwitches[] = {ControlId::选择框1, ControlId::选择框2, ControlId::选择框3,
                                       ControlId::选择框4};
constexpr ControlId kLineBoxes[] = {ControlId::编辑框_接待内容1, ControlId::编辑框_接待内容2,
                                    ControlId::编辑框_接待内容3, ControlId::编辑框_接待内容4};

Text notice(const Text& name) {
  return gbk(u8"通知： [") + name + gbk(u8"] 进入 [大厅]\r\n");
}

std::string typed(const Text& text) {
  return "typeText(7," + text + ")";
}

class ReceptionCycleTest : public testing::Test {
 protected:
  ReceptionCycleTest() {
    view.texts[ControlId::编辑框_频道] = kRoom;
    view.texts[ControlId::编辑框_频道1] = "500";
    view.timerPeriod = 500;
  }

  Text history() { return view.texts[ControlId::超级编辑框1]; }
  void greetWith(const Text& before, const Text& after) {
    view.checked.insert(ControlId::选择框_接待语);
    view.texts[ControlId::编辑框_接待内容前] = before;
    view.texts[ControlId::编辑框_接待内容后] = after;
  }
  std::vector<std::string> effectsAfterCopy() {
    const std::vector<std::string> effects = log.except({"readText", "isChecked"});
    const auto copied = std::ranges::find(effects, "clipboardText()");
    return {copied == effects.end() ? copied : copied + 1, effects.end()};
  }

  CallLog log;
  FakeView view{log};
  FakeClient client{log};
  int dispatches = 0;
  ReceptionCycle cycle{view, client, [this] { ++dispatches; }, [] { return ClockTime{9, 5, 3}; }};
};

TEST_F(ReceptionCycleTest, StoppedTickChangesNothing) {
  view.stopped = true;
  client.clipboard = notice("A");
  cycle.run();
  EXPECT_THAT(log.all(), ElementsAre("isStopped()"));
  EXPECT_EQ(view.timerPeriod, 500);
}

TEST_F(ReceptionCycleTest, NoChannelWindowRestoresThePeriod) {
  for (const std::optional<Text>& title :
       {std::optional<Text>(), std::optional<Text>("Channel 99")}) {
    client.channelTitle = title;
    client.clipboard = notice("A");
    cycle.run();
  }
  EXPECT_THAT(
      log.only({"findWindowByTitlePart"}),
      ElementsAre("findWindowByTitlePart(1234,QWidget)", "findWindowByTitlePart(1234,QWidget)"));
  EXPECT_THAT(view.periodsSet(), ElementsAre(0, 500, 0, 500));
  EXPECT_EQ(log.count("postMouse") + log.count("clipboardText"), 0u);
  EXPECT_THAT(view.rows, IsEmpty());
}

struct MenuCase {
  std::int32_t height;
  std::string firstPick;
};

class MenuPicks : public ReceptionCycleTest, public testing::WithParamInterface<MenuCase> {};

TEST_P(MenuPicks, FirstPickBySizeSecondAt40By65ThenCopy) {
  client.menuBox = {300, 200, 156, GetParam().height};
  cycle.run();
  const std::string title = gbk(brindel::client::kMenuTitle);
  const std::string openMenu[] = {"setTopmost(7)", "postMouse(7,880,215,2,1)",
                                  "findTopWindow(QPopup," + title + ")", "windowBox(9)",
                                  "setTopmost(9)"};
  std::vector<std::string> expected(std::begin(openMenu), std::end(openMenu));
  expected.push_back(GetParam().firstPick);
  expected.insert(expected.end(), std::begin(openMenu), std::end(openMenu));
  expected.insert(expected.end(), {"postMouseAt(9,40,65)", "setTopmost(7)", "pressChord(67,17)",
                                   "clipboardText()"});
  EXPECT_EQ(log.except({"isStopped", "setTimerPeriod", "readText", "findWindowByTitlePart"}),
            expected);
}

INSTANTIATE_TEST_SUITE_P(KnownSizes, MenuPicks,
                         testing::Values(MenuCase{158, "postMouseAt(9,20,85)"},
                                         MenuCase{188, "postMouseAt(9,9,99)"}));

TEST_F(ReceptionCycleTest, RightClicksAgainWithAPauseUntilTheMenuShows) {
  client.rightClicksPerMenu = 3;
  client.clipboard = notice("A");
  cycle.run();
  EXPECT_EQ(log.count("postMouse"), 6u);
  EXPECT_THAT(log.only({"pumpWait", "postMouseAt"}),
              ElementsAre("pumpWait(50)", "pumpWait(50)", "postMouseAt(9,20,85)", "pumpWait(50)",
                          "pumpWait(50)", "postMouseAt(9,40,65)"));
  EXPECT_THAT(view.rows, SizeIs(1));
}

struct MenuTrouble {
  const char* what;
  int rightClicksPerMenu;
  int menuOpenings;
  WindowBox box;
};

class MenuBound : public ReceptionCycleTest, public testing::WithParamInterface<MenuTrouble> {};

// Without a menu of a known size the tick gives up after about two seconds: nothing is
// copied or logged, and the next period tries again.
TEST_P(MenuBound, AbandonsTheTickWithoutClickingAStrangeMenu) {
  client.rightClicksPerMenu = GetParam().rightClicksPerMenu;
  client.menuOpenings = GetParam().menuOpenings;
  client.menuBox = GetParam().box;
  client.clipboard = notice("A");
  cycle.run();
  const std::size_t picksMade = GetParam().menuOpenings == 1 ? 1 : 0;
  EXPECT_EQ(log.count("postMouseAt"), picksMade);
  EXPECT_EQ(log.count("pressChord") + log.count("clipboardText"), 0u);
  EXPECT_EQ(log.count("postMouse"), 40 + picksMade);
  EXPECT_GE(client.totalWaitMs(), 1500);
  EXPECT_LE(client.totalWaitMs(), 2000);
  EXPECT_THAT(view.periodsSet(), ElementsAre(0, 500));
  EXPECT_THAT(view.rows, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, MenuBound,
                         testing::Values(MenuTrouble{"NeverShown", 0, -1, {0, 0, 156, 158}},
                                         MenuTrouble{"TooNarrow", 1, -1, {0, 0, 155, 158}},
                                         MenuTrouble{"OtherHeight", 1, -1, {0, 0, 156, 187}},
                                         MenuTrouble{"Turned", 1, -1, {0, 0, 158, 156}},
                                         MenuTrouble{
                                             "GoneForTheSecondPick", 1, 1, {0, 0, 156, 188}}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(ReceptionCycleTest, ClipboardWithoutNoticesLogsNothingAndRestoresThePeriod) {
  for (const Text& chat : {Text(), Text("hello\r\n")}) {
    client.clipboard = chat;
    cycle.run();
  }
  EXPECT_THAT(view.rows, IsEmpty());
  EXPECT_EQ(log.count("typeText") + log.count("writeText"), 0u);
  EXPECT_THAT(view.periodsSet(), ElementsAre(0, 500, 0, 500));
}

TEST_F(ReceptionCycleTest, RepeatedNoticesGiveOneRowPerNameInTheOrderOfLastNotices) {
  greetWith("Hi ", "!");
  client.clipboard = notice("A") + notice("B") + notice("A");
  cycle.run();
  ASSERT_THAT(view.rows, SizeIs(2));
  EXPECT_EQ(view.rows[0][2], "Hi B!");
  EXPECT_EQ(view.rows[1][2], "Hi A!");
  EXPECT_EQ(history(), "B\r\nA\r\n");
  EXPECT_THAT(log.only({"typeText"}), ElementsAre(typed("Hi B!"), typed("Hi A!")));
}

TEST_F(ReceptionCycleTest, NamesDifferingOnlyInCaseInOneTextGiveOneRow) {
  client.clipboard = notice("Bob") + notice("bob");
  cycle.run();
  EXPECT_THAT(view.rows, SizeIs(1));
  EXPECT_EQ(history(), "Bob\r\n");
}

struct HistoryCase {
  Text history;
  Text name;
  bool logged;
};

class HistoryTest : public ReceptionCycleTest, public testing::WithParamInterface<HistoryCase> {};

TEST_P(HistoryTest, NameFoundAnywhereInTheHistoryIgnoringCaseIsSkipped) {
  view.texts[ControlId::超级编辑框1] = GetParam().history;
  view.checked.insert(ControlId::选择框1);
  client.clipboard = notice(GetParam().name);
  cycle.run();
  const bool logged = GetParam().logged;
  EXPECT_THAT(view.rows, SizeIs(logged ? 1 : 0));
  EXPECT_EQ(log.count("typeText"), logged ? 1u : 0u);
  EXPECT_EQ(history(), GetParam().history + (logged ? GetParam().name + "\r\n" : Text()));
  if (!logged) {
    EXPECT_GT(dispatches, 0) << "the history test dispatches waiting messages";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, HistoryTest,
                         testing::Values(HistoryCase{"ABCD\r\n", "bc", false},
                                         HistoryCase{"ABCD\r\n", "ABCD", false},
                                         HistoryCase{"ABCD\r\n", "abcd", false},
                                         HistoryCase{"ABCD\r\n", "BCDE", true},
                                         HistoryCase{gbk(u8"张三丰\r\n"), gbk(u8"张三"), false},
                                         HistoryCase{gbk(u8"张三丰\r\n"), gbk(u8"李四"), true}));

TEST_F(ReceptionCycleTest, AllSwitchesOffLogsTimeAndDoneOnly) {
  client.clipboard = notice("A");
  cycle.run();
  ASSERT_THAT(view.rows, SizeIs(1));
  EXPECT_EQ(view.rows[0], (FakeView::Row{"", "9:5:3", "", gbk(u8"完成"), ""}));
  EXPECT_EQ(history(), "A\r\n");
  EXPECT_THAT(effectsAfterCopy(),
              ElementsAre("writeText(" + fakes::controlName(ControlId::超级编辑框1) + ",A\r\n)",
                          "appendLogRow()", "setLogCell(0,1,9:5:3)",
                          "setLogCell(0,3," + gbk(u8"完成") + ")", "setTimerPeriod(500)"));
}

TEST_F(ReceptionCycleTest, OnlyTheSecondLineSwitchTypesOnlyTheSecondLine) {
  for (int k = 0; k < 4; ++k) view.texts[kLineBoxes[k]] = "line " + std::to_string(k + 1);
  view.texts[ControlId::编辑框_接待内容前] = "Hi ";
  view.checked.insert(ControlId::选择框2);
  client.clipboard = notice("A");
  cycle.run();
  EXPECT_THAT(log.only({"typeText", "sendKey"}), ElementsAre(typed("line 2"), "sendKey(7,13)"));
  ASSERT_THAT(view.rows, SizeIs(1));
  EXPECT_EQ(view.rows[0], (FakeView::Row{"", "9:5:3", "", gbk(u8"完成"), ""}));
}

TEST_F(ReceptionCycleTest, GreetingIsLoggedThenTypedWithItsWaitsAndEnter) {
  greetWith(gbk(u8"欢迎【"), gbk(u8"】用户光临本频道"));
  client.clipboard = notice(gbk(u8"张三"));
  cycle.run();
  const Text greeting = gbk(u8"欢迎【张三】用户光临本频道");
  EXPECT_THAT(
      effectsAfterCopy(),
      ElementsAre(
          "writeText(" + fakes::controlName(ControlId::超级编辑框1) + "," + gbk(u8"张三") + "\r\n)",
          "appendLogRow()", "setLogCell(0,1,9:5:3)", "setLogCell(0,2," + greeting + ")",
          "setLogCell(0,3," + gbk(u8"正在") + ")", "setLogCell(0,4,1234)", "setTopmost(7)",
          "pumpWait(100)", "postMouseAt(7,905,766)", "pumpWait(100)", "postMouseAt(7,905,766)",
          "pumpWait(100)", typed(greeting), "pumpWait(200)", "sendKey(7,13)",
          "setLogCell(0,3," + gbk(u8"完成") + ")", "setTimerPeriod(500)"));
}

TEST_F(ReceptionCycleTest, GreetingComesBeforeTheFourLinesEachWithItsEnter) {
  greetWith("Hi ", "");
  for (int k = 0; k < 4; ++k) {
    view.checked.insert(kLineSwitches[k]);
    view.texts[kLineBoxes[k]] = "line " + std::to_string(k + 1);
  }
  client.clipboard = notice("A");
  cycle.run();
  EXPECT_THAT(log.only({"typeText", "setLogCell"}),
              ElementsAre("setLogCell(0,1,9:5:3)", "setLogCell(0,2,Hi A)",
                          "setLogCell(0,3," + gbk(u8"正在") + ")", "setLogCell(0,4,1234)",
                          typed("Hi A"), typed("line 1"), typed("line 2"), typed("line 3"),
                          typed("line 4"), "setLogCell(0,3," + gbk(u8"完成") + ")"));
  EXPECT_EQ(log.count("sendKey"), 5u);
  EXPECT_EQ(client.totalWaitMs(), 5 * 500);
}

// Nothing is cached: an edit made during a wait counts from the next read on.
TEST_F(ReceptionCycleTest, SettingsAreReadAtTheMomentOfUse) {
  greetWith("Hi ", "!");
  client.clipboard = notice("A") + notice("B");
  client.whileWaiting = [this](std::int32_t) {
    view.texts[ControlId::编辑框_接待内容后] = "?";
    view.texts[ControlId::编辑框_频道] = "99";
    view.texts[ControlId::编辑框_频道1] = "300";
    view.checked.insert(ControlId::选择框4);
    view.texts[ControlId::编辑框_接待内容4] = "bye";
  };
  cycle.run();
  ASSERT_THAT(view.rows, SizeIs(2));
  EXPECT_EQ(view.rows[0][2], "Hi A!");  // logged before the first wait
  EXPECT_EQ(view.rows[0][4], kRoom);
  EXPECT_EQ(view.rows[1][2], "Hi B?");
  EXPECT_EQ(view.rows[1][4], "99");
  EXPECT_THAT(log.only({"typeText"}),
              ElementsAre(typed("Hi A?"), typed("bye"), typed("Hi B?"), typed("bye")));
  EXPECT_EQ(view.timerPeriod, 300);
}

struct PeriodCase {
  Text text;
  std::int32_t period;
};

class PeriodTest : public ReceptionCycleTest, public testing::WithParamInterface<PeriodCase> {};

TEST_P(PeriodTest, PeriodIsReadFromItsBoxAtTheEnd) {
  view.texts[ControlId::编辑框_频道1] = GetParam().text;
  client.clipboard = notice("A");
  cycle.run();
  EXPECT_THAT(view.periodsSet(), ElementsAre(0, GetParam().period));
}

INSTANTIATE_TEST_SUITE_P(Cases, PeriodTest,
                         testing::Values(PeriodCase{"200", 200}, PeriodCase{"abc", 0},
                                         PeriodCase{"", 0},
                                         PeriodCase{"\xA3\xB2\xA3\xB0\xA3\xB0", 200}));

// The switch's stop empties the history at once; the running cycle still finishes its names.
TEST_F(ReceptionCycleTest, StopDuringAGreetingFinishesTheNames) {
  greetWith("Hi ", "");
  client.clipboard = notice("A") + notice("B") + notice("C");
  client.whileWaiting = [this](std::int32_t) {
    if (view.stopped) return;
    view.stopped = true;
    view.texts[ControlId::超级编辑框1].clear();
  };
  cycle.run();
  ASSERT_THAT(view.rows, SizeIs(3));
  for (const FakeView::Row& row : view.rows) EXPECT_EQ(row[3], gbk(u8"完成"));
  EXPECT_EQ(history(), "B\r\nC\r\n");
  EXPECT_EQ(log.count("sendKey"), 3u);
  EXPECT_THAT(view.periodsSet(), ElementsAre(0, 500));

  cycle.run();
  EXPECT_EQ(log.count("isStopped"), 2u);
  EXPECT_THAT(view.periodsSet(), ElementsAre(0, 500));
}

TEST_F(ReceptionCycleTest, TickArrivingDuringAWaitIsDropped) {
  greetWith("Hi ", "");
  client.rightClicksPerMenu = 2;  // a wait in the menu phase too
  client.clipboard = notice("A");
  std::vector<std::size_t> nestedCalls;
  bool nested = false;  // one level only, should a nested tick run after all
  client.whileWaiting = [&](std::int32_t) {
    if (std::exchange(nested, true)) return;
    const std::size_t before = log.all().size();
    cycle.run();
    nestedCalls.push_back(log.all().size() - before);
    nested = false;
  };
  cycle.run();
  EXPECT_THAT(nestedCalls, SizeIs(6));
  EXPECT_THAT(nestedCalls, testing::Each(0u));
  EXPECT_EQ(log.count("isStopped"), 1u);
  EXPECT_THAT(view.periodsSet(), ElementsAre(0, 500));
  EXPECT_THAT(view.rows, SizeIs(1));

  client.whileWaiting = {};
  cycle.run();  // the next tick after the cycle runs normally
  EXPECT_EQ(log.count("isStopped"), 2u);
}

class AbandonTest : public ReceptionCycleTest, public testing::WithParamInterface<int> {};

// The window is destroyed during the n-th wait: the cycle must not touch either port again.
TEST_P(AbandonTest, AbandonDuringAWaitEndsTheCycleWithNoFurtherCall) {
  greetWith("Hi ", "");
  client.rightClicksPerMenu = 2;
  client.clipboard = notice("A") + notice("B");
  int waits = 0;
  std::size_t callsAtAbandon = 0;
  client.whileWaiting = [&](std::int32_t) {
    if (++waits != GetParam()) return;
    cycle.abandon();
    callsAtAbandon = log.all().size();
  };
  cycle.run();
  ASSERT_GT(callsAtAbandon, 0u);
  EXPECT_EQ(log.all().size(), callsAtAbandon);
  cycle.run();
  EXPECT_EQ(log.all().size(), callsAtAbandon) << "an abandoned cycle runs no more ticks";
}

// Waits 1 and 2 are in the menu phase, 3 to 5 around the clicks on the chat input, 6 before
// Enter and 7 the first of the second name.
INSTANTIATE_TEST_SUITE_P(EveryKindOfWait, AbandonTest, testing::Values(1, 2, 3, 5, 6, 7));

TEST_F(ReceptionCycleTest, CycleDestroyedDuringAWaitTouchesNothingMore) {
  auto owned = std::make_unique<ReceptionCycle>(view, client);
  greetWith("Hi ", "");
  client.clipboard = notice("A") + notice("B");
  std::size_t callsAtDestruction = 0;
  client.whileWaiting = [&](std::int32_t) {
    owned.reset();
    callsAtDestruction = log.all().size();
  };
  owned->run();
  EXPECT_EQ(log.all().size(), callsAtDestruction);
  EXPECT_EQ(log.count("typeText"), 0u);
}

TEST_F(ReceptionCycleTest, AbandonDuringTheHistoryTestStopsDispatchingAndTheCycle) {
  view.texts[ControlId::超级编辑框1] = "A\r\nA\r\nA\r\n";
  client.clipboard = notice("A") + notice("B");
  int dispatched = 0;
  ReceptionCycle abandoning{view, client, [&] {
                              ++dispatched;
                              abandoning.abandon();
                            }};
  abandoning.run();
  EXPECT_EQ(dispatched, 1);
  EXPECT_EQ(log.all().back(), "readText(" + fakes::controlName(ControlId::超级编辑框1) + ")");
  EXPECT_THAT(view.periodsSet(), ElementsAre(0));
}

TEST_F(ReceptionCycleTest, ControlBytesAreRemovedFromNamesBeforeUse) {
  greetWith("Hi ", "");
  client.clipboard = notice(gbk(u8"张") + "\t\x01" + gbk(u8"三") + "\x7F\x1B");
  cycle.run();
  const Text name = gbk(u8"张三");
  EXPECT_EQ(history(), name + "\r\n");
  ASSERT_THAT(view.rows, SizeIs(1));
  EXPECT_EQ(view.rows[0][2], "Hi " + name);
  EXPECT_THAT(log.only({"typeText"}), ElementsAre(typed("Hi " + name)));
}

TEST_F(ReceptionCycleTest, EmptyNamesAreSkipped) {
  greetWith("Hi ", "");
  for (const Text& name : {Text(), Text("\t\x7F")}) {
    client.clipboard = notice(name);
    cycle.run();
  }
  EXPECT_THAT(view.rows, IsEmpty());
  EXPECT_EQ(log.count("typeText") + log.count("writeText"), 0u);
  EXPECT_THAT(view.periodsSet(), ElementsAre(0, 500, 0, 500));
}

}  // namespace
}  // namespace brindel
