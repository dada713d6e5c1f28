#pragma once
// Turns reception on and off: the stopped flag the cycle asks about, the two buttons that
// show the state, and the always-on-top box.

#include <cstdint>

#include "ui/control_view.h"

namespace brindel {

class ReceptionSwitch {
 public:
  explicit ReceptionSwitch(ControlView& controls) : controls_(controls) {}

  void startReception();
  void stopReception();
  void applyAlwaysOnTop();
  bool isStopped() const { return stopped_ == 1; }

 private:
  ControlView& controls_;
  std::int32_t stopped_ = 0;
};

}  // namespace brindel
