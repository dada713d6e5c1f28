// sim_client: a stand-in for the voice-chat client that Brindel drives, for tests and demos.
// Usage: sim_client [--room NUMBER] [--channel NAME] [--menu 158|188|alternate|never|wrong]
//                   [--notice MS:NAME]... [--say MS:TEXT]... [--preload COUNT]
//                   [--scenario FILE] [--transcript FILE] [--close-at MS]

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/sim_client/sim_window.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  brindel::sim::ScenarioResult parsed = brindel::sim::parseCommandLine(arguments);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "sim_client: %s\n", parsed.error.c_str());
    return 2;
  }
  brindel::sim::SimClient client(std::move(parsed.scenario), GetModuleHandleA(nullptr));
  if (!client.open(SW_SHOWNORMAL)) {
    std::fprintf(stderr, "sim_client: cannot create its windows\n");
    return 1;
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
