#pragma once
// What Brindel expects of the voice-chat client: its windows, points, markers and keys.
// The simulated client in tools/ implements the same contract from these constants.

#include <cstdint>

#include "engine/ports.h"

namespace brindel::client {

inline constexpr char kChannelWindowClass[] = "QWidget";
inline constexpr char kMenuClass[] = "QPopup";
inline constexpr char8_t kMenuTitle[] = u8"菜单";  // as GBK: gbk(kMenuTitle)

// The chat's context menu is recognised by its outer size alone; picks are menu client points.
struct MenuLayout {
  std::int32_t width;
  std::int32_t height;
  ClientPoint firstPick;
  ClientPoint secondPick;
};
inline constexpr MenuLayout kMenuLayouts[] = {
    {156, 158, {20, 85}, {40, 65}},
    {156, 188, {9, 99}, {40, 65}},
};

inline constexpr ClientPoint kChatMenuPoint{880, 215};   // right click here opens the menu
inline constexpr ClientPoint kChatInputPoint{905, 766};  // left click here focuses the input

inline constexpr char8_t kNoticeLeftMarker[] = u8"通知： [";
inline constexpr char8_t kNoticeRightMarker[] = u8"] 进入 [";

inline constexpr std::int32_t kCopyKey = 0x43;     // C
inline constexpr std::int32_t kControlKey = 0x11;  // VK_CONTROL
inline constexpr std::int32_t kEnterKey = 13;      // VK_RETURN

inline constexpr std::int32_t kClickSettleMs = 100;  // after each click on the chat input
inline constexpr std::int32_t kBeforeEnterMs = 200;  // between typing a line and Enter

}  // namespace brindel::client
