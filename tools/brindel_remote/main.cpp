// brindel_remote: starts, stops or reports reception in the Brindel running on this desktop,
// through the feedback message of its trigger labels.
// Usage: brindel_remote start|stop|status
// Exit codes: 0 done, 1 no Brindel runs, 2 usage, 3 Brindel's window lacks the label,
// 4 Brindel did not answer in time.

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "tools/brindel_remote/brindel_window.h"

namespace {

constexpr UINT kAnswerTimeoutMs = 10000;  // a cycle waiting for the client's menu answers nothing

int usage() {
  std::fprintf(stderr, "usage: brindel_remote start|stop|status\n");
  return 2;
}

int sendFeedback(HWND mainWindow, brindel::ControlId label, const char* done) {
  HWND target = brindel::remote::findControl(mainWindow, label);
  if (!target) {
    std::fprintf(stderr, "brindel_remote: Brindel's window has no trigger label\n");
    return 3;
  }
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(target, brindel::remote::kLabelFeedbackMessage, 0, 0, SMTO_NORMAL,
                           kAnswerTimeoutMs, &result)) {
    std::fprintf(stderr, "brindel_remote: Brindel did not answer within %u ms\n", kAnswerTimeoutMs);
    return 4;
  }
  std::printf("%s\n", done);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return usage();
  const char* command = argv[1];
  const bool start = std::strcmp(command, "start") == 0;
  const bool stop = std::strcmp(command, "stop") == 0;
  const bool status = std::strcmp(command, "status") == 0;
  if (!start && !stop && !status) return usage();

  HWND mainWindow = brindel::remote::findBrindelWindow();
  if (!mainWindow) {
    std::fprintf(stderr,
                 "brindel_remote: Brindel is not running (no window captioned \"Brindel \")\n");
    return 1;
  }
  if (start) return sendFeedback(mainWindow, brindel::ControlId::标签1, "started");
  if (stop) return sendFeedback(mainWindow, brindel::ControlId::标签2, "stopped");
  std::printf("%s\n", brindel::remote::isReceptionRunning(mainWindow) ? "running" : "stopped");
  return 0;
}
