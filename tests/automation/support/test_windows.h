#pragma once
// Windows of the tests' own for the automation to find, post to and type into, and a record
// of the synthetic keys that reach the system input stream.

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace brindel::test_support {

using namespace std::chrono_literals;

// A window class name no other test program or window of this one uses.
std::string uniqueClassName(const std::string& stem);

// A top-level window made on the calling thread, destroyed with its owner.
class PlainWindow {
 public:
  struct Options {
    std::string title;
    DWORD exStyle = 0;
    DWORD style = WS_POPUP;
    RECT place{900, 700, 1100, 800};  // away from the cursor
    HWND parent = nullptr;
  };
  PlainWindow(const std::string& className, Options options);
  ~PlainWindow();
  PlainWindow(const PlainWindow&) = delete;
  PlainWindow& operator=(const PlainWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  void destroy();

 private:
  HWND hwnd_ = nullptr;
};

struct RecordedMessage {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  bool operator==(const RecordedMessage&) const = default;
};

// A window on a thread of its own that records the mouse, key, character and focus messages
// it gets and answers them itself (DefWindowProc would turn a right button release into a
// context-menu message of its own).
class RecordingWindow {
 public:
  struct Options {
    bool visible = false;
    RECT place{900, 700, 1100, 800};
  };
  RecordingWindow() : RecordingWindow(Options{}) {}
  explicit RecordingWindow(Options options);
  ~RecordingWindow();
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  DWORD threadId() const { return threadId_; }
  // Everything recorded before a marker posted now, once the window has handled the marker;
  // the record starts again empty.
  std::vector<RecordedMessage> settle(std::chrono::milliseconds timeout = 5s);
  // Waits until a message of the kind has been recorded; false after the timeout.
  bool waitFor(UINT message, std::chrono::milliseconds timeout);
  std::vector<RecordedMessage> recorded();

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  void run(Options options);
  void record(const RecordedMessage& message);

  std::string className_;
  std::thread thread_;
  HWND hwnd_ = nullptr;
  DWORD threadId_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<RecordedMessage> messages_;
  std::uint64_t markersSeen_ = 0;
  std::uint64_t markersPosted_ = 0;
};

struct KeyEvent {
  DWORD key = 0;  // left and right variants of Shift, Ctrl and Alt folded to the plain code
  bool up = false;
  bool extended = false;
  DWORD scanCode = 0;
  DWORD time = 0;
  bool operator==(const KeyEvent& other) const { return key == other.key && up == other.up; }
};

// A low-level keyboard hook on a thread of its own: every injected key event, in order.
class KeyRecorder {
 public:
  KeyRecorder();
  ~KeyRecorder();
  KeyRecorder(const KeyRecorder&) = delete;
  KeyRecorder& operator=(const KeyRecorder&) = delete;

  bool installed() const { return hook_ != nullptr; }
  // The events so far, after waiting until there are at least count or the timeout passed.
  std::vector<KeyEvent> waitForCount(std::size_t count, std::chrono::milliseconds timeout = 3s);
  std::vector<KeyEvent> events();

 private:
  static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);
  void run();

  std::thread thread_;
  DWORD threadId_ = 0;
  HHOOK hook_ = nullptr;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<KeyEvent> events_;
  bool ready_ = false;
};

// Keys the tests press: F-keys no window of the test reacts to.
KeyEvent down(DWORD key);
KeyEvent up(DWORD key);

}  // namespace brindel::test_support
