// A stand-in for another program's window, in a process of its own: it shows what reached it
// in its title ("enters=N copies=N typed=BYTES") and answers a Ctrl+C, judged by the order of
// the key events, by putting "copied N" on the clipboard.
// Usage: key_target.exe CLASS_NAME

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpMs = 120000;  // never outlive a test that failed to close it

int enters = 0;
int copies = 0;
bool controlDown = false;
std::string typed;

void showState(HWND window) {
  char title[200];
  std::snprintf(title, sizeof title, "enters=%d copies=%d typed=", enters, copies);
  SetWindowTextA(window, (title + typed).c_str());
}

void copy(HWND window) {
  char text[32];
  const int length = std::snprintf(text, sizeof text, "copied %d", ++copies);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 1);
  if (block == nullptr) return;
  std::memcpy(GlobalLock(block), text, length + 1);
  GlobalUnlock(block);
  // The other side may be reading the clipboard at this moment: try again for a while.
  bool open = false;
  for (int attempt = 0; attempt < 100 && !open; ++attempt) {
    open = OpenClipboard(window) != FALSE;
    if (!open) Sleep(10);
  }
  if (!open) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
  CloseClipboard();
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_CONTROL) controlDown = true;
      if (wParam == 'C' && controlDown) copy(window);
      if (wParam == VK_RETURN) ++enters;
      showState(window);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_CONTROL) controlDown = false;
      return 0;
    case WM_CHAR:
      if (wParam >= 0x20) typed += static_cast<char>(wParam);
      showState(window);
      return 0;
    case WM_TIMER:
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = argv[1];
  if (!RegisterClassA(&windowClass)) return 3;
  HWND window = CreateWindowExA(0, argv[1], "", WS_OVERLAPPEDWINDOW, 100, 100, 400, 200, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return 4;
  showState(window);
  ShowWindow(window, SW_SHOWNORMAL);
  SetTimer(window, kGiveUpTimer, kGiveUpMs, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
