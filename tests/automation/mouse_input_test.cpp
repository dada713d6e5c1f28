#include "automation/mouse_input.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "support/test_windows.h"

namespace brindel {
namespace {

using test_support::PlainWindow;
using test_support::RecordedMessage;
using test_support::RecordingWindow;
using ::testing::ElementsAreArray;

using Sequence = std::vector<RecordedMessage>;

RecordedMessage posted(UINT message, WPARAM wParam, std::uint32_t lParam) {
  return {message, wParam, static_cast<LPARAM>(lParam)};
}

constexpr std::uint32_t kShift = 25100873;
constexpr WPARAM kMenuWParam = 132782;

std::uint32_t at(std::int32_t x, std::int32_t y) {
  return static_cast<std::uint32_t>(x) + static_cast<std::uint32_t>(y) * 65536u;
}

struct MouseCase {
  const char* name;
  std::int32_t button;
  std::int32_t action;
  Sequence expected;  // for the point (10, 20)
};

const std::uint32_t p = at(10, 20);
const RecordedMessage kMove = posted(WM_MOUSEMOVE, MK_RBUTTON, p);
const RecordedMessage kMenu = posted(WM_CONTEXTMENU, kMenuWParam, at(595, 403));

const std::vector<MouseCase> kMouseCases{
    {"LeftDefault", 0, 0, {kMove, posted(WM_LBUTTONDOWN, 1, p), posted(WM_LBUTTONUP, 0, p)}},
    {"LeftClick", 1, 1, {kMove, posted(WM_LBUTTONDOWN, 1, p), posted(WM_LBUTTONUP, 0, p)}},
    {"LeftDouble",
     1,
     2,
     {kMove, posted(WM_LBUTTONDOWN, 1, p), posted(WM_LBUTTONUP, 0, p),
      posted(WM_LBUTTONDBLCLK, 0, p)}},
    {"LeftPressOnly", 1, 3, {kMove, posted(WM_LBUTTONDOWN, 1, p)}},
    {"LeftReleaseOnly", 1, 4, {kMove, posted(WM_LBUTTONUP, 0, p)}},
    {"LeftUnknownAction", 1, 9, {kMove}},
    {"RightClick", 2, 1, {kMove, posted(WM_RBUTTONDOWN, 2, p), posted(WM_RBUTTONUP, 2, p), kMenu}},
    {"RightDefaultAction",
     2,
     0,
     {kMove, posted(WM_RBUTTONDOWN, 2, p), posted(WM_RBUTTONUP, 2, p), kMenu}},
    {"RightDouble",
     2,
     2,
     {kMove, posted(WM_RBUTTONDOWN, 2, p), posted(WM_RBUTTONUP, 2, p),
      posted(WM_RBUTTONDBLCLK, 0, p), kMenu}},
    {"RightPressOnly", 2, 3, {kMove, posted(WM_RBUTTONDOWN, 2, p), kMenu}},
    {"RightReleaseOnly", 2, 4, {kMove, posted(WM_RBUTTONUP, 2, p), kMenu}},
    {"RightUnknownAction", 2, 9, {kMove, kMenu}},
    {"MiddleClick", 3, 1, {kMove, posted(WM_MBUTTONDOWN, 16, p), posted(WM_MBUTTONUP, 0, p)}},
    {"MiddleDouble",
     3,
     2,
     {kMove, posted(WM_MBUTTONDOWN, 16, p), posted(WM_MBUTTONUP, 0, p),
      posted(WM_MBUTTONDBLCLK, 0, p)}},
    {"MiddlePressOnly", 3, 3, {kMove, posted(WM_MBUTTONDOWN, 16, p)}},
    {"MiddleReleaseOnly", 3, 4, {kMove, posted(WM_MBUTTONUP, 0, p)}},
    {"WheelForward", 4, 1, {posted(WM_MOUSEWHEEL, 0x00780010, p + kShift)}},
    {"WheelBack", 5, 3, {posted(WM_MOUSEWHEEL, 0xFF880010, p + kShift)}},
    {"UnknownButton", 7, 1, {kMove}},
    {"NegativeButton", -1, 1, {kMove}},
};

using PostFunction = void (*)(HWND, std::optional<std::int32_t>, std::optional<std::int32_t>,
                              MouseButton, MouseAction);

struct PostForm {
  const char* name;
  PostFunction post;
};

const std::vector<PostForm> kForms{{"postMouse", postMouse}, {"postMouseAt", postMouseAt}};

class MouseSequenceTest : public ::testing::TestWithParam<std::tuple<MouseCase, PostForm>> {};

TEST_P(MouseSequenceTest, PostsTheMessagesOfTheTable) {
  const auto& [mouseCase, form] = GetParam();
  RecordingWindow target;
  form.post(target.hwnd(), 10, 20, static_cast<MouseButton>(mouseCase.button),
            static_cast<MouseAction>(mouseCase.action));
  EXPECT_THAT(target.settle(), ElementsAreArray(mouseCase.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, MouseSequenceTest,
                         ::testing::Combine(::testing::ValuesIn(kMouseCases),
                                            ::testing::ValuesIn(kForms)),
                         [](const auto& info) {
                           return std::string(std::get<1>(info.param).name) + "_" +
                                  std::get<0>(info.param).name;
                         });

TEST(PackPointTest, IsXPlusYTimes65536TakenAs32Bits) {
  EXPECT_EQ(packPoint(10, 20), 0x0014000Au);
  EXPECT_EQ(packPoint(65535, 32767), 0x7FFFFFFFu);
  EXPECT_EQ(packPoint(0, 65535), 0xFFFF0000u);
  EXPECT_EQ(packPoint(-1, 5), 0x0004FFFFu);     // a negative x borrows from y
  EXPECT_EQ(packPoint(65536, 1), 0x00020000u);  // and a wide x carries into it
  EXPECT_EQ(packPoint(0, -1), 0xFFFF0000u);
}

TEST(PostMouseTest, OmittedCoordinatesAreTwoAndTwo) {
  RecordingWindow target;
  postMouse(target.hwnd(), std::nullopt, std::nullopt, MouseButton::Left, MouseAction::Click);
  const std::uint32_t point = at(2, 2);
  EXPECT_THAT(target.settle(),
              ElementsAreArray({posted(WM_MOUSEMOVE, 2, point), posted(WM_LBUTTONDOWN, 1, point),
                                posted(WM_LBUTTONUP, 0, point)}));
}

TEST(PostMouseTest, RightClickOnAGivenPointWhateverTheTarget) {
  RecordingWindow target;
  postMouse(target.hwnd(), 880, 215, MouseButton::Right, MouseAction::Click);
  const std::uint32_t point = at(880, 215);
  EXPECT_THAT(target.settle(),
              ElementsAreArray({posted(WM_MOUSEMOVE, 2, point), posted(WM_RBUTTONDOWN, 2, point),
                                posted(WM_RBUTTONUP, 2, point),
                                posted(WM_CONTEXTMENU, kMenuWParam, point + kShift)}));
}

TEST(PostMouseAtTest, GivenCoordinatesDoNotDependOnTheCursor) {
  RecordingWindow target;
  ASSERT_TRUE(SetCursorPos(5, 5));
  postMouseAt(target.hwnd(), 20, 85);
  const Sequence first = target.settle();
  ASSERT_TRUE(SetCursorPos(700, 600));
  postMouseAt(target.hwnd(), 20, 85);
  const Sequence second = target.settle();
  const std::uint32_t point = at(20, 85);
  EXPECT_THAT(first,
              ElementsAreArray({posted(WM_MOUSEMOVE, 2, point), posted(WM_LBUTTONDOWN, 1, point),
                                posted(WM_LBUTTONUP, 0, point)}));
  EXPECT_EQ(first, second);
}

TEST(PostMouseAtTest, OmittedCoordinatesAreTheCursorsInTheClientArea) {
  RecordingWindow target;
  POINT origin{};
  ClientToScreen(target.hwnd(), &origin);
  ASSERT_TRUE(SetCursorPos(origin.x + 30, origin.y + 12));
  postMouseAt(target.hwnd(), std::nullopt, 40, MouseButton::Left, MouseAction::PressOnly);
  const std::uint32_t point = at(30, 40);
  EXPECT_THAT(target.settle(),
              ElementsAreArray({posted(WM_MOUSEMOVE, 2, point), posted(WM_LBUTTONDOWN, 1, point)}));
}

// The chain Progman "Program Manager" > SHELLDLL_DefView > SysListView32, made by the test.
TEST(PostMouseAtTest, WindowZeroMeansTheDesktopIconList) {
  PlainWindow::Options top;
  top.title = "Program Manager";
  PlainWindow programManager("Progman", top);
  PlainWindow::Options child;
  child.style = WS_CHILD;
  child.place = {0, 0, 100, 100};
  child.parent = programManager.hwnd();
  PlainWindow shellView("SHELLDLL_DefView", child);
  child.parent = shellView.hwnd();
  PlainWindow iconList("SysListView32", child);
  ASSERT_EQ(desktopIconList(), iconList.hwnd());

  postMouseAt(nullptr, 7, 9);
  Sequence received;
  MSG message;
  while (PeekMessageA(&message, iconList.hwnd(), WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    received.push_back({message.message, message.wParam, message.lParam});
  }
  const std::uint32_t point = at(7, 9);
  EXPECT_THAT(received,
              ElementsAreArray({posted(WM_MOUSEMOVE, 2, point), posted(WM_LBUTTONDOWN, 1, point),
                                posted(WM_LBUTTONUP, 0, point)}));
}

}  // namespace
}  // namespace brindel
