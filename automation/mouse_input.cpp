#include "automation/mouse_input.h"

#include "automation/window_lookup.h"

namespace brindel {
namespace {

constexpr WPARAM kWheelForward = 0x00780010;  // delta +120, MK_MBUTTON
constexpr WPARAM kWheelBack = 0xFF880010;     // delta -120, MK_MBUTTON
// The client expects its wheel and context-menu points shifted by this fixed amount, not
// converted through its real client origin.
constexpr std::uint32_t kScreenPointOffset = 25100873;
constexpr WPARAM kContextMenuWParam = 132782;
constexpr WPARAM kMoveWParam = MK_RBUTTON;
constexpr std::int32_t kDefaultPoint = 2;

struct ButtonMessages {
  UINT down;
  WPARAM downWParam;
  UINT up;
  WPARAM upWParam;
  UINT doubleClick;
};

constexpr ButtonMessages kLeft{WM_LBUTTONDOWN, MK_LBUTTON, WM_LBUTTONUP, 0, WM_LBUTTONDBLCLK};
constexpr ButtonMessages kRight{WM_RBUTTONDOWN, MK_RBUTTON, WM_RBUTTONUP, MK_RBUTTON,
                                WM_RBUTTONDBLCLK};
constexpr ButtonMessages kMiddle{WM_MBUTTONDOWN, MK_MBUTTON, WM_MBUTTONUP, 0, WM_MBUTTONDBLCLK};

const ButtonMessages* buttonMessages(std::int32_t button) {
  switch (button) {
    case 0:
    case 1:
      return &kLeft;
    case 2:
      return &kRight;
    case 3:
      return &kMiddle;
    default:
      return nullptr;
  }
}

void post(HWND target, UINT message, WPARAM wParam, std::uint32_t lParam) {
  PostMessageA(target, message, wParam, static_cast<LPARAM>(lParam));
}

void postButton(HWND target, const ButtonMessages& messages, std::int32_t action,
                std::uint32_t point) {
  const bool press = action == 0 || action == 1 || action == 2 || action == 3;
  const bool release = action == 0 || action == 1 || action == 2 || action == 4;
  if (press) post(target, messages.down, messages.downWParam, point);
  if (release) post(target, messages.up, messages.upWParam, point);
  if (action == 2) post(target, messages.doubleClick, 0, point);
}

void postSequence(HWND target, std::int32_t x, std::int32_t y, MouseButton button,
                  MouseAction action) {
  const std::uint32_t point = packPoint(x, y);
  const std::uint32_t shiftedPoint = point + kScreenPointOffset;
  const auto code = static_cast<std::int32_t>(button);
  if (code == 4 || code == 5) {
    post(target, WM_MOUSEWHEEL, code == 4 ? kWheelForward : kWheelBack, shiftedPoint);
    return;
  }
  post(target, WM_MOUSEMOVE, kMoveWParam, point);
  if (const ButtonMessages* messages = buttonMessages(code)) {
    postButton(target, *messages, static_cast<std::int32_t>(action), point);
  }
  if (code == 2) post(target, WM_CONTEXTMENU, kContextMenuWParam, shiftedPoint);
}

}  // namespace

std::uint32_t packPoint(std::int32_t x, std::int32_t y) {
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(x) +
                                    static_cast<std::int64_t>(y) * 65536);
}

// A missing link ends the chain: FindWindowExA with a null parent would search the top-level
// windows instead and could pick some other program's list.
HWND desktopIconList() {
  HWND programManager = FindWindowA("Progman", "Program Manager");
  if (programManager == nullptr) return nullptr;
  HWND shellView = FindWindowExA(programManager, nullptr, "SHELLDLL_DefView", nullptr);
  if (shellView == nullptr) return nullptr;
  return FindWindowExA(shellView, nullptr, "SysListView32", nullptr);
}

void postMouse(HWND target, std::optional<std::int32_t> x, std::optional<std::int32_t> y,
               MouseButton button, MouseAction action) {
  if (target == nullptr) target = GetDesktopWindow();
  postSequence(target, x.value_or(kDefaultPoint), y.value_or(kDefaultPoint), button, action);
}

void postMouseAt(HWND target, std::optional<std::int32_t> x, std::optional<std::int32_t> y,
                 MouseButton button, MouseAction action) {
  if (target == nullptr) target = desktopIconList();
  const ClientPoint cursor = cursorInClient(target);
  postSequence(target, x.value_or(cursor.x), y.value_or(cursor.y), button, action);
}

}  // namespace brindel
