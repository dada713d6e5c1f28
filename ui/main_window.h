#pragma once
// The program's only window: the controls of the control table, the timer that runs the
// reception cycle, the keys and mouse presses it looks at before dispatch, and the label
// triggers another program can send.

#include <windows.h>

#include <functional>
#include <utility>

#include "engine/ports.h"
#include "engine/reception_cycle.h"
#include "ui/base_window.h"
#include "ui/control_table.h"
#include "ui/control_view.h"
#include "ui/reception_switch.h"
#include "ui/scoped_gdi.h"

namespace brindel {

// The labels' feedback event: wParam and lParam are its two ignored arguments; result 0.
inline constexpr UINT kLabelFeedbackMessage = WM_APP + 0x75;
inline constexpr char kMainWindowClass[] = "BrindelWindow";
inline constexpr char kLabelClass[] = "BrindelLabel";

class MainWindow : public BaseWindow<MainWindow> {
 public:
  explicit MainWindow(ClientAutomationPort& client);
  ~MainWindow();

  // Creates the window hidden at its centred place with all its controls.
  bool create(HINSTANCE instance);
  void show();
  // Runs once the window is destroyed (the program ends its message loop there).
  void setClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }

  ControlView& view() { return view_; }
  ReceptionSwitch& receptionSwitch() { return switch_; }
  HWND control(ControlId id) const { return view_.handle(id); }

  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The look at each queued message before dispatch; true when the message is done with.
  bool preTranslate(MSG& message);
  // The feedback event reached a label; false when that label handles nothing.
  bool onLabelFeedback(HWND label);

 private:
  bool createControls();
  const ControlSpec* specOfWindow(HWND child) const;
  bool owns(HWND window) const;
  bool trigger(ControlRole role);
  bool handleKey(const MSG& message);
  bool handleButtonDown(const MSG& message);
  void pressDefaultButton();
  void moveFocus(bool backwards);
  LRESULT onCommand(WPARAM wParam, LPARAM lParam);
  void onDestroy();

  ScopedFont buttonFont_;
  ControlView view_;
  ReceptionSwitch switch_;
  ReceptionCycle cycle_;
  std::function<void()> closed_;
};

}  // namespace brindel
