#pragma once

#include <functional>

#include "engine/ports.h"

namespace brindel {

// One tick of reception: copy the client's chat, greet every name not greeted before.
class ReceptionCycle {
 public:
  ReceptionCycle(ReceptionViewPort& view, ClientAutomationPort& client,
                 std::function<void()> dispatchPending = {});

  void run();      // one timer tick; a tick that arrives inside a running cycle is dropped
  void abandon();  // the window is gone: the running cycle stops at its next step

 private:
  ReceptionViewPort& view_;
  ClientAutomationPort& client_;
  std::function<void()> dispatchPending_;
};

}  // namespace brindel
