#include "tools/sim_client/transcript.h"

#include <windows.h>

#include <cstdio>

#include "engine/gbk.h"

namespace brindel::sim {
namespace {

std::string utf8FromGbk(const Text& text) {
  const std::wstring wide = widenGbk(text);
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

std::string localTimeText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", now.wHour, now.wMinute, now.wSecond,
                now.wMilliseconds);
  return text;
}

}  // namespace

Transcript::Transcript(const std::string& path) : startTicks_(GetTickCount64()) {
  if (!path.empty()) file_.open(path, std::ios::binary | std::ios::trunc);
}

std::int64_t Transcript::elapsedMs() const {
  return static_cast<std::int64_t>(GetTickCount64() - startTicks_);
}

void Transcript::record(const char* event, const Text& gbkText) {
  if (!file_.is_open()) return;
  // Flushed at once: the readers look at the file while the client runs, and it may be killed.
  file_ << elapsedMs() << '\t' << localTimeText() << '\t' << event << '\t' << utf8FromGbk(gbkText)
        << '\n'
        << std::flush;
}

}  // namespace brindel::sim
