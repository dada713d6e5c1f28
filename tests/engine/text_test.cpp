// findText, countOccurrences, foldFullWidth and readInteger (Overview; Parts 1.1 and 1.3).
#include "engine/text.h"

#include <gtest/gtest.h>

#include <climits>

#include "engine/gbk.h"

namespace brindel {
namespace {

// The literal findText of Part 1.3, step by step, to hold the fast one against.
std::int32_t literalFindText(const Text& haystack, const Text& needle,
                             std::optional<std::int32_t> start, bool ignoreCase) {
  const std::int64_t len = static_cast<std::int64_t>(haystack.size());
  std::int64_t b = start ? std::max<std::int64_t>(std::int64_t(*start) - 1, 0) : 0;
  std::int64_t remaining = b < len ? len - b : 0;
  if (needle.empty()) return remaining > 0 ? 1 : -1;
  const std::int64_t m = static_cast<std::int64_t>(needle.size());
  auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
  while (remaining >= m) {
    bool equal = true;
    for (std::int64_t i = 0; i < m && equal; ++i) {
      const unsigned char h = static_cast<unsigned char>(haystack[b + i]);
      const unsigned char n = static_cast<unsigned char>(needle[i]);
      equal = h == n || (ignoreCase && fold(h) == fold(n));
    }
    if (equal) return static_cast<std::int32_t>(b + 1);
    if (static_cast<unsigned char>(haystack[b]) >= 0x80) {
      if (b + 1 >= len) return -1;
      b += 2;
      remaining -= 2;
    } else {
      b += 1;
      remaining -= 1;
    }
  }
  return -1;
}

struct FindCase {
  const char* what;
  Text haystack;
  Text needle;
  std::optional<std::int32_t> start;
  bool ignoreCase;
  std::int32_t expected;
};

class FindTextTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTextTest, GivesThePartsPosition) {
  const FindCase& c = GetParam();
  EXPECT_EQ(findText(c.haystack, c.needle, c.start, c.ignoreCase), c.expected) << c.what;
  EXPECT_EQ(literalFindText(c.haystack, c.needle, c.start, c.ignoreCase), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTextTest,
    testing::Values(
        FindCase{"plain", "hello world", "world", {}, false, 7},
        FindCase{"at the start", "abc", "a", {}, false, 1},
        FindCase{"absent", "abc", "d", {}, false, -1},
        FindCase{"longer needle than text", "ab", "abc", {}, false, -1},
        FindCase{"from a start", "abcabc", "abc", 2, false, 4},
        FindCase{"start below 1 counts as 1", "abc", "a", -5, false, 1},
        FindCase{"start past the end", "abc", "a", 9, false, -1},
        FindCase{"case kept", "Bob", "bob", {}, false, -1},
        FindCase{"case folded", "xBOBx", "bob", {}, true, 2},
        FindCase{"case folded in a mixed needle", "1-bOb", "-BoB", {}, true, 2},
        FindCase{"no folding beyond letters", "[", "{", {}, true, -1},
        FindCase{"trail byte of 乕 is no start", "\x81\x5B", "[", {}, false, -1},
        FindCase{"乕 then [", "\x81\x5B[", "[", {}, false, 3},
        FindCase{"start on the trail byte counts it as a start", "\x81\x5B", "[", 2, false, 2},
        FindCase{"run of lead bytes", "\xB0\xA1\xB0\xA1\xB0\xA1x", "\xA1\xB0", {}, false, -1},
        FindCase{"run of lead bytes, odd start", "\xB0\xA1\xB0\xA1\xB0\xA1x", "\xA1\xB0", 2, false,
                 2},
        FindCase{"lead byte at the end", "a\xB0", "\xB0", {}, false, 2},
        FindCase{"lead byte at the end, other needle", "a\xB0", "x", {}, false, -1},
        FindCase{"empty needle", "abc", "", 3, false, 1},
        FindCase{"empty needle past the end", "abc", "", 4, false, -1},
        FindCase{"empty needle in an empty text", "", "", {}, false, -1},
        FindCase{"empty text", "", "a", {}, false, -1}));

TEST(FindText, MatchesTheLiteralAlgorithmOnMixedTexts) {
  // A deterministic mix of ASCII, two-byte characters and trail bytes of every kind.
  const char alphabet[] = {'a', 'A', 'b', '[', 'x', '\x81', '\x5B', '\xB0', '\xA1', '\xD5', '\xC5'};
  std::uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
  for (int round = 0; round < 4000; ++round) {
    Text hay, pin;
    const int hayLength = static_cast<int>(next() % 24);
    const int pinLength = static_cast<int>(next() % 4);
    for (int i = 0; i < hayLength; ++i) hay += alphabet[next() % sizeof alphabet];
    for (int i = 0; i < pinLength; ++i) pin += alphabet[next() % sizeof alphabet];
    const std::optional<std::int32_t> start =
        next() % 3 == 0 ? std::nullopt : std::optional<std::int32_t>(int(next() % 26) - 1);
    const bool ignoreCase = next() % 2 == 0;
    ASSERT_EQ(findText(hay, pin, start, ignoreCase), literalFindText(hay, pin, start, ignoreCase))
        << testing::PrintToString(hay) << " / " << testing::PrintToString(pin);
  }
}

struct CountCase {
  const char* what;
  Text text;
  Text needle;
  bool caseSensitive;
  std::int32_t expected;
};

class CountOccurrencesTest : public testing::TestWithParam<CountCase> {};

TEST_P(CountOccurrencesTest, CountsAsThePartDoes) {
  const CountCase& c = GetParam();
  EXPECT_EQ(countOccurrences(c.text, c.needle, c.caseSensitive), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CountOccurrencesTest,
    testing::Values(
        CountCase{"overlapping", "aaa", "aa", false, 2},
        CountCase{"case ignored", "Bob\r\n", "bob", false, 1},
        CountCase{"case kept", "Bob\r\n", "bob", true, 0},
        CountCase{"inside an earlier name", gbk(u8"张三丰\r\n"), gbk(u8"张三"), false, 1},
        CountCase{"two lines", gbk(u8"张三\r\n李四\r\n张三\r\n"), gbk(u8"张三"), false, 2},
        CountCase{"absent", gbk(u8"李四\r\n"), gbk(u8"张三"), false, 0},
        CountCase{"empty text", "", "bob", false, 0},
        CountCase{"empty text, empty needle", "", "", false, 0},
        CountCase{"empty needle ends", "abc", "", false, 1},
        CountCase{"empty needle ends, case kept", "abc", "", true, 1},
        CountCase{"trail byte is no start", "\x81\x5B\x81\x5B", "[", false, 0},
        CountCase{"after a hit the next step starts one byte on, on the hit's trail byte",
                  "\xB0\xB0\xB0", "\xB0", false, 3},
        CountCase{"repeated two-byte name", "\xB0\xA1\xB0\xA1\xB0\xA1", "\xB0\xA1", false, 3}));

TEST(CountOccurrences, RunsTheDispatchAfterEveryStep) {
  int steps = 0;
  EXPECT_EQ(countOccurrences("aaa", "aa", false, [&] { ++steps; }), 2);
  EXPECT_EQ(steps, 2);  // the step that found the second and the one that found nothing more
  steps = 0;
  EXPECT_EQ(countOccurrences("xyz", "aa", false, [&] { ++steps; }), 0);
  EXPECT_EQ(steps, 0);
  steps = 0;
  EXPECT_EQ(countOccurrences("abc", "", false, [&] { ++steps; }), 1);
  EXPECT_EQ(steps, 1);
}

struct FoldCase {
  const char* what;
  Text text;
  Text expected;
};

class FoldFullWidthTest : public testing::TestWithParam<FoldCase> {};

TEST_P(FoldFullWidthTest, FoldsFullWidthForms) {
  EXPECT_EQ(foldFullWidth(GetParam().text), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FoldFullWidthTest,
    testing::Values(FoldCase{"digits", "\xA3\xB2\xA3\xB0\xA3\xB0", "200"},
                    FoldCase{"letters and signs", gbk(u8"＋ａＺ！") + "\xA3\xFE", "+aZ!~"},
                    FoldCase{"ideographic space",
                             "\xA1\xA1"
                             "1",
                             " 1"},
                    FoldCase{"other characters stay", gbk(u8"张三"), gbk(u8"张三")},
                    FoldCase{"A3 as a trail byte is not folded", "\x81\xA3\xA3\xB3",
                             "\x81\xA3"
                             "3"},
                    FoldCase{"A3 A0 stays", "\xA3\xA0", "\xA3\xA0"},
                    FoldCase{"lead byte at the end", "1\xA3", "1\xA3"}, FoldCase{"empty", "", ""}));

struct IntegerCase {
  const char* what;
  Text text;
  std::int32_t expected;
};

class ReadIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ReadIntegerTest, ReadsTheBoxRule) {
  EXPECT_EQ(readInteger(GetParam().text), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadIntegerTest,
    testing::Values(IntegerCase{"plain", "1500", 1500},
                    IntegerCase{"full-width digits", "\xA3\xB2\xA3\xB0\xA3\xB0", 200},
                    IntegerCase{"letters", "abc", 0}, IntegerCase{"empty", "", 0},
                    IntegerCase{"negative", "-5", -5},
                    IntegerCase{"white space, plus sign, trailing letter", " +7x", 7},
                    IntegerCase{"tabs and line breaks", "\t\r\n 42", 42},
                    IntegerCase{"ideographic space and full-width minus",
                                "\xA1\xA1\xA3\xAD\xA3\xB3", -3},
                    IntegerCase{"sign alone", "-", 0}, IntegerCase{"two signs", "+-3", 0},
                    IntegerCase{"digits then more", "12 34", 12},
                    IntegerCase{"largest", "2147483647", INT32_MAX},
                    IntegerCase{"smallest", "-2147483648", INT32_MIN},
                    IntegerCase{"one beyond the largest", "2147483648", INT32_MAX},
                    IntegerCase{"too large", "99999999999", INT32_MAX},
                    IntegerCase{"too small", "-99999999999", INT32_MIN},
                    IntegerCase{"very long digit run", std::string(400, '9'), INT32_MAX},
                    IntegerCase{"leading zeros", "000000000000000000000012", 12}));

}  // namespace
}  // namespace brindel
