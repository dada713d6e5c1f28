#pragma once
// Keys and text for another program: a chord through keybd_event, text as posted WM_CHAR, a
// key through SendInput after giving a window the focus.

#include <windows.h>

#include <cstdint>

#include "engine/text.h"

namespace brindel {

// Presses modifier3, modifier2, modifier1 (the nonzero ones), then key; releases them in the
// same order, so the modifiers go up before the key. Goes to the focused window.
void pressChord(std::int32_t key, std::int32_t modifier1, std::int32_t modifier2 = 0,
                std::int32_t modifier3 = 0);

// One WM_CHAR per byte (GBK: lead byte, then trail byte), no pause between them.
void typeText(HWND window, const Text& text);

// Gives the window the focus (window 0: leaves the focus where it is), then presses and
// releases key count times (at least once) through SendInput, pausing 50 ms with messages
// dispatched after the focus change and after every event. Does nothing for a window that
// no longer exists.
void sendKey(HWND window, std::int32_t key, std::int32_t count = 1, bool extended = false);

}  // namespace brindel
