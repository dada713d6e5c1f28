#include "ui/startup.h"

#include <shellapi.h>

#include "automation/message_pump.h"
#include "engine/gbk.h"
#include "ui/main_window.h"

namespace brindel {

void showStartupNotice() {
  MessageBoxA(nullptr, gbk(kNoticeText).c_str(), gbk(kNoticeTitle).c_str(), MB_OK | MB_TASKMODAL);
  // Without a browser or a network the page just does not open; start-up goes on.
  ShellExecuteA(nullptr, "open", gbk(kAdvertAddress).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void runMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) handleMessage(message);
}

int runProgram(HINSTANCE instance, ClientAutomationPort& client) {
  MainWindow window(client);
  if (!window.create(instance)) {
    MessageBoxA(nullptr, gbk(u8"主窗口无法创建，程序结束。").c_str(), gbk(u8"Brindel 错误").c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return -1;
  }
  window.setClosedHandler([] { PostQuitMessage(0); });
  showStartupNotice();
  window.show();
  runMessageLoop();
  return 0;
}

}  // namespace brindel
