#pragma once
// Owner of a GDI font the program creates; stock objects are never wrapped.

#include <windows.h>

namespace brindel {

class ScopedFont {
 public:
  explicit ScopedFont(HFONT font = nullptr) : font_(font) {}
  ~ScopedFont() { reset(); }
  ScopedFont(const ScopedFont&) = delete;
  ScopedFont& operator=(const ScopedFont&) = delete;

  HFONT get() const { return font_; }
  void reset(HFONT font = nullptr) {
    if (font_) DeleteObject(font_);
    font_ = font;
  }

 private:
  HFONT font_;
};

}  // namespace brindel
