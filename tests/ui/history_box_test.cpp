// The greeted history's box: whatever is written is read back byte for byte, whether the
// write extends the text (appended in place) or not (replaced whole).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "engine/gbk.h"
#include "support/window_fixture.h"

namespace brindel::testing {
namespace {

class HistoryBox : public MainWindowTest {
 protected:
  void write(const Text& text) { window.view().writeText(ControlId::超级编辑框1, text); }
  Text read() { return window.view().readText(ControlId::超级编辑框1); }
};

TEST_F(HistoryBox, GrowingWritesReadBackExactly) {
  Text history;
  for (std::u8string_view name : {u8"张三", u8"bob", u8"李四 x", u8"乕"}) {
    history += gbk(name) + "\r\n";
    write(history);
    ASSERT_EQ(read(), history);
  }
}

TEST_F(HistoryBox, WritesThatDoNotExtendReplaceTheWholeText) {
  write("ABCD\r\nEF\r\n");
  write("ABCD\r\n");
  EXPECT_EQ(read(), "ABCD\r\n");
  write("XY\r\n");
  EXPECT_EQ(read(), "XY\r\n");
  write("XY\r\n");
  EXPECT_EQ(read(), "XY\r\n");
  write("");
  EXPECT_EQ(read(), "");
  write("Z\r\n");
  EXPECT_EQ(read(), "Z\r\n");
}

// The box is 40 pixels wide and wraps; its wrapping must never show in the text.
TEST_F(HistoryBox, WrappedLinesComeBackWithoutSoftBreaks) {
  const Text longName = gbk(u8"一个很长很长的名字") + std::string(200, 'w');
  write(longName + "\r\n");
  write(longName + "\r\n" + longName + "\r\n");
  EXPECT_EQ(read(), longName + "\r\n" + longName + "\r\n");
}

// The edit control's default limit is about 30,000 characters; appends go past it.
TEST_F(HistoryBox, AppendsGoBeyondTheEditControlsDefaultLimit) {
  Text history;
  for (int line = 0; line < 4000; ++line) history += "name" + std::to_string(line) + "\r\n";
  write(history);
  history += gbk(u8"最后一个") + "\r\n";
  write(history);
  EXPECT_EQ(read(), history);
}

double secondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

Text nameOf(int index) {
  char name[16];
  std::snprintf(name, sizeof name, "user%06d", index);
  return name;
}

// Run by hand: the history as the cycle uses it (one read and one write per greeted name)
// for 2,000 names of ten bytes, with the time of each quarter, and then the same texts
// written whole each time for comparison.
TEST_F(HistoryBox, DISABLED_Benchmark2000Names) {
  constexpr int kNames = 2000;
  LARGE_INTEGER start, quarter;
  QueryPerformanceCounter(&start);
  quarter = start;
  for (int index = 0; index < kNames; ++index) {
    write(read() + nameOf(index) + "\r\n");
    if ((index + 1) % (kNames / 4) == 0) {
      std::printf("names %4d-%4d: %.3f s\n", index + 1 - kNames / 4, index, secondsSince(quarter));
      QueryPerformanceCounter(&quarter);
    }
  }
  std::printf("%d names, %zu bytes, read and append: %.3f s\n", kNames, read().size(),
              secondsSince(start));

  QueryPerformanceCounter(&start);
  for (int index = 0; index < kNames; ++index) read();
  std::printf("%d reads of the full history: %.3f s\n", kNames, secondsSince(start));

  // Rewriting whole is quadratic: a quarter of the names keeps this part to seconds.
  write("");
  Text history;
  QueryPerformanceCounter(&start);
  for (int index = 0; index < kNames / 4; ++index) {
    history += nameOf(index) + "\r\n";
    SetWindowTextA(control(ControlId::超级编辑框1), history.c_str());
  }
  std::printf("%d names written whole each time: %.3f s\n", kNames / 4, secondsSince(start));
}

}  // namespace
}  // namespace brindel::testing
