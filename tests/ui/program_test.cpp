// brindel.exe as another program sees it: started as a process, its notice box answered as
// a user would, its window read and driven from outside, closed with Esc.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/gbk.h"

namespace brindel::testing {
namespace {

constexpr DWORD kStartTimeoutMs = 60000;  // a fresh Wine prefix is slow to start
constexpr DWORD kStepTimeoutMs = 10000;

std::string windowsPathOf(const std::string& path) {
  std::string windowsPath = "Z:";
  for (char c : path) windowsPath += c == '/' ? '\\' : c;
  return windowsPath;
}

std::string textOf(HWND window) {
  char text[256] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, kStepTimeoutMs, &length);
  return std::string(text, length);
}

std::string classOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

template <typename Condition>
bool waitFor(Condition condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
  return true;
}

std::vector<HWND> childrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

HWND childByText(HWND parent, const char* className, const Text& text) {
  for (HWND child : childrenOf(parent)) {
    if (classOf(child) == className && textOf(child) == text) return child;
  }
  return nullptr;
}

POINT placeInClient(HWND child) {
  RECT box;
  GetWindowRect(child, &box);
  POINT corner{box.left, box.top};
  ScreenToClient(GetParent(child), &corner);
  return corner;
}

struct ProcessWindows {
  DWORD processId;
  std::vector<HWND> visible;
};

std::vector<HWND> visibleWindowsOf(DWORD processId) {
  ProcessWindows found{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* windows = reinterpret_cast<ProcessWindows*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == windows->processId && IsWindowVisible(window)) {
          windows->visible.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.visible;
}

// The program under test, ended by its handle whatever the test did.
class Program {
 public:
  bool start() {
    std::string commandLine = "\"";
    commandLine += windowsPathOf(BRINDEL_EXE) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process_) != FALSE;
  }
  ~Program() {
    if (process_.hProcess == nullptr) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kStepTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  DWORD id() const { return process_.dwProcessId; }
  bool waitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
  }
  DWORD exitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION process_{};
};

HWND findNoticeBox(DWORD processId) {
  HWND box = FindWindowA("#32770", gbk(u8"信息：").c_str());
  DWORD owner = 0;
  if (box) GetWindowThreadProcessId(box, &owner);
  return owner == processId ? box : nullptr;
}

HWND visibleButtonOf(HWND box) {
  HWND button = nullptr;
  int count = 0;
  for (HWND child : childrenOf(box)) {
    if (classOf(child) == "Button" && IsWindowVisible(child)) {
      button = child;
      ++count;
    }
  }
  return count == 1 ? button : nullptr;
}

TEST(Program, NoticeFirstThenTheWindowDrivenFromOutsideThenExitCodeZero) {
  Program program;
  ASSERT_TRUE(program.start());

  HWND box = nullptr;
  ASSERT_TRUE(
      waitFor([&] { return (box = findNoticeBox(program.id())) != nullptr; }, kStartTimeoutMs));
  ASSERT_TRUE(waitFor([&] { return IsWindowVisible(box) != FALSE; }, kStepTimeoutMs));
  EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
  EXPECT_NE(childByText(box, "Static", gbk(u8"低价优惠，各种业务点击确定进入")), nullptr);
  const std::vector<HWND> beforeOk = visibleWindowsOf(program.id());
  EXPECT_EQ(beforeOk, std::vector<HWND>{box}) << "nothing but the notice box may show";
  HWND main = FindWindowA("BrindelWindow", "Brindel ");
  ASSERT_NE(main, nullptr) << "the window exists, hidden, while the notice shows";
  EXPECT_FALSE(IsWindowVisible(main));

  HWND ok = visibleButtonOf(box);
  ASSERT_NE(ok, nullptr) << "the notice has exactly one button";
  PostMessageA(ok, BM_CLICK, 0, 0);
  ASSERT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }, kStepTimeoutMs));

  EXPECT_EQ(textOf(main), "Brindel ");
  RECT frame;
  GetWindowRect(main, &frame);
  EXPECT_EQ(frame.right - frame.left, 655);
  EXPECT_EQ(frame.bottom - frame.top, 485);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 655) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 485) / 2);
  EXPECT_EQ(childrenOf(main).size(), 27u);

  HWND startButton = childByText(main, "Button", gbk(u8"开始接待"));
  HWND stopButton = childByText(main, "Button", gbk(u8"停止接待"));
  HWND stopLabel = childByText(main, "BrindelLabel", gbk(u8"接待语："));
  HWND room = nullptr;
  HWND startLabel = nullptr;
  for (HWND child : childrenOf(main)) {
    const POINT place = placeInClient(child);
    if (classOf(child) == "BrindelLabel" && place.x == -168) startLabel = child;
    if (classOf(child) == "Edit" && place.x == 64 && place.y == 305) room = child;
  }
  ASSERT_TRUE(startButton && stopButton && stopLabel && startLabel && room);
  EXPECT_EQ(textOf(startLabel), gbk(u8"标签"));
  EXPECT_TRUE(IsWindowEnabled(startButton));
  EXPECT_FALSE(IsWindowEnabled(stopButton));
  EXPECT_EQ(textOf(room).size(), 8u);

  DWORD_PTR result = 1;
  ASSERT_TRUE(
      SendMessageTimeoutA(startLabel, 0x8075, 3, 4, SMTO_ABORTIFHUNG, kStepTimeoutMs, &result));
  EXPECT_EQ(result, 0u);
  EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(stopButton) && !IsWindowEnabled(startButton); },
                      kStepTimeoutMs));
  PostMessageA(stopLabel, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
  EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(startButton) && !IsWindowEnabled(stopButton); },
                      kStepTimeoutMs));

  PostMessageA(room, WM_KEYDOWN, VK_ESCAPE, 1);
  ASSERT_TRUE(program.waitForExit(kStepTimeoutMs));
  EXPECT_EQ(program.exitCode(), 0u);
}

// The window class takes the icon named BRINDEL from the program's own resources.
TEST(Program, CarriesItsOwnIcon) {
  HMODULE program =
      LoadLibraryExA(windowsPathOf(BRINDEL_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  for (int size : {16, 32, 48}) {
    HANDLE icon = LoadImageA(program, "BRINDEL", IMAGE_ICON, size, size, 0);
    EXPECT_NE(icon, nullptr) << size;
    if (icon) DestroyIcon(static_cast<HICON>(icon));
  }
  FreeLibrary(program);
}

}  // namespace
}  // namespace brindel::testing
