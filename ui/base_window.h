#pragma once
// A window object reached from its HWND: the object's address travels in CREATESTRUCT at
// WM_NCCREATE and stays in GWLP_USERDATA until WM_NCDESTROY.

#include <windows.h>

namespace brindel {

template <typename Derived>
class BaseWindow {
 public:
  HWND handle() const { return window_; }

  // The object behind one of this class's windows; null once the window is gone.
  static Derived* fromHandle(HWND window) {
    if (window == nullptr) return nullptr;
    return reinterpret_cast<Derived*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }

 protected:
  BaseWindow() = default;
  ~BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) attach(window, lParam);
    Derived* self = fromHandle(window);
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
      return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
  }

 private:
  static void attach(HWND window, LPARAM lParam) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<Derived*>(create->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }

  HWND window_ = nullptr;
};

}  // namespace brindel
