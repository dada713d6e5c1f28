#include "ui/control_view.h"

#include <commctrl.h>

#include <climits>
#include <utility>

#include "ui/control_table.h"

namespace brindel {
namespace {

Text windowText(HWND control) {
  const int capacity = GetWindowTextLengthA(control);
  if (capacity <= 0) return {};
  Text text(static_cast<size_t>(capacity) + 1, '\0');
  const int length = GetWindowTextA(control, text.data(), capacity + 1);
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

bool extends(const Text& text, const Text& prefix) {
  return text.size() > prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// Appends at the end without re-wrapping what is already there; no undo is kept, which
// would otherwise hold a copy of every name.
void appendInPlace(HWND box, const char* tail) {
  SendMessageA(box, EM_SETSEL, INT_MAX, INT_MAX);
  SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(tail));
}

int logColumnCount(HWND list) {
  const auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int logRowCount(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

void setRowState(HWND list, int row, UINT state, UINT mask) {
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

ControlView::ControlView(std::function<bool()> isStopped) : isStopped_(std::move(isStopped)) {}

void ControlView::attach(HWND window, const ControlHandles& controls) {
  window_ = window;
  controls_ = controls;
}

void ControlView::detach() {
  window_ = nullptr;
  controls_.fill(nullptr);
}

bool ControlView::attached() const {
  return window_ != nullptr && IsWindow(window_);
}

HWND ControlView::handle(ControlId control) const {
  return attached() ? controls_[indexOf(control)] : nullptr;
}

void ControlView::enable(ControlId control, bool enabled) {
  if (HWND target = handle(control)) EnableWindow(target, enabled ? TRUE : FALSE);
}

void ControlView::setWindowTopmost(bool topmost) {
  if (!attached()) return;
  SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool ControlView::isStopped() {
  return isStopped_ && isStopped_();
}

void ControlView::setTimerPeriod(std::int32_t milliseconds) {
  const std::int32_t period = milliseconds < 0 ? 0 : milliseconds;
  if (period == timerPeriod_ || !attached()) return;
  if (timerPeriod_ > 0) KillTimer(window_, kReceptionTimerId);
  timerPeriod_ = period;
  if (period > 0) SetTimer(window_, kReceptionTimerId, static_cast<UINT>(period), nullptr);
}

Text ControlView::readText(ControlId control) {
  HWND target = handle(control);
  return target ? windowText(target) : Text();
}

void ControlView::writeText(ControlId control, const Text& text) {
  HWND target = handle(control);
  if (target == nullptr) return;
  if (specOf(control).kind == ControlKind::HistoryBox) return writeHistory(target, text);
  SetWindowTextA(target, text.c_str());
}

// The history only grows between stops; writing it whole each time re-wraps all of it, so
// a write that extends the current text appends just the new part.
void ControlView::writeHistory(HWND box, const Text& text) {
  const Text current = windowText(box);
  if (text == current) return;
  if (extends(text, current)) return appendInPlace(box, text.c_str() + current.size());
  SetWindowTextA(box, text.c_str());
}

bool ControlView::isChecked(ControlId checkBox) {
  HWND target = handle(checkBox);
  return target && SendMessageA(target, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::int32_t ControlView::appendLogRow() {
  HWND list = logList();
  if (list == nullptr) return 0;
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = logRowCount(list);
  item.pszText = const_cast<char*>("");
  const int row =
      static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return item.iItem;
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  setRowState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  setRowState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  return row;
}

void ControlView::setLogCell(std::int32_t row, std::int32_t column, const Text& text) {
  HWND list = logList();
  if (list == nullptr || row < 0 || column < 0) return;
  if (row >= logRowCount(list) || column >= logColumnCount(list)) return;
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace brindel
