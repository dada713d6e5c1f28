#pragma once
// The simulated client's record of what happened, one line per event, so that tests and the
// demo can check from outside what Brindel did and measure its delays:
//   <ms since start> TAB <local time hh:mm:ss.mmm> TAB <event> TAB <text, UTF-8>
// Events: notice (an entry notice shown; text = the name), say (another chat line shown),
// menu (the context menu opened; text = its outer size), copy (the chat copied; text = its
// size in bytes), sent (a line sent with Enter), closed (the window closed).

#include <cstdint>
#include <fstream>
#include <string>

#include "engine/text.h"

namespace brindel::sim {

class Transcript {
 public:
  // An empty path records nothing.
  explicit Transcript(const std::string& path);

  void record(const char* event, const Text& gbkText);
  std::int64_t elapsedMs() const;

 private:
  std::ofstream file_;
  std::uint64_t startTicks_;
};

}  // namespace brindel::sim
