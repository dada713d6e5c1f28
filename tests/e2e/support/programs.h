#pragma once
// The two programs of an end-to-end run, each started as a user would start it and watched
// from outside: the simulated client through its transcript and its window, Brindel through
// its main window and its controls.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/controls.h"
#include "engine/text.h"
#include "support/child_process.h"

namespace brindel::e2e {

// UTF-8 text of a u8 literal, as the transcript holds it.
std::string utf8(std::u8string_view text);

// One line of the simulated client's transcript.
struct TranscriptEntry {
  std::int64_t ms = 0;  // since the client started
  std::string event;    // notice, say, menu, copy, sent, closed
  std::string text;     // UTF-8
};

class SimClientProgram {
 public:
  // Starts the client for the room with the options given (GBK); its transcript goes to a file
  // named after the test.
  SimClientProgram(const std::string& room, const std::vector<std::string>& options);

  // The channel window once it is up, or null when it did not come within the time.
  HWND waitForWindow(DWORD timeoutMs = 20000);
  std::vector<TranscriptEntry> transcript() const;
  std::vector<std::string> textsOf(const std::string& event) const;
  std::size_t countOf(const std::string& event) const { return textsOf(event).size(); }
  // Waits until the transcript holds at least count entries of the event.
  bool waitFor(const std::string& event, std::size_t count, DWORD timeoutMs) const;
  ChildProcess& process() { return process_; }

 private:
  std::string transcriptPath_;
  ChildProcess process_;
};

class BrindelProgram {
 public:
  // Starts brindel.exe, dismisses its start-up notice and waits for its main window.
  BrindelProgram();

  HWND window() const { return window_; }
  HWND control(ControlId control) const;
  void setText(ControlId control, const Text& text) const;
  void click(ControlId control) const;  // BM_CLICK, as a mouse click on a button or a check box
  // The room number typed, the greeting switch ticked and the start button pressed.
  void startReception(const std::string& room) const;
  int logRowCount() const;
  // Whether the main window handles a message sent to it within the time.
  bool answers(DWORD timeoutMs) const;
  ChildProcess& process() { return process_; }

 private:
  ChildProcess process_;
  HWND window_ = nullptr;
};

// A room number of its own for each test, so that a client left over from another test is
// never found.
std::string freshRoomNumber();

// The greeting Brindel sends by default for the name (UTF-8).
std::string greetingFor(std::u8string_view name);

}  // namespace brindel::e2e
