#include "automation/keyboard_input.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "engine/gbk.h"
#include "support/test_windows.h"

namespace brindel {
namespace {

using namespace std::chrono_literals;
using test_support::down;
using test_support::KeyEvent;
using test_support::KeyRecorder;
using test_support::RecordedMessage;
using test_support::RecordingWindow;
using test_support::up;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using Clock = std::chrono::steady_clock;

// Keys no window of the test reacts to.
constexpr DWORD kKey = VK_F13;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<KeyEvent> pressesAndReleases(DWORD key, int times) {
  std::vector<KeyEvent> events;
  for (int i = 0; i < times; ++i) {
    events.push_back(down(key));
    events.push_back(up(key));
  }
  return events;
}

class KeyboardInputTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(keys_.installed()); }
  KeyRecorder keys_;
};

TEST_F(KeyboardInputTest, ChordReleasesTheModifierBeforeTheKey) {
  pressChord(0x43, VK_CONTROL);
  EXPECT_THAT(keys_.waitForCount(4),
              ElementsAre(down(VK_CONTROL), down(0x43), up(VK_CONTROL), up(0x43)));
}

TEST_F(KeyboardInputTest, ChordPressesAndReleasesModifiersLastToFirst) {
  pressChord(kKey, VK_SHIFT, VK_CONTROL, VK_MENU);
  EXPECT_THAT(keys_.waitForCount(8),
              ElementsAre(down(VK_MENU), down(VK_CONTROL), down(VK_SHIFT), down(kKey), up(VK_MENU),
                          up(VK_CONTROL), up(VK_SHIFT), up(kKey)));
}

TEST_F(KeyboardInputTest, ChordLeavesOutOmittedModifiers) {
  pressChord(kKey, VK_SHIFT, 0, VK_CONTROL);
  EXPECT_THAT(keys_.waitForCount(6), ElementsAre(down(VK_CONTROL), down(VK_SHIFT), down(kKey),
                                                 up(VK_CONTROL), up(VK_SHIFT), up(kKey)));
}

struct CountCase {
  std::int32_t count;
  int presses;
};

class SendKeyCountTest : public KeyboardInputTest,
                         public ::testing::WithParamInterface<CountCase> {};

TEST_P(SendKeyCountTest, PressesAtLeastOnceAndPausesAfterEachEvent) {
  const auto start = Clock::now();
  sendKey(nullptr, kKey, GetParam().count);
  const double elapsed = millisecondsSince(start);
  const int events = 2 * GetParam().presses;
  EXPECT_THAT(keys_.waitForCount(events),
              ElementsAreArray(pressesAndReleases(kKey, GetParam().presses)));
  EXPECT_GE(elapsed, events * 50 * 0.85);
}

INSTANTIATE_TEST_SUITE_P(Counts, SendKeyCountTest,
                         ::testing::Values(CountCase{1, 1}, CountCase{0, 1}, CountCase{-4, 1},
                                           CountCase{3, 3}));

TEST_F(KeyboardInputTest, SendKeyCarriesTheScanCodeAndTheExtendedFlag) {
  sendKey(nullptr, VK_RIGHT, 1, true);
  sendKey(nullptr, kKey);
  const std::vector<KeyEvent> events = keys_.waitForCount(4);
  ASSERT_EQ(events.size(), 4u);
  for (const KeyEvent& event : events) {
    EXPECT_EQ(event.scanCode, MapVirtualKeyA(event.key, 0));
  }
  EXPECT_TRUE(events[0].extended);
  EXPECT_TRUE(events[1].extended);
  EXPECT_FALSE(events[2].extended);
  EXPECT_FALSE(events[3].extended);
}

TEST_F(KeyboardInputTest, SendKeyFocusesTheWindowBeforeTheKeyReachesIt) {
  RecordingWindow target({.visible = true});
  const auto start = Clock::now();
  sendKey(target.hwnd(), VK_RETURN);
  const double elapsed = millisecondsSince(start);
  ASSERT_TRUE(target.waitFor(WM_KEYUP, 3s));
  std::vector<UINT> kinds;
  for (const RecordedMessage& m : target.settle()) {
    const bool enterKey =
        (m.message == WM_KEYDOWN || m.message == WM_KEYUP) && m.wParam == VK_RETURN;
    if (m.message == WM_SETFOCUS || enterKey) kinds.push_back(m.message);
  }
  EXPECT_THAT(kinds, ElementsAre(static_cast<UINT>(WM_SETFOCUS), static_cast<UINT>(WM_KEYDOWN),
                                 static_cast<UINT>(WM_KEYUP)));
  EXPECT_GE(elapsed, 150 * 0.85);
}

TEST_F(KeyboardInputTest, SendKeyToAWindowThatIsGoneDoesNothing) {
  HWND gone;
  {
    RecordingWindow target;
    gone = target.hwnd();
  }
  ASSERT_FALSE(IsWindow(gone));
  const auto start = Clock::now();
  sendKey(gone, kKey);
  EXPECT_LT(millisecondsSince(start), 50);
  EXPECT_THAT(keys_.waitForCount(1, 300ms), IsEmpty());
}

std::vector<RecordedMessage> characters(const std::string& bytes) {
  std::vector<RecordedMessage> messages;
  for (unsigned char byte : bytes) messages.push_back({WM_CHAR, byte, 0});
  return messages;
}

TEST(TypeTextTest, PostsEveryByteAsACharacterLeadByteFirst) {
  RecordingWindow target;
  const Text text = "ab" + gbk(u8"你");
  ASSERT_EQ(text, "ab\xC4\xE3");
  typeText(target.hwnd(), text);
  EXPECT_THAT(target.settle(), ElementsAreArray(characters(text)));
}

TEST(TypeTextTest, EmptyTextPostsNothing) {
  RecordingWindow target;
  typeText(target.hwnd(), "");
  EXPECT_THAT(target.settle(), IsEmpty());
}

}  // namespace
}  // namespace brindel
