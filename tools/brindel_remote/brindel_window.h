#pragma once
// Finding a running Brindel from another program: its main window by caption, its controls by
// their places in the window design (two hidden labels share the text "标签", so texts alone
// cannot tell them apart).

#include <windows.h>

#include "engine/controls.h"

namespace brindel::remote {

// The labels' feedback message: sent or posted to 标签1 it starts reception, to 标签2 it stops it.
inline constexpr UINT kLabelFeedbackMessage = 0x8075;

// The top-level window captioned "Brindel ", or null.
HWND findBrindelWindow();

// The child of the main window standing at the control's place with the control's size, or null.
HWND findControl(HWND mainWindow, ControlId control);

// Reception runs while the start button is disabled.
bool isReceptionRunning(HWND mainWindow);

}  // namespace brindel::remote
