#pragma once
// Start-up: the window created hidden, the notice box and the advertising address while
// nothing of the program is on the screen, then the window shown and the message loop.

#include <windows.h>

#include <string_view>

#include "engine/ports.h"

namespace brindel {

inline constexpr std::u8string_view kAdvertAddress = u8"https://example.com/brindel";
inline constexpr std::u8string_view kNoticeText = u8"低价优惠，各种业务点击确定进入";
inline constexpr std::u8string_view kNoticeTitle = u8"信息：";

// The window's created event: the notice box, then the browser on the advertising address.
void showStartupNotice();

// Takes and handles messages until WM_QUIT.
void runMessageLoop();

// The whole program: 0 once the window has been closed, -1 when it could not be created.
int runProgram(HINSTANCE instance, ClientAutomationPort& client);

}  // namespace brindel
