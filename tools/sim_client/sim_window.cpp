#include "tools/sim_client/sim_window.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "automation/scoped_win.h"
#include "engine/client_contract.h"
#include "engine/gbk.h"

namespace brindel::sim {
namespace {

constexpr char kMenuWindowClass[] = "QPopup";
constexpr int kClientWidth = 1000;
constexpr int kClientHeight = 820;
constexpr RECT kChatArea{10, 40, 990, 735};
constexpr RECT kInputArea{10, 745, 990, 790};
constexpr UINT_PTR kScheduleTimer = 1;
constexpr UINT kScheduleTickMs = 10;
constexpr int kLineHeight = 18;
constexpr int kWrongMenuHeight = 170;

bool contains(const RECT& area, POINT point) {
  return point.x >= area.left && point.x < area.right && point.y >= area.top &&
         point.y < area.bottom;
}

POINT pointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

Text channelTitle(const Scenario& scenario) {
  return scenario.channel + " (" + scenario.room + gbk(u8") - 语音频道");
}

// Row labels of the two menu layouts; the rows under the contract's picks are the ones the
// copy needs, the rest only look like a menu.
const char8_t* const kShortMenuRows[] = {u8"发送文件", u8"清屏",     u8"查找", u8"复制",
                                         u8"全选",     u8"保存记录", u8"设置"};
const char8_t* const kTallMenuRows[] = {u8"发送文件", u8"清屏",     u8"复制", u8"查找",
                                        u8"全选",     u8"保存记录", u8"字体", u8"设置"};

}  // namespace

SimClient::SimClient(Scenario scenario, HINSTANCE instance)
    : scenario_(std::move(scenario)),
      instance_(instance),
      transcript_(scenario_.transcriptPath),
      font_(CreateFontA(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                        "WenQuanYi Micro Hei")) {
  std::stable_sort(scenario_.events.begin(), scenario_.events.end(),
                   [](const ChatEvent& a, const ChatEvent& b) { return a.atMs < b.atMs; });
}

bool SimClient::open(int showCommand) {
  WNDCLASSA channelClass{};
  channelClass.style = CS_DBLCLKS;
  channelClass.lpfnWndProc = channelProc;
  channelClass.hInstance = instance_;
  channelClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  channelClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  channelClass.lpszClassName = client::kChannelWindowClass;
  WNDCLASSA menuClass = channelClass;
  menuClass.style = CS_SAVEBITS;
  menuClass.lpfnWndProc = menuProc;
  menuClass.hbrBackground = GetSysColorBrush(COLOR_MENU);
  menuClass.lpszClassName = kMenuWindowClass;
  if (!RegisterClassA(&channelClass) || !RegisterClassA(&menuClass)) return false;

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, style, FALSE);
  channel_ = CreateWindowExA(0, client::kChannelWindowClass, channelTitle(scenario_).c_str(), style,
                             0, 0, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                             nullptr, instance_, this);
  if (!channel_) return false;
  menu_ = CreateWindowExA(WS_EX_TOOLWINDOW, kMenuWindowClass, gbk(client::kMenuTitle).c_str(),
                          WS_POPUP | WS_BORDER, 0, 0, 156, 158, channel_, nullptr, instance_, this);
  if (!menu_) return false;

  preload();
  ShowWindow(channel_, showCommand);
  UpdateWindow(channel_);
  SetTimer(channel_, kScheduleTimer, kScheduleTickMs, nullptr);
  return true;
}

SimClient* SimClient::owner(HWND window) {
  return reinterpret_cast<SimClient*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK SimClient::channelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  SimClient* self = owner(window);
  return self ? self->onChannelMessage(window, message, wParam, lParam)
              : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK SimClient::menuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  SimClient* self = owner(window);
  return self ? self->onMenuMessage(window, message, wParam, lParam)
              : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT SimClient::onChannelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kScheduleTimer) deliverDueEvents();
      return 0;
    case WM_LBUTTONDOWN:
      onChannelClick(pointOf(lParam));
      return 0;
    case WM_RBUTTONUP:
      inputFocused_ = false;
      if (contains(kChatArea, pointOf(lParam))) openMenu();
      invalidate();
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (onKey(message, wParam)) return 0;
      break;
    case WM_CHAR:
      onChar(wParam);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      paintChannel(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_CLOSE:
      transcript_.record("closed", {});
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kScheduleTimer);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT SimClient::onMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      onMenuClick(pointOf(lParam));
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      // The menu may hold the focus for a moment; the keys still belong to the channel.
      if (onKey(message, wParam)) return 0;
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      paintMenu(dc);
      EndPaint(window, &paint);
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool SimClient::onKey(UINT message, WPARAM key) {
  const bool down = message == WM_KEYDOWN;
  if (key == VK_CONTROL) {
    controlDown_ = down;
    return true;
  }
  if (down && key == static_cast<WPARAM>(client::kCopyKey) && controlDown_) {
    copyChat();
    return true;
  }
  if (down && key == static_cast<WPARAM>(client::kEnterKey)) {
    sendInputLine();
    return true;
  }
  return false;
}

void SimClient::onChar(WPARAM code) {
  if (!inputFocused_ || code < 0x20) return;  // control characters come from the keys above
  if (code <= 0xFF) {
    input_.push_back(static_cast<char>(code));  // a GBK lead byte is followed by its trail byte
  } else {
    const wchar_t wide = static_cast<wchar_t>(code);
    input_ += narrowGbk(&wide, 1);
  }
  invalidate();
}

void SimClient::onChannelClick(POINT point) {
  inputFocused_ = contains(kInputArea, point);
  SetFocus(channel_);
  invalidate();
}

void SimClient::onMenuClick(POINT point) {
  if (!IsWindowVisible(menu_)) return;  // only a menu that a right click opened takes a pick
  const int row =
      point.y < menuShape_.rowTop ? -1 : (point.y - menuShape_.rowTop) / menuShape_.rowHeight;
  if (row == menuShape_.firstRow) {
    copyStage_ = CopyStage::AllSelected;
  } else if (row == menuShape_.secondRow && copyStage_ != CopyStage::Idle) {
    copyStage_ = CopyStage::Armed;
  } else {
    copyStage_ = CopyStage::Idle;
  }
  hideMenu();
}

void SimClient::preload() {
  for (int i = 0; i < scenario_.preload; ++i) {
    const Text name = preloadName(i);
    chat_.push_back(noticeLine(name, scenario_.channel));
    transcript_.record("notice", name);
  }
}

void SimClient::deliverDueEvents() {
  const std::int64_t now = transcript_.elapsedMs();
  bool changed = false;
  for (; nextEvent_ < scenario_.events.size() && scenario_.events[nextEvent_].atMs <= now;
       ++nextEvent_) {
    const ChatEvent& event = scenario_.events[nextEvent_];
    appendChat(event.isNotice ? noticeLine(event.text, scenario_.channel) : event.text);
    transcript_.record(event.isNotice ? "notice" : "say", event.text);
    changed = true;
  }
  if (changed) invalidate();
  if (scenario_.closeAtMs && now >= *scenario_.closeAtMs) PostMessageA(channel_, WM_CLOSE, 0, 0);
}

void SimClient::appendChat(const Text& line) {
  chat_.push_back(line);
}

SimClient::MenuShape SimClient::nextMenuShape() {
  const auto shapeOf = [](const client::MenuLayout& layout, int rowTop, int rowHeight) {
    return MenuShape{layout.width,
                     layout.height,
                     (layout.firstPick.y - rowTop) / rowHeight,
                     (layout.secondPick.y - rowTop) / rowHeight,
                     rowTop,
                     rowHeight};
  };
  const MenuShape shortMenu = shapeOf(client::kMenuLayouts[0], 5, 20);
  const MenuShape tallMenu = shapeOf(client::kMenuLayouts[1], 0, 22);
  switch (scenario_.menu) {
    case MenuMode::Tall:
      return tallMenu;
    case MenuMode::Alternating:
      return menusOpened_ % 2 == 0 ? shortMenu : tallMenu;
    case MenuMode::WrongSize:
      return {shortMenu.width, kWrongMenuHeight, -1, -1, 5, 20};
    default:
      return shortMenu;
  }
}

void SimClient::openMenu() {
  if (scenario_.menu == MenuMode::Never || IsWindowVisible(menu_)) return;
  menuShape_ = nextMenuShape();
  ++menusOpened_;
  POINT place{client::kChatMenuPoint.x, client::kChatMenuPoint.y};
  ClientToScreen(channel_, &place);
  SetWindowPos(menu_, HWND_TOP, place.x, place.y, menuShape_.width, menuShape_.height,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(menu_, nullptr, TRUE);
  transcript_.record("menu",
                     std::to_string(menuShape_.width) + "x" + std::to_string(menuShape_.height));
}

void SimClient::hideMenu() {
  ShowWindow(menu_, SW_HIDE);
}

void SimClient::copyChat() {
  if (copyStage_ != CopyStage::Armed) return;
  copyStage_ = CopyStage::Idle;
  Text text;
  for (const Text& line : chat_) text += line + "\r\n";

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return;
  if (void* bytes = GlobalLock(block)) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
  }
  ScopedClipboard clipboard(channel_);
  // Once SetClipboardData succeeds the block belongs to the clipboard.
  if (!clipboard.isOpen() || !EmptyClipboard() || !SetClipboardData(CF_TEXT, block)) {
    GlobalFree(block);
    return;
  }
  transcript_.record("copy", std::to_string(text.size()));
}

void SimClient::sendInputLine() {
  if (input_.empty()) return;
  appendChat(gbk(u8"我：") + input_);
  transcript_.record("sent", input_);
  input_.clear();
  invalidate();
}

void SimClient::paintChannel(HDC dc) const {
  HGDIOBJ oldFont = SelectObject(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  const Text header = channelTitle(scenario_) + gbk(u8"    在线聊天");
  TextOutA(dc, kChatArea.left, 12, header.c_str(), static_cast<int>(header.size()));

  FillRect(dc, &kChatArea, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const int visibleLines = (kChatArea.bottom - kChatArea.top - 8) / kLineHeight;
  const std::size_t first =
      chat_.size() > static_cast<std::size_t>(visibleLines) ? chat_.size() - visibleLines : 0;
  int y = kChatArea.top + 4;
  for (std::size_t i = first; i < chat_.size(); ++i, y += kLineHeight) {
    TextOutA(dc, kChatArea.left + 6, y, chat_[i].c_str(), static_cast<int>(chat_[i].size()));
  }

  FillRect(dc, &kInputArea, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FrameRect(dc, &kInputArea,
            static_cast<HBRUSH>(GetStockObject(inputFocused_ ? BLACK_BRUSH : GRAY_BRUSH)));
  const Text shown = input_ + (inputFocused_ ? "|" : "");
  TextOutA(dc, kInputArea.left + 6, kInputArea.top + 14, shown.c_str(),
           static_cast<int>(shown.size()));
  SelectObject(dc, oldFont);
}

void SimClient::paintMenu(HDC dc) const {
  HGDIOBJ oldFont = SelectObject(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  const bool tall = menuShape_.height == client::kMenuLayouts[1].height;
  const auto* rows = tall ? std::begin(kTallMenuRows) : std::begin(kShortMenuRows);
  const auto count = tall ? std::size(kTallMenuRows) : std::size(kShortMenuRows);
  for (std::size_t row = 0; row < count; ++row) {
    const Text label = gbk(rows[row]);
    const int y = menuShape_.rowTop + static_cast<int>(row) * menuShape_.rowHeight + 2;
    if (y + menuShape_.rowHeight > menuShape_.height) break;
    TextOutA(dc, 24, y, label.c_str(), static_cast<int>(label.size()));
  }
  SelectObject(dc, oldFont);
}

void SimClient::invalidate() const {
  InvalidateRect(channel_, nullptr, TRUE);
}

}  // namespace brindel::sim
