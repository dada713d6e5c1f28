#include "test_windows.h"

#include <atomic>
#include <utility>

namespace brindel::test_support {
namespace {

constexpr UINT kMarker = WM_APP + 0x2A;

bool isRecorded(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_CONTEXTMENU ||
         message == WM_CHAR || message == WM_KEYDOWN || message == WM_KEYUP ||
         message == WM_SETFOCUS;
}

void registerClass(const std::string& name, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = name.c_str();
  RegisterClassA(&windowClass);
}

DWORD foldSides(DWORD key) {
  switch (key) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
    default:
      return key;
  }
}

std::atomic<KeyRecorder*> activeRecorder{nullptr};

}  // namespace

std::string uniqueClassName(const std::string& stem) {
  static std::atomic<int> counter{0};
  return "BrindelTest_" + stem + "_" + std::to_string(GetCurrentProcessId()) + "_" +
         std::to_string(counter++);
}

PlainWindow::PlainWindow(const std::string& className, Options options) {
  registerClass(className, DefWindowProcA);
  const RECT& r = options.place;
  hwnd_ = CreateWindowExA(options.exStyle, className.c_str(), options.title.c_str(), options.style,
                          r.left, r.top, r.right - r.left, r.bottom - r.top, options.parent,
                          nullptr, GetModuleHandleA(nullptr), nullptr);
}

PlainWindow::~PlainWindow() {
  destroy();
}

void PlainWindow::destroy() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

RecordingWindow::RecordingWindow(Options options) : className_(uniqueClassName("Recording")) {
  std::unique_lock lock(mutex_);
  thread_ = std::thread([this, options] { run(options); });
  changed_.wait(lock, [this] { return threadId_ != 0; });
}

RecordingWindow::~RecordingWindow() {
  PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  thread_.join();
}

void RecordingWindow::run(Options options) {
  registerClass(className_, procedure);
  const RECT& r = options.place;
  HWND window =
      CreateWindowExA(0, className_.c_str(), "recording", WS_POPUP, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  if (options.visible) ShowWindow(window, SW_SHOWNORMAL);
  {
    std::lock_guard lock(mutex_);
    hwnd_ = window;
    threadId_ = GetCurrentThreadId();
  }
  changed_.notify_all();
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

LRESULT CALLBACK RecordingWindow::procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr && (isRecorded(message) || message == kMarker)) {
    self->record({message, wParam, lParam});
    if (message != WM_SETFOCUS) return 0;
  }
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

void RecordingWindow::record(const RecordedMessage& message) {
  {
    std::lock_guard lock(mutex_);
    if (message.message == kMarker) {
      ++markersSeen_;
    } else {
      messages_.push_back(message);
    }
  }
  changed_.notify_all();
}

std::vector<RecordedMessage> RecordingWindow::settle(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  const std::uint64_t marker = ++markersPosted_;
  PostMessageA(hwnd_, kMarker, 0, 0);
  changed_.wait_for(lock, timeout, [&] { return markersSeen_ >= marker; });
  return std::exchange(messages_, {});
}

bool RecordingWindow::waitFor(UINT message, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] {
    for (const RecordedMessage& m : messages_) {
      if (m.message == message) return true;
    }
    return false;
  });
}

std::vector<RecordedMessage> RecordingWindow::recorded() {
  std::lock_guard lock(mutex_);
  return messages_;
}

KeyRecorder::KeyRecorder() {
  std::unique_lock lock(mutex_);
  thread_ = std::thread([this] { run(); });
  changed_.wait(lock, [this] { return ready_; });
}

KeyRecorder::~KeyRecorder() {
  PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  thread_.join();
}

void KeyRecorder::run() {
  activeRecorder = this;
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, hookProcedure, GetModuleHandleA(nullptr), 0);
  {
    std::lock_guard lock(mutex_);
    threadId_ = GetCurrentThreadId();
    hook_ = hook;
    ready_ = true;
  }
  changed_.notify_all();
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  if (hook != nullptr) UnhookWindowsHookEx(hook);
  activeRecorder = nullptr;
}

LRESULT CALLBACK KeyRecorder::hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
  KeyRecorder* self = activeRecorder;
  const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  if (code == HC_ACTION && self != nullptr && (info->flags & LLKHF_INJECTED) != 0) {
    {
      std::lock_guard lock(self->mutex_);
      self->events_.push_back({foldSides(info->vkCode), (info->flags & LLKHF_UP) != 0,
                               (info->flags & LLKHF_EXTENDED) != 0, info->scanCode, info->time});
    }
    self->changed_.notify_all();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<KeyEvent> KeyRecorder::waitForCount(std::size_t count,
                                                std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout, [&] { return events_.size() >= count; });
  return events_;
}

std::vector<KeyEvent> KeyRecorder::events() {
  std::lock_guard lock(mutex_);
  return events_;
}

KeyEvent down(DWORD key) {
  return {key, false};
}
KeyEvent up(DWORD key) {
  return {key, true};
}

}  // namespace brindel::test_support
