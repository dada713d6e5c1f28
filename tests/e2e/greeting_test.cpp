// Brindel against the simulated client, operated as a user would: each entrant greeted once,
// the extra lines, both menu layouts, and stop forgetting who was greeted.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/e2e_fixture.h"

namespace brindel::e2e {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

constexpr DWORD kGreetingTimeoutMs = 30000;

std::vector<std::string> withMenu(const char* mode, std::vector<std::string> options) {
  options.insert(options.begin(), {"--menu", mode});
  return options;
}

using GreetingTest = EndToEndTest;

TEST_F(GreetingTest, GreetsEachEntrantOnceInTheOrderOfTheirLastNotices) {
  SimClientProgram client(room_,
                          withMenu("alternate", noticesAt(0, {u8"张三", u8"李四", u8"张三"})));
  ASSERT_TRUE(client.waitForWindow());
  BrindelProgram brindel;
  ASSERT_TRUE(brindel.window());
  brindel.startReception(room_);

  ASSERT_TRUE(client.waitFor("sent", 2, kGreetingTimeoutMs));
  ASSERT_TRUE(client.waitFor("copy", client.countOf("copy") + 4, kGreetingTimeoutMs))
      << "reception stopped copying the chat";
  EXPECT_THAT(client.textsOf("sent"), ElementsAre(greetingFor(u8"李四"), greetingFor(u8"张三")));
  EXPECT_EQ(brindel.logRowCount(), 2);
  EXPECT_THAT(client.textsOf("menu"), IsSupersetOf({"156x158", "156x188"}));
}

TEST_F(GreetingTest, SendsTheTickedExtraLinesAfterTheGreetingThroughTheTallMenu) {
  SimClientProgram client(room_, withMenu("188", noticesAt(0, {u8"王五"})));
  ASSERT_TRUE(client.waitForWindow());
  BrindelProgram brindel;
  ASSERT_TRUE(brindel.window());
  brindel.click(ControlId::选择框1);
  brindel.click(ControlId::选择框3);
  brindel.startReception(room_);

  ASSERT_TRUE(client.waitFor("sent", 3, kGreetingTimeoutMs));
  ASSERT_TRUE(client.waitFor("copy", client.countOf("copy") + 3, kGreetingTimeoutMs));
  EXPECT_THAT(client.textsOf("sent"),
              ElementsAre(greetingFor(u8"王五"), utf8(u8"兼职请打1"), utf8(u8"找人请打3")));
  EXPECT_THAT(client.textsOf("menu"), Each(std::string("156x188")));
  EXPECT_EQ(brindel.logRowCount(), 1);
}

TEST_F(GreetingTest, StopForgetsTheGreetedSoThatTheNextStartGreetsAgain) {
  SimClientProgram client(room_, noticesAt(0, {u8"赵六"}));
  ASSERT_TRUE(client.waitForWindow());
  BrindelProgram brindel;
  ASSERT_TRUE(brindel.window());
  brindel.startReception(room_);
  ASSERT_TRUE(client.waitFor("sent", 1, kGreetingTimeoutMs));

  brindel.click(ControlId::按钮2);
  const std::size_t copiesAtStop = client.countOf("copy");
  Sleep(1500);
  EXPECT_LE(client.countOf("copy"), copiesAtStop + 1) << "a stopped reception went on copying";
  EXPECT_EQ(client.countOf("sent"), 1u);

  brindel.click(ControlId::按钮1);
  ASSERT_TRUE(client.waitFor("sent", 2, kGreetingTimeoutMs));
  EXPECT_THAT(client.textsOf("sent"), ElementsAre(greetingFor(u8"赵六"), greetingFor(u8"赵六")));
  EXPECT_EQ(brindel.logRowCount(), 2);
}

}  // namespace
}  // namespace brindel::e2e
