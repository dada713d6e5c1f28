#include "automation/keyboard_input.h"

#include "automation/message_pump.h"

namespace brindel {
namespace {

constexpr std::int32_t kKeyPauseMs = 50;

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(INPUT) == 28, "SendInput is handed the 28-byte keyboard record");
#endif

void chordEvent(std::int32_t code, DWORD flags) {
  keybd_event(static_cast<BYTE>(code), 0, flags, 0);
}

INPUT keyRecord(std::int32_t key) {
  INPUT record{};
  record.type = INPUT_KEYBOARD;
  record.ki.wVk = static_cast<WORD>(key);
  record.ki.wScan = static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
  record.ki.dwExtraInfo = 0;
  return record;
}

void sendKeyEvent(INPUT& record, DWORD flags) {
  record.ki.dwFlags = flags;
  record.ki.time = GetTickCount();
  SendInput(1, &record, sizeof(INPUT));
  pumpDelay(kKeyPauseMs);
}

// SetFocus reaches a window of another thread only while the two input states are joined.
void focusWindow(HWND window) {
  const DWORD ownThread = GetCurrentThreadId();
  const DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
  AttachThreadInput(ownThread, windowThread, TRUE);
  SetFocus(window);
  AttachThreadInput(ownThread, windowThread, FALSE);
  pumpDelay(kKeyPauseMs);
}

}  // namespace

void pressChord(std::int32_t key, std::int32_t modifier1, std::int32_t modifier2,
                std::int32_t modifier3) {
  // Releases in the order of the presses, not in reverse: the modifiers go up first.
  for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
    if (modifier3 != 0) chordEvent(modifier3, flags);
    if (modifier2 != 0) chordEvent(modifier2, flags);
    chordEvent(modifier1, flags);
    chordEvent(key, flags);
  }
}

void typeText(HWND window, const Text& text) {
  for (unsigned char byte : text) PostMessageA(window, WM_CHAR, byte, 0);
}

void sendKey(HWND window, std::int32_t key, std::int32_t count, bool extended) {
  if (window != nullptr) {
    if (!IsWindow(window)) return;
    focusWindow(window);
  }
  if (count < 1) count = 1;
  const DWORD extendedFlag = extended ? KEYEVENTF_EXTENDEDKEY : 0;
  INPUT record = keyRecord(key);
  for (std::int32_t i = 0; i < count; ++i) {
    sendKeyEvent(record, extendedFlag);
    sendKeyEvent(record, extendedFlag | KEYEVENTF_KEYUP);
  }
}

}  // namespace brindel
