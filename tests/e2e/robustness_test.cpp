// Brindel with a client that comes late, misbehaves or goes away, and Esc.

#include <gtest/gtest.h>

#include "support/e2e_fixture.h"

namespace brindel::e2e {
namespace {

constexpr DWORD kGreetingTimeoutMs = 30000;
constexpr DWORD kAnswerTimeoutMs = 3000;

using RobustnessTest = EndToEndTest;

TEST_F(RobustnessTest, FindsAClientStartedAfterReceptionStarted) {
  BrindelProgram brindel;
  ASSERT_TRUE(brindel.window());
  brindel.startReception(room_);
  Sleep(1500);  // several periods without a client

  SimClientProgram client(room_, noticesAt(0, {u8"周八"}));
  ASSERT_TRUE(client.waitForWindow());
  EXPECT_TRUE(client.waitFor("sent", 1, kGreetingTimeoutMs));
  EXPECT_EQ(client.textsOf("sent").front(), greetingFor(u8"周八"));
}

TEST_F(RobustnessTest, KeepsTheMainWindowAnsweringWhileTheMenuNeverOpens) {
  SimClientProgram client(room_, {"--menu", "never", "--notice", "0:x"});
  ASSERT_TRUE(client.waitForWindow());
  BrindelProgram brindel;
  ASSERT_TRUE(brindel.window());
  brindel.startReception(room_);

  int unanswered = 0;
  for (int probe = 0; probe < 20; ++probe) {
    if (!brindel.answers(kAnswerTimeoutMs)) ++unanswered;
    Sleep(200);
  }
  EXPECT_EQ(unanswered, 0);
  EXPECT_EQ(client.countOf("sent"), 0u);
  EXPECT_EQ(brindel.logRowCount(), 0);
}

TEST_F(RobustnessTest, KeepsRunningWhenTheClientClosesInTheMiddleOfGreetings) {
  SimClientProgram client(room_, noticesAt(0, {u8"甲", u8"乙", u8"丙", u8"丁", u8"戊", u8"己"}));
  HWND channel = client.waitForWindow();
  ASSERT_TRUE(channel);
  BrindelProgram brindel;
  ASSERT_TRUE(brindel.window());
  brindel.startReception(room_);
  ASSERT_TRUE(client.waitFor("sent", 1, kGreetingTimeoutMs));

  PostMessageA(channel, WM_CLOSE, 0, 0);
  ASSERT_TRUE(client.process().waitForExit(10000));
  EXPECT_LT(client.countOf("sent"), 6u) << "the client closed only after every greeting";
  // The names copied before the client went are still logged, one row each.
  EXPECT_TRUE(waitUntil([&] { return brindel.logRowCount() == 6; }, 15000))
      << brindel.logRowCount() << " rows";
  Sleep(1000);
  EXPECT_TRUE(brindel.process().running());
  EXPECT_TRUE(brindel.answers(kAnswerTimeoutMs));
}

TEST_F(RobustnessTest, EscapeEndsBrindelEvenInTheMiddleOfGreetings) {
  SimClientProgram client(room_, noticesAt(0, {u8"子", u8"丑", u8"寅"}));
  ASSERT_TRUE(client.waitForWindow());
  BrindelProgram brindel;
  ASSERT_TRUE(brindel.window());
  brindel.startReception(room_);
  ASSERT_TRUE(client.waitFor("sent", 1, kGreetingTimeoutMs));

  PostMessageA(brindel.control(ControlId::编辑框_频道), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  ASSERT_TRUE(brindel.process().waitForExit(10000));
  EXPECT_EQ(brindel.process().exitCode(), 0u);
  EXPECT_TRUE(client.process().running());
}

}  // namespace
}  // namespace brindel::e2e
