#pragma once

#include <functional>
#include <memory>

#include "engine/clock_text.h"
#include "engine/ports.h"

namespace brindel {

// One tick of reception: copy the client's chat, greet every name not greeted before.
class ReceptionCycle {
 public:
  using Clock = std::function<ClockTime()>;

  // dispatchPending handles the window messages already queued (run between the steps of
  // the history test); now gives the time stamped into the log.
  ReceptionCycle(ReceptionViewPort& view, ClientAutomationPort& client,
                 std::function<void()> dispatchPending = {}, Clock now = localClockTime);
  ~ReceptionCycle();  // abandons a tick still running further up the stack
  ReceptionCycle(const ReceptionCycle&) = delete;
  ReceptionCycle& operator=(const ReceptionCycle&) = delete;

  void run();      // one timer tick; a tick that arrives inside a running cycle is dropped
  void abandon();  // the window is gone: the running cycle stops at its next step, for good

 private:
  class Tick;
  // Shared with a running tick, which can then see them even after this object is gone.
  struct Flags {
    bool running = false;
    bool abandoned = false;
  };

  ReceptionViewPort& view_;
  ClientAutomationPort& client_;
  std::function<void()> dispatchPending_;
  Clock now_;
  std::shared_ptr<Flags> flags_ = std::make_shared<Flags>();
};

}  // namespace brindel
