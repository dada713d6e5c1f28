#pragma once
// ReceptionViewPort on the main window's controls. Once the window is gone (detach) every
// operation does nothing and reads come back empty, so a cycle resumed after its wait
// never touches a destroyed control.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

#include "engine/controls.h"
#include "engine/ports.h"

namespace brindel {

using ControlHandles = std::array<HWND, kControlCount>;

inline constexpr UINT_PTR kReceptionTimerId = 1;

class ControlView : public ReceptionViewPort {
 public:
  explicit ControlView(std::function<bool()> isStopped);

  void attach(HWND window, const ControlHandles& controls);
  void detach();
  bool attached() const;

  HWND window() const { return window_; }
  HWND handle(ControlId control) const;
  std::int32_t timerPeriod() const { return timerPeriod_; }

  void enable(ControlId control, bool enabled);
  void setWindowTopmost(bool topmost);

  bool isStopped() override;
  void setTimerPeriod(std::int32_t milliseconds) override;
  Text readText(ControlId control) override;
  void writeText(ControlId control, const Text& text) override;
  bool isChecked(ControlId checkBox) override;
  std::int32_t appendLogRow() override;
  void setLogCell(std::int32_t row, std::int32_t column, const Text& text) override;

 private:
  void writeHistory(HWND box, const Text& text);
  HWND logList() const { return handle(ControlId::超级列表框1); }

  std::function<bool()> isStopped_;
  HWND window_ = nullptr;
  ControlHandles controls_{};
  std::int32_t timerPeriod_ = 0;
};

}  // namespace brindel
