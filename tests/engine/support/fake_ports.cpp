#include "support/fake_ports.h"

#include <algorithm>
#include <iterator>

#include "engine/client_contract.h"
#include "engine/gbk.h"

namespace brindel::fakes {

namespace {

std::string_view operationOf(const std::string& call) {
  return std::string_view(call).substr(0, call.find('('));
}

bool isAmong(const std::string& call, std::initializer_list<std::string_view> operations) {
  return std::ranges::find(operations, operationOf(call)) != operations.end();
}

std::string joined(std::initializer_list<std::string> arguments) {
  std::string text;
  for (const std::string& argument : arguments) {
    if (!text.empty()) text += ',';
    text += argument;
  }
  return text;
}

std::string call(std::string_view operation, std::initializer_list<std::string> arguments = {}) {
  return std::string(operation) + "(" + joined(arguments) + ")";
}

std::string number(std::int64_t value) {
  return std::to_string(value);
}

}  // namespace

std::vector<std::string> CallLog::only(std::initializer_list<std::string_view> operations) const {
  std::vector<std::string> kept;
  std::ranges::copy_if(calls_, std::back_inserter(kept),
                       [&](const std::string& c) { return isAmong(c, operations); });
  return kept;
}

std::vector<std::string> CallLog::except(std::initializer_list<std::string_view> operations) const {
  std::vector<std::string> kept;
  std::ranges::copy_if(calls_, std::back_inserter(kept),
                       [&](const std::string& c) { return !isAmong(c, operations); });
  return kept;
}

std::size_t CallLog::count(std::string_view operation) const {
  return std::ranges::count_if(calls_,
                               [&](const std::string& c) { return operationOf(c) == operation; });
}

std::string controlName(ControlId control) {
  static constexpr std::u8string_view kNames[] = {
      u8"标签9",
      u8"标签1",
      u8"超级编辑框1",
      u8"选择框_置顶",
      u8"编辑框_频道1",
      u8"标签6",
      u8"标签5",
      u8"标签7",
      u8"标签8",
      u8"标签4",
      u8"标签3",
      u8"标签2",
      u8"选择框_接待语",
      u8"选择框4",
      u8"选择框3",
      u8"选择框2",
      u8"选择框1",
      u8"编辑框_接待内容4",
      u8"编辑框_接待内容3",
      u8"编辑框_接待内容2",
      u8"编辑框_接待内容1",
      u8"编辑框_接待内容后",
      u8"编辑框_接待内容前",
      u8"编辑框_频道",
      u8"超级列表框1",
      u8"按钮2",
      u8"按钮1",
      u8"时钟1",
  };
  static_assert(std::size(kNames) == kControlCount);
  const std::u8string_view name = kNames[static_cast<std::size_t>(control)];
  return std::string(name.begin(), name.end());
}

std::vector<std::int32_t> FakeView::periodsSet() const {
  return periods_;
}

bool FakeView::isStopped() {
  log_.add(call("isStopped"));
  return stopped;
}

void FakeView::setTimerPeriod(std::int32_t milliseconds) {
  log_.add(call("setTimerPeriod", {number(milliseconds)}));
  periods_.push_back(milliseconds);
  timerPeriod = milliseconds;
}

Text FakeView::readText(ControlId control) {
  log_.add(call("readText", {controlName(control)}));
  return texts[control];
}

void FakeView::writeText(ControlId control, const Text& text) {
  log_.add(call("writeText", {controlName(control), text}));
  texts[control] = text;
}

bool FakeView::isChecked(ControlId checkBox) {
  log_.add(call("isChecked", {controlName(checkBox)}));
  return checked.contains(checkBox);
}

std::int32_t FakeView::appendLogRow() {
  log_.add(call("appendLogRow"));
  rows.emplace_back();
  return static_cast<std::int32_t>(rows.size() - 1);
}

void FakeView::setLogCell(std::int32_t row, std::int32_t column, const Text& text) {
  log_.add(call("setLogCell", {number(row), number(column), text}));
  if (row >= 0 && static_cast<std::size_t>(row) < rows.size() && column >= 0 &&
      static_cast<std::size_t>(column) < kColumns) {
    rows[row][column] = text;
  }
}

WindowHandle FakeClient::findWindowByTitlePart(const Text& titlePart, const Text& className) {
  log_.add(call("findWindowByTitlePart", {titlePart, className}));
  const bool found = channelTitle && className == client::kChannelWindowClass &&
                     channelTitle->find(titlePart) != Text::npos;
  return found ? kChannel : 0;
}

WindowHandle FakeClient::findTopWindow(const Text& className, const Text& title) {
  log_.add(call("findTopWindow", {className, title}));
  const bool isMenu = className == client::kMenuClass && title == gbk(client::kMenuTitle);
  return isMenu && menuOpen_ ? kMenu : 0;
}

void FakeClient::setTopmost(WindowHandle window, bool topmost) {
  log_.add(topmost ? call("setTopmost", {number(window), "on"})
                   : call("setTopmost", {number(window)}));
}

WindowBox FakeClient::windowBox(WindowHandle window) {
  log_.add(call("windowBox", {number(window)}));
  return window == kMenu && menuOpen_ ? menuBox : WindowBox{};
}

void FakeClient::postMouse(WindowHandle target, std::int32_t x, std::int32_t y, MouseButton button,
                           MouseAction action) {
  log_.add(call("postMouse",
                {number(target), number(x), number(y), number(static_cast<std::int32_t>(button)),
                 number(static_cast<std::int32_t>(action))}));
  const bool opensMenu = target == kChannel && x == client::kChatMenuPoint.x &&
                         y == client::kChatMenuPoint.y && button == MouseButton::Right &&
                         action == MouseAction::Click;
  if (!opensMenu || menuOpen_ || rightClicksPerMenu <= 0 || menuOpenings == 0) return;
  if (++rightClicks_ < rightClicksPerMenu) return;
  rightClicks_ = 0;
  menuOpen_ = true;
  if (menuOpenings > 0) --menuOpenings;
}

void FakeClient::postMouseAt(WindowHandle target, std::int32_t x, std::int32_t y) {
  log_.add(call("postMouseAt", {number(target), number(x), number(y)}));
  if (target == kMenu) menuOpen_ = false;  // a click on an item closes the menu
}

void FakeClient::pressChord(std::int32_t key, std::int32_t modifier1) {
  log_.add(call("pressChord", {number(key), number(modifier1)}));
}

Text FakeClient::clipboardText() {
  log_.add(call("clipboardText"));
  return clipboard;
}

void FakeClient::typeText(WindowHandle window, const Text& text) {
  log_.add(call("typeText", {number(window), text}));
}

void FakeClient::sendKey(WindowHandle window, std::int32_t key) {
  log_.add(call("sendKey", {number(window), number(key)}));
}

void FakeClient::pumpWait(std::int32_t milliseconds) {
  log_.add(call("pumpWait", {number(milliseconds)}));
  totalWaitMs_ += milliseconds;
  if (whileWaiting) whileWaiting(milliseconds);
}

}  // namespace brindel::fakes
