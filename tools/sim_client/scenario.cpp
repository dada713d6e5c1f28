#include "tools/sim_client/scenario.h"

#include <charconv>
#include <fstream>

#include "engine/client_contract.h"
#include "engine/gbk.h"

namespace brindel::sim {
namespace {

std::optional<std::int64_t> readNumber(const std::string& text) {
  std::int64_t value = 0;
  const auto* end = text.data() + text.size();
  const auto [rest, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || rest != end || value < 0) return std::nullopt;
  return value;
}

std::optional<MenuMode> readMenuMode(const std::string& text) {
  if (text == "158") return MenuMode::Short;
  if (text == "188") return MenuMode::Tall;
  if (text == "alternate") return MenuMode::Alternating;
  if (text == "never") return MenuMode::Never;
  if (text == "wrong") return MenuMode::WrongSize;
  return std::nullopt;
}

// "MS:TEXT" as given to --notice and --say.
std::string addTimedEvent(const std::string& value, bool isNotice, Scenario& scenario) {
  const auto colon = value.find(':');
  const auto atMs = readNumber(value.substr(0, colon));
  if (colon == std::string::npos || !atMs) return "expected MS:TEXT, got '" + value + "'";
  scenario.events.push_back({*atMs, isNotice, value.substr(colon + 1)});
  return {};
}

std::string loadScenarioFile(const std::string& path, Scenario& scenario) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "cannot read scenario file " + path;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto utf8 =
        std::u8string_view(reinterpret_cast<const char8_t*>(line.data()), line.size());
    const std::string error = applyScenarioLine(gbk(utf8), scenario);
    if (!error.empty()) return path + ":" + std::to_string(number) + ": " + error;
  }
  return {};
}

std::string applyOption(const std::string& option, const std::string& value, Scenario& scenario) {
  if (option == "--room") {
    scenario.room = value;
  } else if (option == "--channel") {
    scenario.channel = value;
  } else if (option == "--menu") {
    const auto mode = readMenuMode(value);
    if (!mode) return "--menu takes 158, 188, alternate, never or wrong";
    scenario.menu = *mode;
  } else if (option == "--notice" || option == "--say") {
    return addTimedEvent(value, option == "--notice", scenario);
  } else if (option == "--preload") {
    const auto count = readNumber(value);
    if (!count) return "--preload takes a count";
    scenario.preload = static_cast<int>(*count);
  } else if (option == "--close-at") {
    scenario.closeAtMs = readNumber(value);
    if (!scenario.closeAtMs) return "--close-at takes milliseconds";
  } else if (option == "--transcript") {
    scenario.transcriptPath = value;
  } else if (option == "--scenario") {
    return loadScenarioFile(value, scenario);
  } else {
    return "unknown option " + option;
  }
  return {};
}

}  // namespace

ScenarioResult parseCommandLine(const std::vector<std::string>& arguments) {
  ScenarioResult result;
  result.scenario.channel = gbk(u8"大厅");
  for (size_t i = 0; i < arguments.size(); i += 2) {
    if (i + 1 >= arguments.size()) {
      result.error = "option " + arguments[i] + " needs a value";
      break;
    }
    result.error = applyOption(arguments[i], arguments[i + 1], result.scenario);
    if (!result.error.empty()) break;
  }
  return result;
}

std::string applyScenarioLine(const Text& line, Scenario& scenario) {
  const auto first = line.find_first_not_of(" \t");
  if (first == std::string::npos || line[first] == '#') return {};
  const auto keyEnd = line.find_first_of(" \t", first);
  const std::string key = line.substr(first, keyEnd - first);
  const auto valueStart =
      keyEnd == std::string::npos ? keyEnd : line.find_first_not_of(" \t", keyEnd);
  const std::string value = valueStart == std::string::npos ? "" : line.substr(valueStart);

  if (const auto atMs = readNumber(key)) {
    const auto kindEnd = value.find_first_of(" \t");
    const std::string kind = value.substr(0, kindEnd);
    const auto textStart =
        kindEnd == std::string::npos ? kindEnd : value.find_first_not_of(" \t", kindEnd);
    const std::string text = textStart == std::string::npos ? "" : value.substr(textStart);
    if (kind != "notice" && kind != "say")
      return "expected '<ms> notice <name>' or '<ms> say <text>'";
    scenario.events.push_back({*atMs, kind == "notice", text});
    return {};
  }
  if (key == "close") return applyOption("--close-at", value, scenario);
  if (key == "room" || key == "channel" || key == "menu" || key == "preload") {
    return applyOption("--" + key, value, scenario);
  }
  return "unknown scenario line '" + line + "'";
}

Text noticeLine(const Text& name, const Text& channel) {
  return gbk(client::kNoticeLeftMarker) + name + gbk(client::kNoticeRightMarker) + channel + "]";
}

Text preloadName(int index) {
  return gbk(u8"用户") + std::to_string(1000 + index % 2000);
}

}  // namespace brindel::sim
