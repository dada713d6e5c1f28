#include "ui/main_window.h"

#include <commctrl.h>

#include "automation/message_pump.h"
#include "engine/gbk.h"

namespace brindel {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr char kIconName[] = "BRINDEL";

struct KindStyle {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

KindStyle styleOf(ControlKind kind) {
  constexpr DWORD child = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::Label:
      return {kLabelClass, child | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY, 0};
    case ControlKind::EditBox:
      return {"EDIT", child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
      return {"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE,
              0};
    case ControlKind::PushButton:
      return {"BUTTON", child | WS_TABSTOP | BS_DEFPUSHBUTTON | BS_CENTER | BS_VCENTER, 0};
    case ControlKind::ReportList:
      return {WC_LISTVIEWA, child | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE};
    case ControlKind::HistoryBox:
      return {"EDIT", WS_CHILD | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL, 0};
    case ControlKind::Timer:
      break;
  }
  return {nullptr, 0, 0};
}

HFONT createButtonFont() {
  return CreateFontA(-16, 0, 0, 0, 700, FALSE, FALSE, FALSE, 134, 3, 2, 1, 0x31,
                     gbk(u8"楷体").c_str());
}

void addLogColumns(HWND list) {
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
               LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  for (int index = 0; index < static_cast<int>(kLogColumns.size()); ++index) {
    const Text title = gbk(kLogColumns[index].title);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = kLogColumns[index].width;
    column.pszText = const_cast<char*>(title.c_str());
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
  }
}

// What a kind needs beyond its styles: the font, no length limit, the log's columns.
void finishControl(HWND control, ControlKind kind, HFONT buttonFont) {
  const auto font = kind == ControlKind::PushButton && buttonFont
                        ? buttonFont
                        : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (kind == ControlKind::EditBox || kind == ControlKind::HistoryBox) {
    SendMessageA(control, EM_SETLIMITTEXT, 0, 0);
  }
  // Soft line breaks must never show up in the history's text.
  if (kind == ControlKind::HistoryBox) SendMessageA(control, EM_FMTLINES, FALSE, 0);
  if (kind == ControlKind::ReportList) addLogColumns(control);
}

HWND createControl(const ControlSpec& spec, HWND parent, HINSTANCE instance, HFONT buttonFont) {
  const KindStyle kind = styleOf(spec.kind);
  const DWORD disabled = spec.state == InitialState::Disabled ? WS_DISABLED : 0;
  HWND control = CreateWindowExA(
      kind.exStyle, kind.className, gbk(spec.text).c_str(), kind.style | disabled, spec.place.x,
      spec.place.y, spec.size.width, spec.size.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(childIdOf(spec.id))), instance, nullptr);
  if (control) finishControl(control, spec.kind, buttonFont);
  return control;
}

WNDPROC staticProcedure = nullptr;

// Labels are static texts with a window procedure of their own, so the feedback message is
// handled whether it is sent or posted.
LRESULT CALLBACK labelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kLabelFeedbackMessage) {
    MainWindow* owner = MainWindow::fromHandle(GetParent(label));
    if (owner && owner->onLabelFeedback(label)) return 0;
  }
  return CallWindowProcA(staticProcedure, label, message, wParam, lParam);
}

bool registerLabelClass(HINSTANCE instance) {
  WNDCLASSEXA label{};
  label.cbSize = sizeof label;
  if (GetClassInfoExA(instance, kLabelClass, &label)) return true;
  if (!GetClassInfoExA(nullptr, "STATIC", &label)) return false;
  staticProcedure = label.lpfnWndProc;
  label.cbSize = sizeof label;
  label.lpfnWndProc = labelProcedure;
  label.hInstance = instance;
  label.lpszClassName = kLabelClass;
  label.style = (label.style & ~CS_GLOBALCLASS) | CS_DBLCLKS;
  return RegisterClassExA(&label) != 0;
}

bool registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, kMainWindowClass, &existing)) return true;
  WNDCLASSEXA window{};
  window.cbSize = sizeof window;
  window.lpfnWndProc = procedure;
  window.hInstance = instance;
  window.hIcon = LoadIconA(instance, kIconName);
  window.hIconSm =
      static_cast<HICON>(LoadImageA(instance, kIconName, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), 0));
  window.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  window.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&window) != 0;
}

bool isHeld(int virtualKey) {
  return (GetKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

MainWindow::MainWindow(ClientAutomationPort& client)
    : view_([this] { return switch_.isStopped(); }),
      switch_(view_),
      cycle_(view_, client, [] { dispatchPending(); }) {}

MainWindow::~MainWindow() {
  setPreTranslateHook({});
  if (handle()) DestroyWindow(handle());
}

bool MainWindow::create(HINSTANCE instance) {
  if (!registerLabelClass(instance) || !registerWindowClass(instance, windowProcedure)) {
    return false;
  }
  buttonFont_.reset(createButtonFont());
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowSize.width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowSize.height) / 2;
  CreateWindowExA(0, kMainWindowClass, gbk(kWindowCaption).c_str(), kWindowStyle, left, top,
                  kWindowSize.width, kWindowSize.height, nullptr, nullptr, instance, this);
  if (!handle()) return false;
  setPreTranslateHook([this](MSG& message) { return preTranslate(message); });
  return true;
}

void MainWindow::show() {
  if (!handle()) return;
  ShowWindow(handle(), SW_SHOWNORMAL);
  UpdateWindow(handle());
  SetForegroundWindow(handle());
}

bool MainWindow::createControls() {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(handle(), GWLP_HINSTANCE));
  ControlHandles controls{};
  for (const ControlSpec& spec : kControlTable) {
    if (spec.kind == ControlKind::Timer) continue;
    controls[indexOf(spec.id)] = createControl(spec, handle(), instance, buttonFont_.get());
    if (!controls[indexOf(spec.id)]) return false;
  }
  view_.attach(handle(), controls);
  return true;
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return createControls() ? 0 : -1;
    case WM_CTLCOLORSTATIC: {
      const auto context = reinterpret_cast<HDC>(wParam);
      SetTextColor(context, RGB(0, 0, 0));
      SetBkColor(context, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_COMMAND:
      return onCommand(wParam, lParam);
    case WM_TIMER:
      if (wParam != kReceptionTimerId) break;
      cycle_.run();
      return 0;
    case WM_DESTROY:
      onDestroy();
      return 0;
  }
  return DefWindowProcA(handle(), message, wParam, lParam);
}

LRESULT MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
  const ControlSpec* spec = specOfWindow(reinterpret_cast<HWND>(lParam));
  const bool clickable =
      spec && (spec->kind == ControlKind::PushButton || spec->kind == ControlKind::CheckBox);
  if (clickable && HIWORD(wParam) == BN_CLICKED) trigger(spec->role);
  return 0;
}

// The window goes while a cycle may still wait inside one of its handlers: from here on the
// view touches nothing and the cycle stops at its next step.
void MainWindow::onDestroy() {
  view_.detach();
  cycle_.abandon();
  if (closed_) closed_();
}

const ControlSpec* MainWindow::specOfWindow(HWND child) const {
  if (child == nullptr || !handle() || GetParent(child) != handle()) return nullptr;
  const int index = GetDlgCtrlID(child) - kFirstChildId;
  if (index < 0 || index >= kControlCount) return nullptr;
  const ControlSpec& spec = kControlTable[index];
  return control(spec.id) == child ? &spec : nullptr;
}

bool MainWindow::owns(HWND window) const {
  return handle() && window && (window == handle() || IsChild(handle(), window));
}

bool MainWindow::trigger(ControlRole role) {
  switch (role) {
    case ControlRole::StartTrigger:
      switch_.startReception();
      return true;
    case ControlRole::StopTrigger:
      switch_.stopReception();
      return true;
    case ControlRole::AlwaysOnTop:
      switch_.applyAlwaysOnTop();
      return true;
    default:
      return false;
  }
}

bool MainWindow::onLabelFeedback(HWND label) {
  const ControlSpec* spec = specOfWindow(label);
  return spec && spec->kind == ControlKind::Label && trigger(spec->role);
}

bool MainWindow::preTranslate(MSG& message) {
  if (!owns(message.hwnd)) return false;
  switch (message.message) {
    case WM_KEYDOWN:
      return handleKey(message);
    case WM_LBUTTONDOWN:
      return handleButtonDown(message);
    case WM_LBUTTONDBLCLK: {
      // Recognised here rather than in the label, so a double click sent straight to the
      // label's procedure does not trigger; the label still receives it.
      const ControlSpec* spec = specOfWindow(message.hwnd);
      if (spec && spec->kind == ControlKind::Label) trigger(spec->role);
      return false;
    }
  }
  return false;
}

bool MainWindow::handleKey(const MSG& message) {
  switch (message.wParam) {
    case VK_ESCAPE:
      SendMessageA(handle(), WM_CLOSE, 0, 0);
      return true;
    case VK_RETURN:
      pressDefaultButton();
      return true;
    case VK_TAB:
      moveFocus(isHeld(VK_SHIFT));
      return true;
  }
  return false;
}

// Pressing the background or a label moves the window as its title bar would. A press that
// was only posted has no button to let go of, which would leave the move loop waiting, so
// only a press of the real button starts the move.
bool MainWindow::handleButtonDown(const MSG& message) {
  const ControlSpec* spec = specOfWindow(message.hwnd);
  const bool draggable = message.hwnd == handle() || (spec && spec->kind == ControlKind::Label);
  if (!draggable) return false;
  if (isHeld(VK_LBUTTON)) {
    ReleaseCapture();
    SendMessageA(handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(message.pt.x, message.pt.y));
  }
  return true;
}

// Enter presses the focused default button when it is enabled, else the first enabled one
// in table order; the focus stays where it is.
void MainWindow::pressDefaultButton() {
  auto pressable = [this](HWND window) {
    const ControlSpec* spec = specOfWindow(window);
    return spec && spec->kind == ControlKind::PushButton && IsWindowEnabled(window);
  };
  HWND button = GetFocus();
  if (!pressable(button)) {
    button = nullptr;
    for (const ControlSpec& spec : kControlTable) {
      if (pressable(control(spec.id))) {
        button = control(spec.id);
        break;
      }
    }
  }
  if (button == nullptr) return;
  SendMessageA(handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void MainWindow::moveFocus(bool backwards) {
  HWND next = GetNextDlgTabItem(handle(), GetFocus(), backwards ? TRUE : FALSE);
  if (next) SetFocus(next);
}

}  // namespace brindel
