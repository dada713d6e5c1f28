#include "support/programs.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <fstream>
#include <sstream>

#include "engine/gbk.h"
#include "tools/brindel_remote/brindel_window.h"

namespace brindel::e2e {
namespace {

constexpr DWORD kSendTimeoutMs = 5000;
constexpr DWORD kStartupTimeoutMs = 30000;

std::string transcriptPathForTest() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "run";
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return windowsPath(std::string(E2E_WORK_DIR) + "/" + name + ".transcript.txt");
}

HWND findTopWindow(DWORD processId, const char* className, const Text& title) {
  for (HWND window : topWindowsOf(processId, className)) {
    if (windowText(window) == title) return window;
  }
  return nullptr;
}

HWND waitForTopWindow(DWORD processId, const char* className, const Text& title) {
  HWND found = nullptr;
  waitUntil([&] { return (found = findTopWindow(processId, className, title)) != nullptr; },
            kStartupTimeoutMs);
  return found;
}

// The notice box goes as a user closes it: a click on its OK button.
void dismissNotice(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  DWORD_PTR result = 0;
  if (ok) {
    SendMessageTimeoutA(ok, BM_CLICK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result);
  } else {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
}

}  // namespace

std::string utf8(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

SimClientProgram::SimClientProgram(const std::string& room, const std::vector<std::string>& options)
    : transcriptPath_(transcriptPathForTest()) {
  DeleteFileA(transcriptPath_.c_str());
  std::vector<std::string> arguments{"--room", room, "--transcript", transcriptPath_};
  arguments.insert(arguments.end(), options.begin(), options.end());
  process_ = ChildProcess(commandLine(windowsPath(SIM_CLIENT_EXE), arguments));
}

HWND SimClientProgram::waitForWindow(DWORD timeoutMs) {
  HWND found = nullptr;
  waitUntil(
      [&] {
        const auto windows = topWindowsOf(process_.id(), "QWidget");
        found = windows.empty() || !IsWindowVisible(windows.front()) ? nullptr : windows.front();
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

std::vector<TranscriptEntry> SimClientProgram::transcript() const {
  std::vector<TranscriptEntry> entries;
  std::ifstream file(transcriptPath_, std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    TranscriptEntry entry;
    std::string ms, wallTime;
    if (!std::getline(fields, ms, '\t') || !std::getline(fields, wallTime, '\t') ||
        !std::getline(fields, entry.event, '\t')) {
      continue;  // a line still being written
    }
    std::getline(fields, entry.text);
    entry.ms = std::stoll(ms);
    entries.push_back(entry);
  }
  return entries;
}

std::vector<std::string> SimClientProgram::textsOf(const std::string& event) const {
  std::vector<std::string> texts;
  for (const TranscriptEntry& entry : transcript()) {
    if (entry.event == event) texts.push_back(entry.text);
  }
  return texts;
}

bool SimClientProgram::waitFor(const std::string& event, std::size_t count, DWORD timeoutMs) const {
  return waitUntil([&] { return countOf(event) >= count; }, timeoutMs, 100);
}

BrindelProgram::BrindelProgram() : process_(commandLine(windowsPath(BRINDEL_EXE), {})) {
  if (!process_.valid()) return;
  HWND notice = waitForTopWindow(process_.id(), "#32770", gbk(u8"信息："));
  if (!notice) return;
  dismissNotice(notice);
  window_ = waitForTopWindow(process_.id(), nullptr, gbk(u8"Brindel "));
  if (window_) waitUntil([&] { return IsWindowVisible(window_) != FALSE; }, kStartupTimeoutMs);
}

HWND BrindelProgram::control(ControlId control) const {
  return remote::findControl(window_, control);
}

void BrindelProgram::setText(ControlId id, const Text& text) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_NORMAL, kSendTimeoutMs, &result);
}

void BrindelProgram::click(ControlId id) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(control(id), BM_CLICK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result);
}

void BrindelProgram::startReception(const std::string& room) const {
  setText(ControlId::编辑框_频道, room);
  click(ControlId::选择框_接待语);
  click(ControlId::按钮1);
}

int BrindelProgram::logRowCount() const {
  DWORD_PTR count = 0;
  SendMessageTimeoutA(control(ControlId::超级列表框1), LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL,
                      kSendTimeoutMs, &count);
  return static_cast<int>(count);
}

bool BrindelProgram::answers(DWORD timeoutMs) const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

std::string freshRoomNumber() {
  static int issued = 0;
  const unsigned seed = GetCurrentProcessId() * 7919u + GetTickCount() + ++issued * 104729u;
  return std::to_string(70000000 + seed % 10000000);
}

std::string greetingFor(std::u8string_view name) {
  return utf8(u8"欢迎【") + utf8(name) + utf8(u8"】用户光临本频道");
}

}  // namespace brindel::e2e
