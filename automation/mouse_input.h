#pragma once
// Clicks and wheel turns posted straight into a window's queue: the real cursor and button
// state stay untouched, and nothing waits for the target to react.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "engine/ports.h"

namespace brindel {

// x + y * 65536 taken as 32 bits: x in the low and y in the high half for 0 <= x <= 65535 and
// 0 <= y <= 32767. A negative x borrows from the high half (x = -1, y = 5 packs as 0x0004FFFF,
// read back as x -1, y 4); an x above 65535 carries into it.
std::uint32_t packPoint(std::int32_t x, std::int32_t y);

// Window 0: the desktop window; an omitted coordinate: 2.
void postMouse(HWND target = nullptr, std::optional<std::int32_t> x = std::nullopt,
               std::optional<std::int32_t> y = std::nullopt,
               MouseButton button = static_cast<MouseButton>(0),
               MouseAction action = static_cast<MouseAction>(0));

// Window 0: the desktop's icon list (used even when the lookup finds none); an omitted
// coordinate: the cursor's, relative to the target's client area.
void postMouseAt(HWND target = nullptr, std::optional<std::int32_t> x = std::nullopt,
                 std::optional<std::int32_t> y = std::nullopt,
                 MouseButton button = static_cast<MouseButton>(0),
                 MouseAction action = static_cast<MouseAction>(0));

// The list view that shows the desktop's icons, or 0.
HWND desktopIconList();

}  // namespace brindel
