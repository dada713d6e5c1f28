// demo_operator: the user of the demo. It operates a Brindel that is already running the way a
// user would (closes the start-up notice, types the room number, ticks the greeting switch,
// presses start), reports where the windows are for the screenshots, and ends both programs.
// Usage: demo_operator operate ROOM | geometry | quit

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/client_contract.h"
#include "engine/gbk.h"
#include "support/child_process.h"
#include "tools/brindel_remote/brindel_window.h"

namespace {

using brindel::ControlId;
using brindel::gbk;
using brindel::e2e::waitUntil;

constexpr DWORD kWindowTimeoutMs = 60000;
constexpr DWORD kSendTimeoutMs = 5000;

void send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
}

HWND channelWindow() {
  return FindWindowA(brindel::client::kChannelWindowClass, nullptr);
}

bool dismissNotice() {
  HWND box = nullptr;
  const std::string title = gbk(u8"信息：");
  if (!waitUntil([&] { return (box = FindWindowA("#32770", title.c_str())) != nullptr; },
                 kWindowTimeoutMs)) {
    return false;
  }
  send(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  return true;
}

// Beside the client rather than over it, so that both windows can be seen at once.
void placeBesideClient(HWND brindel) {
  RECT client{};
  if (HWND channel = channelWindow()) GetWindowRect(channel, &client);
  SetWindowPos(brindel, nullptr, client.right + 10, 40, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int operate(const std::string& room) {
  if (!dismissNotice()) {
    std::fprintf(stderr, "demo_operator: Brindel's start-up notice did not appear\n");
    return 1;
  }
  HWND brindel = nullptr;
  if (!waitUntil(
          [&] {
            brindel = brindel::remote::findBrindelWindow();
            return brindel && IsWindowVisible(brindel);
          },
          kWindowTimeoutMs)) {
    std::fprintf(stderr, "demo_operator: Brindel's window did not appear\n");
    return 1;
  }
  placeBesideClient(brindel);
  send(brindel::remote::findControl(brindel, ControlId::编辑框_频道), WM_SETTEXT, 0,
       reinterpret_cast<LPARAM>(room.c_str()));
  send(brindel::remote::findControl(brindel, ControlId::选择框_接待语), BM_CLICK, 0, 0);
  send(brindel::remote::findControl(brindel, ControlId::按钮1), BM_CLICK, 0, 0);
  std::printf("operator: notice closed, room %s typed, greeting ticked, start pressed\n",
              room.c_str());
  return 0;
}

void printBox(const char* name, HWND window) {
  RECT box{};
  if (window) GetWindowRect(window, &box);
  std::printf("%s %ld %ld %ld %ld\n", name, box.left, box.top, box.right - box.left,
              box.bottom - box.top);
}

int geometry() {
  printBox("client", channelWindow());
  printBox("brindel", brindel::remote::findBrindelWindow());
  return 0;
}

// Esc ends Brindel; the client is closed like any window.
int quit() {
  if (HWND brindel = brindel::remote::findBrindelWindow()) {
    PostMessageA(brindel::remote::findControl(brindel, ControlId::编辑框_频道), WM_KEYDOWN,
                 VK_ESCAPE, 0x00010001);
  }
  if (HWND channel = channelWindow()) PostMessageA(channel, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "operate") == 0) return operate(argv[2]);
  if (argc == 2 && std::strcmp(argv[1], "geometry") == 0) return geometry();
  if (argc == 2 && std::strcmp(argv[1], "quit") == 0) return quit();
  std::fprintf(stderr, "usage: demo_operator operate ROOM | geometry | quit\n");
  return 2;
}
