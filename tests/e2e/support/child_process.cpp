#include "support/child_process.h"

#include <fstream>
#include <iterator>

namespace brindel::e2e {

std::string windowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string commandLine(const std::string& program, const std::vector<std::string>& arguments) {
  std::string line = "\"" + program + "\"";
  for (const std::string& argument : arguments) line += " \"" + argument + "\"";
  return line;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(pollMs);
  }
  return true;
}

ChildProcess::ChildProcess(const std::string& commandLine, HANDLE output) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (output) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
  }
  PROCESS_INFORMATION started{};
  std::string line = commandLine;
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, output != nullptr, 0, nullptr, nullptr,
                     &startup, &started)) {
    process_ = ScopedHandle(started.hProcess);
    ScopedHandle thread(started.hThread);
    id_ = started.dwProcessId;
  }
}

ChildProcess::~ChildProcess() {
  terminate();
}

bool ChildProcess::running() const {
  return valid() && exitCode() == STILL_ACTIVE;
}

bool ChildProcess::waitForExit(DWORD timeoutMs) const {
  return valid() && WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::exitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

void ChildProcess::terminate() {
  if (!running()) return;
  TerminateProcess(process_.get(), 1);
  waitForExit(5000);
}

CommandResult runCommand(const std::string& commandLine, const std::string& outputPath,
                         DWORD timeoutMs) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  CommandResult result;
  {
    ScopedHandle output(CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ChildProcess process(commandLine, output.get());
    result.finished = process.waitForExit(timeoutMs);
    result.exitCode = process.exitCode();
  }
  std::ifstream file(outputPath, std::ios::binary);
  result.output.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return result;
}

std::string windowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::vector<HWND> topWindowsOf(DWORD processId, const char* className) {
  struct Search {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
  } search{processId, className, {}};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (owner == search.processId &&
            (!search.className || std::string(name) == search.className)) {
          search.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace brindel::e2e
