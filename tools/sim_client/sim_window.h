#pragma once
// The simulated client's two windows: the channel window (chat, chat input) and its context
// menu, kept for the life of the program and only shown and hidden: a menu made anew on each
// right click lets a fast caller find the old, dying one by class and title.

#include <windows.h>

#include <cstddef>
#include <vector>

#include "tools/sim_client/scenario.h"
#include "tools/sim_client/transcript.h"

namespace brindel::sim {

// A GDI object deleted when the owner goes.
class ScopedFont {
 public:
  explicit ScopedFont(HFONT font) : font_(font) {}
  ~ScopedFont() {
    if (font_) DeleteObject(font_);
  }
  ScopedFont(const ScopedFont&) = delete;
  ScopedFont& operator=(const ScopedFont&) = delete;
  HFONT get() const { return font_; }

 private:
  HFONT font_;
};

class SimClient {
 public:
  SimClient(Scenario scenario, HINSTANCE instance);
  // False when the windows could not be made.
  bool open(int showCommand);

 private:
  enum class CopyStage { Idle, AllSelected, Armed };
  struct MenuShape {
    int width;
    int height;
    int firstRow;   // the row under the layout's first pick
    int secondRow;  // the row under its second pick
    int rowTop;
    int rowHeight;
  };

  static LRESULT CALLBACK channelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK menuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static SimClient* owner(HWND window);

  LRESULT onChannelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool onKey(UINT message, WPARAM key);
  void onChar(WPARAM code);
  void onChannelClick(POINT point);
  void onMenuClick(POINT point);

  void preload();
  void deliverDueEvents();
  void appendChat(const Text& line);
  void openMenu();
  void hideMenu();
  MenuShape nextMenuShape();
  void copyChat();
  void sendInputLine();

  void paintChannel(HDC dc) const;
  void paintMenu(HDC dc) const;
  void invalidate() const;

  Scenario scenario_;
  HINSTANCE instance_;
  Transcript transcript_;
  ScopedFont font_;
  HWND channel_ = nullptr;
  HWND menu_ = nullptr;

  std::vector<Text> chat_;
  std::size_t nextEvent_ = 0;
  Text input_;
  bool inputFocused_ = false;
  bool controlDown_ = false;  // judged by the order of key events, not by GetKeyState
  CopyStage copyStage_ = CopyStage::Idle;
  MenuShape menuShape_{};
  int menusOpened_ = 0;
};

}  // namespace brindel::sim
