// extractBetween and escapePattern (Part 1.2), on the real "VBScript.RegExp".
#include "engine/extract.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/gbk.h"

namespace brindel {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

const Text kLeft = gbk(u8"通知： [");
const Text kRight = gbk(u8"] 进入 [");

Text notice(std::u8string_view name) {
  return kLeft + gbk(name) + kRight + gbk(u8"某频道]");
}

TEST(ExtractBetween, MarkersAreTheClientsBytes) {
  EXPECT_EQ(kLeft, Text("\xCD\xA8\xD6\xAA\xA3\xBA\x20\x5B"));
  EXPECT_EQ(kRight, Text("\x5D\x20\xBD\xF8\xC8\xEB\x20\x5B"));
}

struct ExtractCase {
  const char* what;
  Text text;
  Text left;
  Text right;
  TextArray expected;
};

class ExtractBetweenTest : public testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractBetweenTest, YieldsThePartsEntries) {
  const ExtractCase& c = GetParam();
  TextArray results{"stale", "entries"};
  const std::int32_t n = extractBetween(c.text, c.left, c.right, results);
  EXPECT_EQ(results, c.expected) << c.what;
  EXPECT_EQ(n, static_cast<std::int32_t>(c.expected.size())) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtractBetweenTest,
    testing::Values(
        ExtractCase{"no left marker", gbk(u8"大家好\r\n欢迎"), kLeft, kRight, {}},
        ExtractCase{"empty text", "", kLeft, kRight, {}},
        ExtractCase{"one notice", notice(u8"张三"), kLeft, kRight, {gbk(u8"张三")}},
        ExtractCase{"two notices on one line",
                    notice(u8"张三") + " " + notice(u8"李四"),
                    kLeft,
                    kRight,
                    {gbk(u8"张三"), gbk(u8"李四")}},
        ExtractCase{"two notices on two lines (CRLF)",
                    notice(u8"张三") + "\r\n" + notice(u8"李四"),
                    kLeft,
                    kRight,
                    {gbk(u8"张三"), gbk(u8"李四")}},
        ExtractCase{"two notices on two lines (LF)",
                    notice(u8"李四") + "\n" + notice(u8"张三"),
                    kLeft,
                    kRight,
                    {gbk(u8"李四"), gbk(u8"张三")}},
        ExtractCase{"empty name", kLeft + kRight, kLeft, kRight, {Text()}},
        ExtractCase{"double left marker",
                    gbk(u8"通知： [甲 通知： [乙] 进入 ["),
                    kLeft,
                    kRight,
                    {gbk(u8"甲 通知： [乙")}},
        ExtractCase{"line feed between name and right marker",
                    kLeft + gbk(u8"张三") + "\n" + kRight + "\r\n" + notice(u8"李四"),
                    kLeft,
                    kRight,
                    {gbk(u8"李四")}},
        ExtractCase{"carriage return inside the name stays (Windows' \".\"; Wine's stops at CR)",
                    kLeft + gbk(u8"张\r三") + kRight,
                    kLeft,
                    kRight,
                    {gbk(u8"张\r三")}},
        ExtractCase{"carriage return before the right marker", "A[x\r]B", "A[", "]B", {"x\r"}},
        ExtractCase{"letter case of the markers", "xa[Bob]bx", "A[", "]B", {"Bob"}},
        ExtractCase{"braces in the markers", "q{x}name{y}q", "{x}", "{y}", {"name"}},
        ExtractCase{
            "all nine escaped characters", "?*+[](){}v?*+[](){}", "?*+[](){}", "?*+[](){}", {"v"}},
        ExtractCase{"a dot in the marker matches any character",
                    "<a>1</a><b>2</b>",
                    "<.>",
                    "</.>",
                    {"1", "2"}},
        ExtractCase{"a trail byte 5B in the marker is no bracket",
                    "\x81\x5Bname]",
                    "\x81\x5B",
                    "]",
                    {"name"}},
        ExtractCase{"an invalid pattern yields nothing", "a(b)c", "\\", "c", {}},
        ExtractCase{"lazy: the nearest right marker", "L1RR L2R", "L", "R", {"1", "2"}},
        ExtractCase{"notices among chat lines",
                    gbk(u8"[12:00] 王五：大家好\r\n") + notice(u8"bob") + "\r\n" +
                        gbk(u8"[12:01] 王五：欢迎\r\n") + notice(u8"Bob") + "\r\n",
                    kLeft,
                    kRight,
                    {"bob", "Bob"}}));

struct OptionCase {
  const char* what;
  Text text;
  std::int32_t maxLength;
  Text prefix;
  Text suffix;
  bool keepLeft;
  bool keepRight;
  TextArray expected;
};

class ExtractOptionsTest : public testing::TestWithParam<OptionCase> {};

TEST_P(ExtractOptionsTest, AppliesTheOptions) {
  const OptionCase& c = GetParam();
  TextArray results;
  const std::int32_t n = extractBetween(c.text, kLeft, kRight, results, c.maxLength, c.prefix,
                                        c.suffix, c.keepLeft, c.keepRight);
  EXPECT_EQ(results, c.expected) << c.what;
  EXPECT_EQ(n, static_cast<std::int32_t>(c.expected.size())) << c.what;
}

const Text kTwo = notice(u8"张三") + "\r\n" + notice(u8"张三丰");
const Text kOpen = gbk(u8"【");
const Text kClose = gbk(u8"】");

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtractOptionsTest,
    testing::Values(
        OptionCase{
            "maxLength 4 keeps 4 bytes, drops 6", kTwo, 4, {}, {}, false, false, {gbk(u8"张三")}},
        OptionCase{"maxLength 6 keeps both",
                   kTwo,
                   6,
                   {},
                   {},
                   false,
                   false,
                   {gbk(u8"张三"), gbk(u8"张三丰")}},
        OptionCase{"maxLength 0 keeps both",
                   kTwo,
                   0,
                   {},
                   {},
                   false,
                   false,
                   {gbk(u8"张三"), gbk(u8"张三丰")}},
        OptionCase{"negative maxLength keeps none", kTwo, -1, {}, {}, false, false, {}},
        OptionCase{"maxLength is measured before prefix and suffix",
                   kTwo,
                   4,
                   kOpen,
                   kClose,
                   false,
                   false,
                   {kOpen + gbk(u8"张三") + kClose}},
        OptionCase{"prefix and suffix",
                   notice(u8"张三"),
                   0,
                   kOpen,
                   kClose,
                   false,
                   false,
                   {gbk(u8"【张三】")}},
        OptionCase{"keepLeft", notice(u8"张三"), 0, {}, {}, true, false, {kLeft + gbk(u8"张三")}},
        OptionCase{"keepRight", notice(u8"张三"), 0, {}, {}, false, true, {gbk(u8"张三") + kRight}},
        OptionCase{"both markers, maxLength 0",
                   notice(u8"张三"),
                   0,
                   kOpen,
                   kClose,
                   true,
                   true,
                   {gbk(u8"通知： [【张三】] 进入 [")}},
        OptionCase{"both markers, maxLength 10: only the left one",
                   notice(u8"张三"),
                   10,
                   kOpen,
                   kClose,
                   true,
                   true,
                   {gbk(u8"通知： [【张三】")}},
        OptionCase{"keepRight alone with maxLength",
                   notice(u8"张三"),
                   10,
                   {},
                   {},
                   false,
                   true,
                   {gbk(u8"张三") + kRight}},
        OptionCase{"keepLeft alone with maxLength",
                   notice(u8"张三"),
                   10,
                   {},
                   {},
                   true,
                   false,
                   {kLeft + gbk(u8"张三")}}));

TEST(ExtractBetween, PutsBackTheMarkersAsTheCallerWroteThem) {
  TextArray results;
  EXPECT_EQ(extractBetween("xa[Bob]bx", "A[", "]B", results, 0, {}, {}, true, true), 1);
  EXPECT_THAT(results, ElementsAre("A[Bob]B"));
}

TEST(ExtractBetween, ManyNoticesInOrder) {
  Text text;
  TextArray expected;
  for (int i = 0; i < 500; ++i) {
    const Text name = gbk(u8"用户") + std::to_string(i % 37);
    text += gbk(u8"[12:00] 闲聊一句\r\n") + kLeft + name + kRight + gbk(u8"频道]\r\n");
    expected.push_back(name);
  }
  TextArray results;
  EXPECT_EQ(extractBetween(text, kLeft, kRight, results), 500);
  EXPECT_EQ(results, expected);
}

}  // namespace
}  // namespace brindel
