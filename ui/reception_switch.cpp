#include "ui/reception_switch.h"

namespace brindel {

void ReceptionSwitch::startReception() {
  controls_.enable(ControlId::按钮1, false);
  controls_.enable(ControlId::按钮2, true);
  stopped_ = 0;
  controls_.setTimerPeriod(readInteger(controls_.readText(ControlId::编辑框_频道1)));
}

// The timer keeps ticking; each tick sees the flag and returns at once.
void ReceptionSwitch::stopReception() {
  controls_.enable(ControlId::按钮1, true);
  controls_.enable(ControlId::按钮2, false);
  stopped_ = 1;
  controls_.writeText(ControlId::超级编辑框1, Text());
}

void ReceptionSwitch::applyAlwaysOnTop() {
  controls_.setWindowTopmost(controls_.isChecked(ControlId::选择框_置顶));
}

}  // namespace brindel
