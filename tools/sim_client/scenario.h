#pragma once
// What the simulated client does and when: its room, its menu's behaviour, the chat lines
// that arrive over time and the faults it shows, read from the command line and a scenario file.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/text.h"

namespace brindel::sim {

enum class MenuMode { Short, Tall, Alternating, Never, WrongSize };

struct ChatEvent {
  std::int64_t atMs = 0;  // since the client started
  bool isNotice = false;  // an entry notice for name; otherwise a plain chat line
  Text text;              // GBK: the entrant's name or the whole line
};

struct Scenario {
  Text room = "12345678";
  Text channel;  // GBK; defaults to a channel name of its own
  MenuMode menu = MenuMode::Short;
  std::vector<ChatEvent> events;
  int preload = 0;  // notices shown at start, for names that repeat every 2000
  std::optional<std::int64_t> closeAtMs;
  std::string transcriptPath;
};

// Fails with a message for the user when an option or a scenario line is not understood.
struct ScenarioResult {
  Scenario scenario;
  std::string error;
};

ScenarioResult parseCommandLine(const std::vector<std::string>& arguments);

// One scenario line (UTF-8 already converted to GBK): "<ms> notice <name>", "<ms> say <text>",
// "room <number>", "channel <name>", "menu <mode>", "preload <n>", "close <ms>"; '#' starts a
// comment. Returns an error text, empty when the line was understood.
std::string applyScenarioLine(const Text& line, Scenario& scenario);

// The entry notice as the client shows it.
Text noticeLine(const Text& name, const Text& channel);

// Names of the preloaded notices: 2000 distinct ones, repeating.
Text preloadName(int index);

}  // namespace brindel::sim
