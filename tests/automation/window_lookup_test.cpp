#include "automation/window_lookup.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/gbk.h"
#include "support/test_windows.h"

namespace brindel {
namespace {

using test_support::PlainWindow;
using test_support::uniqueClassName;

PlainWindow::Options titled(const std::string& title) {
  PlainWindow::Options options;
  options.title = title;
  return options;
}

void raise(HWND window) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool isTopmost(HWND window) {
  return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

class WindowLookupTest : public ::testing::Test {
 protected:
  const std::string className_ = uniqueClassName("Lookup");
};

TEST_F(WindowLookupTest, NoWindowOfTheClassFindsNothing) {
  PlainWindow other(uniqueClassName("Other"), titled("room 123"));
  EXPECT_EQ(findWindowByTitlePart("123", className_), nullptr);
}

TEST_F(WindowLookupTest, OfTwoMatchingWindowsTheHigherInZOrderWins) {
  PlainWindow first(className_, titled("channel 123"));
  PlainWindow second(className_, titled("room 123 lobby"));
  raise(first.hwnd());
  EXPECT_EQ(findWindowByTitlePart("123", className_), first.hwnd());
  raise(second.hwnd());
  EXPECT_EQ(findWindowByTitlePart("123", className_), second.hwnd());
}

TEST_F(WindowLookupTest, PassesOverWindowsWhoseTitleLacksThePart) {
  PlainWindow wanted(className_, titled("room 456"));
  PlainWindow above(className_, titled("room 789"));
  raise(above.hwnd());
  EXPECT_EQ(findWindowByTitlePart("456", className_), wanted.hwnd());
  EXPECT_EQ(findWindowByTitlePart("999", className_), nullptr);
}

TEST_F(WindowLookupTest, EmptyPartSkipsUntitledWindows) {
  PlainWindow titledWindow(className_, titled("x"));
  PlainWindow untitled(className_, titled(""));
  raise(untitled.hwnd());
  EXPECT_EQ(findWindowByTitlePart("", className_), titledWindow.hwnd());
}

struct TitleCase {
  const char* name;
  std::string title;
  std::string part;
  bool found;
};

class TitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleTest, MatchesExactBytesAtCharacterStarts) {
  const std::string className = uniqueClassName("Title");
  PlainWindow window(className, titled(GetParam().title));
  HWND expected = GetParam().found ? window.hwnd() : nullptr;
  EXPECT_EQ(findWindowByTitlePart(GetParam().part, className), expected);
}

const std::string kLong = std::string(250, 'a') + "bcdefghij";  // 259 bytes

INSTANTIATE_TEST_SUITE_P(
    Cases, TitleTest,
    ::testing::Values(
        TitleCase{"PrefixOfALongerNumber", "room 123", "12", true},
        TitleCase{"CaseCounts", "ABC", "abc", false}, TitleCase{"WholeTitle", "abc", "abc", true},
        TitleCase{"GbkPart", gbk(u8"频道 123"), gbk(u8"频道"), true},
        // 0x81 0x40 is one character whose second byte is '@': never a place to start.
        TitleCase{"NeverOnASecondByte", "\x81\x40 x", "@", false},
        TitleCase{"AfterATwoByteCharacter", "\x81\x40@", "@", true},
        TitleCase{"WithinTheFirst255Bytes", kLong, std::string(250, 'a') + "bcde", true},
        TitleCase{"BeyondThe255thByte", kLong, "efghi", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowLookupTest, TitleIsCutAt255BytesAndEmptyOnceDestroyed) {
  PlainWindow window(className_, titled(std::string(300, 'q')));
  EXPECT_EQ(windowTitle(window.hwnd()), std::string(255, 'q'));
  const HWND gone = window.hwnd();
  window.destroy();
  EXPECT_EQ(windowTitle(gone), "");
}

TEST_F(WindowLookupTest, FindTopWindowNeedsTheExactClassAndTitle) {
  const std::string menuTitle = gbk(u8"菜单");
  PlainWindow menu(className_, titled(menuTitle));
  EXPECT_EQ(findTopWindow(className_, menuTitle), menu.hwnd());
  EXPECT_EQ(findTopWindow(className_, menuTitle.substr(0, 2)), nullptr);
  EXPECT_EQ(findTopWindow(className_ + "x", menuTitle), nullptr);
  EXPECT_EQ(findTopWindow(className_, ""), menu.hwnd());  // an empty title: any title
}

TEST_F(WindowLookupTest, WindowBoxIsTheOuterRectangleAndZeroOnceDestroyed) {
  PlainWindow::Options options = titled("box");
  options.place = {40, 60, 240, 210};
  PlainWindow window(className_, options);
  const WindowBox box = windowBox(window.hwnd());
  EXPECT_EQ((std::array{box.left, box.top, box.width, box.height}),
            (std::array<std::int32_t, 4>{40, 60, 200, 150}));
  const HWND gone = window.hwnd();
  window.destroy();
  const WindowBox empty = windowBox(gone);
  EXPECT_EQ((std::array{empty.left, empty.top, empty.width, empty.height}),
            (std::array<std::int32_t, 4>{0, 0, 0, 0}));
}

TEST_F(WindowLookupTest, SetTopmostFalseTakesAWindowOutOfTheTopmostBand) {
  PlainWindow::Options options = titled("topmost");
  options.exStyle = WS_EX_TOPMOST;
  PlainWindow window(className_, options);
  ASSERT_TRUE(isTopmost(window.hwnd()));
  setTopmost(window.hwnd());
  EXPECT_FALSE(isTopmost(window.hwnd()));
  setTopmost(window.hwnd(), true);
  EXPECT_TRUE(isTopmost(window.hwnd()));
}

TEST_F(WindowLookupTest, CursorInClientIsRelativeToTheClientArea) {
  PlainWindow::Options options = titled("client");
  options.place = {300, 200, 500, 400};
  PlainWindow window(className_, options);
  POINT origin{};
  ClientToScreen(window.hwnd(), &origin);
  const ScreenPoint reported = clientOrigin(window.hwnd());
  EXPECT_EQ(reported.x, origin.x);
  EXPECT_EQ(reported.y, origin.y);

  ASSERT_TRUE(SetCursorPos(250, 150));
  const ClientPoint screen = cursorInClient();
  EXPECT_EQ(screen.x, 250);
  EXPECT_EQ(screen.y, 150);
  const ClientPoint leftAbove = cursorInClient(window.hwnd());
  EXPECT_EQ(leftAbove.x, 250 - origin.x);
  EXPECT_EQ(leftAbove.y, 150 - origin.y);
  EXPECT_LT(leftAbove.x, 0);
  EXPECT_LT(leftAbove.y, 0);
}

}  // namespace
}  // namespace brindel
