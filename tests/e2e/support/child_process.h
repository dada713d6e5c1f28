#pragma once
// Programs that an end-to-end test starts: each owned by its handle and ended by it when the
// test is done, whatever state the test left it in.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "automation/scoped_win.h"

namespace brindel::e2e {

// "Z:\..." for a path of the machine that runs Wine; Windows programs see it so.
std::string windowsPath(const std::string& unixPath);

// The arguments quoted for CreateProcessA.
std::string commandLine(const std::string& program, const std::vector<std::string>& arguments);

// Polls the condition until it holds or the time is up; true when it held.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 50);

class ChildProcess {
 public:
  ChildProcess() = default;
  // Starts the program; valid() tells whether it runs. output, when given, receives its
  // standard output and error.
  explicit ChildProcess(const std::string& commandLine, HANDLE output = nullptr);
  ~ChildProcess();
  ChildProcess(ChildProcess&&) = default;
  ChildProcess& operator=(ChildProcess&&) = default;

  bool valid() const { return process_.valid(); }
  DWORD id() const { return id_; }
  bool running() const;
  bool waitForExit(DWORD timeoutMs) const;
  // STILL_ACTIVE while it runs.
  DWORD exitCode() const;
  void terminate();

 private:
  ScopedHandle process_;
  DWORD id_ = 0;
};

struct CommandResult {
  bool finished = false;  // false when it did not end in time (it is then terminated)
  DWORD exitCode = 0;
  std::string output;  // standard output and error together
};

// Runs a console program to its end, within the timeout.
CommandResult runCommand(const std::string& commandLine, const std::string& outputPath,
                         DWORD timeoutMs);

// Top-level windows of a process whose class is className (any when null).
std::vector<HWND> topWindowsOf(DWORD processId, const char* className = nullptr);
std::string windowText(HWND window);

}  // namespace brindel::e2e
