// brindel_remote from another process: start, stop and status through the label windows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/e2e_fixture.h"

namespace brindel::e2e {
namespace {

using ::testing::HasSubstr;

constexpr DWORD kRemoteTimeoutMs = 20000;

CommandResult remote(const std::string& command) {
  const std::string output = windowsPath(std::string(E2E_WORK_DIR) + "/remote-output.txt");
  return runCommand(commandLine(windowsPath(BRINDEL_REMOTE_EXE), {command}), output,
                    kRemoteTimeoutMs);
}

using RemoteControlTest = EndToEndTest;

TEST_F(RemoteControlTest, StartsReportsAndStopsReceptionOfARunningBrindel) {
  SimClientProgram client(room_, noticesAt(0, {u8"孙七"}));
  ASSERT_TRUE(client.waitForWindow());
  BrindelProgram brindel;
  ASSERT_TRUE(brindel.window());
  brindel.setText(ControlId::编辑框_频道, room_);
  brindel.click(ControlId::选择框_接待语);
  EXPECT_THAT(remote("status").output, HasSubstr("stopped"));

  const CommandResult started = remote("start");
  EXPECT_TRUE(started.finished);
  EXPECT_EQ(started.exitCode, 0u) << started.output;
  EXPECT_THAT(remote("status").output, HasSubstr("running"));
  EXPECT_TRUE(client.waitFor("sent", 1, 30000)) << "no greeting after a remote start";

  const CommandResult stopped = remote("stop");
  EXPECT_EQ(stopped.exitCode, 0u) << stopped.output;
  EXPECT_THAT(remote("status").output, HasSubstr("stopped"));
  const std::size_t copiesAtStop = client.countOf("copy");
  Sleep(1500);
  EXPECT_LE(client.countOf("copy"), copiesAtStop + 1) << "a remote stop left reception running";
}

TEST_F(RemoteControlTest, FailsWithAMessageWhenNoBrindelRuns) {
  for (const char* command : {"start", "stop", "status"}) {
    const CommandResult result = remote(command);
    EXPECT_TRUE(result.finished) << command;
    EXPECT_EQ(result.exitCode, 1u) << command;
    EXPECT_THAT(result.output, HasSubstr("not running")) << command;
  }
}

TEST_F(RemoteControlTest, RejectsAnUnknownCommand) {
  const CommandResult result = remote("restart");
  EXPECT_EQ(result.exitCode, 2u);
  EXPECT_THAT(result.output, HasSubstr("usage"));
}

}  // namespace
}  // namespace brindel::e2e
