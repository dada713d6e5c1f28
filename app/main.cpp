// brindel.exe: the main window wired to the desktop operations on the real client.

#include <windows.h>

#include <commctrl.h>

#include "automation/desktop_client.h"
#include "ui/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  brindel::DesktopClient client;
  return brindel::runProgram(instance, client);
}
