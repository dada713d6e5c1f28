#pragma once
// Recording fakes of the reception cycle's two ports. Both write every call, in order, into
// one shared CallLog as "operation(arguments)", so a test sees the main window's and the
// client's calls interleaved. Texts appear as their raw (GBK) bytes, controls by name.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ports.h"

namespace brindel::fakes {

class CallLog {
 public:
  void add(std::string call) { calls_.push_back(std::move(call)); }
  const std::vector<std::string>& all() const { return calls_; }
  // The calls of these operations only / of all other operations, in order.
  std::vector<std::string> only(std::initializer_list<std::string_view> operations) const;
  std::vector<std::string> except(std::initializer_list<std::string_view> operations) const;
  std::size_t count(std::string_view operation) const;

 private:
  std::vector<std::string> calls_;
};

// The main window: texts, check boxes, the timer period and the log list, all open to the
// test, which may also change them from inside a wait (as the user would).
class FakeView : public ReceptionViewPort {
 public:
  static constexpr std::size_t kColumns = 5;
  using Row = std::array<Text, kColumns>;

  explicit FakeView(CallLog& log) : log_(log) {}

  bool stopped = false;
  std::int32_t timerPeriod = 0;
  std::map<ControlId, Text> texts;
  std::set<ControlId> checked;
  std::vector<Row> rows;

  std::vector<std::int32_t> periodsSet() const;  // every setTimerPeriod, in order

  bool isStopped() override;
  void setTimerPeriod(std::int32_t milliseconds) override;
  Text readText(ControlId control) override;
  void writeText(ControlId control, const Text& text) override;
  bool isChecked(ControlId checkBox) override;
  std::int32_t appendLogRow() override;
  void setLogCell(std::int32_t row, std::int32_t column, const Text& text) override;

 private:
  CallLog& log_;
  std::vector<std::int32_t> periods_;
};

// The voice-chat client as the cycle expects it: a channel window whose title holds the
// room number, and a context menu that opens after a number of right clicks at the chat's
// menu point, in a given size, and closes when one of its items is clicked.
class FakeClient : public ClientAutomationPort {
 public:
  static constexpr WindowHandle kChannel = 7;
  static constexpr WindowHandle kMenu = 9;

  explicit FakeClient(CallLog& log) : log_(log) {}

  std::optional<Text> channelTitle = "Channel 1234";  // nullopt: the client is not running
  int rightClicksPerMenu = 1;                         // 0: the menu never opens
  int menuOpenings = -1;                              // how often it opens at all; -1: always
  WindowBox menuBox{300, 200, 156, 158};
  Text clipboard;
  // Runs inside every pumpWait, standing for the messages that the wait dispatches.
  std::function<void(std::int32_t milliseconds)> whileWaiting;

  std::int32_t totalWaitMs() const { return totalWaitMs_; }

  WindowHandle findWindowByTitlePart(const Text& titlePart, const Text& className) override;
  WindowHandle findTopWindow(const Text& className, const Text& title) override;
  void setTopmost(WindowHandle window, bool topmost = false) override;
  WindowBox windowBox(WindowHandle window) override;
  void postMouse(WindowHandle target, std::int32_t x, std::int32_t y, MouseButton button,
                 MouseAction action) override;
  void postMouseAt(WindowHandle target, std::int32_t x, std::int32_t y) override;
  void pressChord(std::int32_t key, std::int32_t modifier1) override;
  Text clipboardText() override;
  void typeText(WindowHandle window, const Text& text) override;
  void sendKey(WindowHandle window, std::int32_t key) override;
  void pumpWait(std::int32_t milliseconds) override;

 private:
  CallLog& log_;
  int rightClicks_ = 0;
  bool menuOpen_ = false;
  std::int32_t totalWaitMs_ = 0;
};

std::string controlName(ControlId control);  // UTF-8, for readable logs

}  // namespace brindel::fakes
