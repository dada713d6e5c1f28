// PatternMatcher (Part 1.2): every operation, on the real "VBScript.RegExp".
#include "engine/pattern_matcher.h"

#include <gtest/gtest.h>

#include "engine/gbk.h"

namespace brindel {
namespace {

TEST(PatternMatcher, EmptyBeforeTheFirstSearch) {
  PatternMatcher matcher;
  EXPECT_EQ(matcher.patternText(), "");
  EXPECT_EQ(matcher.matchCount(), 0);
  EXPECT_EQ(matcher.subMatchCount(), 0);
  std::int32_t position = 0;
  EXPECT_EQ(matcher.matchText(1, &position), "");
  EXPECT_EQ(position, -2);
  EXPECT_EQ(matcher.subMatchText(1, 1), "");
  EXPECT_EQ(matcher.replaceMatches("x"), "");
}

TEST(PatternMatcher, SearchesWithThePartsDefaults) {
  PatternMatcher matcher;
  ASSERT_TRUE(matcher.search("a(b+)(c)?", "xABBc abb\r\nab"));
  EXPECT_EQ(matcher.patternText(), "a(b+)(c)?");
  ASSERT_EQ(matcher.matchCount(), 3);  // letter case ignored, global
  EXPECT_EQ(matcher.matchText(1), "ABBc");
  EXPECT_EQ(matcher.matchText(2), "abb");
  EXPECT_EQ(matcher.matchText(3), "ab");
  EXPECT_EQ(matcher.subMatchText(1, 1), "BB");
  EXPECT_EQ(matcher.subMatchText(1, 2), "c");
  EXPECT_EQ(matcher.subMatchText(2, 2), "") << "a group that took no part";
  EXPECT_EQ(matcher.subMatchText(3, 1), "b");
  EXPECT_EQ(matcher.subMatchCount(), 2);
  EXPECT_EQ(matcher.matchText(4), "") << "beyond the last match";
  EXPECT_EQ(matcher.subMatchText(1, 3), "") << "beyond the last group";
}

TEST(PatternMatcher, HonoursTheOptions) {
  PatternMatcher matcher;
  ASSERT_TRUE(matcher.search("ab", "AB ab", /*caseSensitive=*/true));
  EXPECT_EQ(matcher.matchCount(), 1);
  EXPECT_EQ(matcher.matchText(1), "ab");

  ASSERT_TRUE(matcher.search("ab", "ab ab", false, true, /*global=*/false));
  EXPECT_EQ(matcher.matchCount(), 1);

  ASSERT_TRUE(matcher.search("^x", "x\nx", false, /*multiline=*/true));
  EXPECT_EQ(matcher.matchCount(), 2);
  ASSERT_TRUE(matcher.search("^x", "x\nx", false, /*multiline=*/false));
  EXPECT_EQ(matcher.matchCount(), 1);
}

TEST(PatternMatcher, GbkTextsRoundTrip) {
  PatternMatcher matcher;
  ASSERT_TRUE(matcher.search(gbk(u8"通知： \\[([^\\n]*?)\\] 进入 \\["),
                             gbk(u8"通知： [张三] 进入 [频道] 通知： [乕] 进入 [")));
  ASSERT_EQ(matcher.matchCount(), 2);
  EXPECT_EQ(matcher.subMatchText(1, 1), gbk(u8"张三"));
  EXPECT_EQ(matcher.subMatchText(2, 1), Text("\x81\x5B"));
  EXPECT_EQ(matcher.patternText(), gbk(u8"通知： \\[([^\\n]*?)\\] 进入 \\["));
}

TEST(PatternMatcher, PositionsAreByteOffsetsFoundFromFirstIndex) {
  PatternMatcher matcher;
  ASSERT_TRUE(matcher.search("a(b)c", "xxabc abc"));
  ASSERT_EQ(matcher.matchCount(), 2);
  std::int32_t position = 99;
  EXPECT_EQ(matcher.matchText(1, &position), "abc");
  EXPECT_EQ(position, 2);
  EXPECT_EQ(matcher.matchText(2, &position), "abc");
  EXPECT_EQ(position, 6);
  EXPECT_EQ(matcher.subMatchText(2, 1, &position), "b");
  EXPECT_EQ(position, 7);
  EXPECT_EQ(matcher.matchText(3, &position), "");
  EXPECT_EQ(position, -2);
}

TEST(PatternMatcher, PositionsTakeTheCharacterIndexAsAByteStart) {
  // The Part searches from the byte position equal to FirstIndex, a count of characters: in
  // '张三abc李abc' the first "abc" has FirstIndex 2, and a search from byte 2 walks C5 C8 | FD
  // 61 | 62 | ..., stepping over the "a" at byte 4, and finds the second "abc" at byte 9.
  PatternMatcher matcher;
  ASSERT_TRUE(matcher.search("a(b)c", gbk(u8"张三abc李abc")));
  ASSERT_EQ(matcher.matchCount(), 2);
  std::int32_t position = 99;
  EXPECT_EQ(matcher.matchText(1, &position), "abc");
  EXPECT_EQ(position, 9);
  EXPECT_EQ(matcher.matchText(2, &position), "abc");
  EXPECT_EQ(position, 9);
  EXPECT_EQ(matcher.subMatchText(2, 1, &position), "b");
  EXPECT_EQ(position, 5);  // searched from byte 6 (FirstIndex of the second match)
}

TEST(PatternMatcher, ReplacesInTheSubjectOfTheLastSearch) {
  PatternMatcher matcher;
  ASSERT_TRUE(matcher.search("b(.)", "abcabd"));
  EXPECT_EQ(matcher.replaceMatches("<$1>"), "a<c>a<d>");
  ASSERT_TRUE(matcher.search(gbk(u8"三"), gbk(u8"张三李三")));
  EXPECT_EQ(matcher.replaceMatches(gbk(u8"四")), gbk(u8"张四李四"));
}

TEST(PatternMatcher, AnInvalidPatternGivesNoMatchesAndNoReport) {
  PatternMatcher matcher;
  for (const char* pattern : {"(", "a)", "[", "*", "\\"}) {
    EXPECT_FALSE(matcher.search(pattern, "a(b)c*[\\")) << pattern;
    EXPECT_EQ(matcher.matchCount(), 0) << pattern;
    EXPECT_EQ(matcher.matchText(1), "") << pattern;
    EXPECT_EQ(matcher.subMatchText(1, 1), "") << pattern;
    EXPECT_EQ(matcher.subMatchCount(), 0) << pattern;
  }
  EXPECT_TRUE(matcher.search("b", "abc")) << "the matcher still works afterwards";
  EXPECT_EQ(matcher.matchCount(), 1);
}

TEST(PatternMatcher, NoMatchIsAnEmptyCollection) {
  PatternMatcher matcher;
  EXPECT_TRUE(matcher.search("z", "abc"));
  EXPECT_EQ(matcher.matchCount(), 0);
  EXPECT_EQ(matcher.subMatchCount(), 0);
}

TEST(PatternMatcher, CloneSharesTheObjectsAndCopiesTheSubject) {
  auto matcher = std::make_unique<PatternMatcher>();
  ASSERT_TRUE(matcher->search("a(.)", "a1 a2"));
  std::unique_ptr<PatternMatcher> copy = matcher->clone();
  matcher.reset();  // the clone holds its own references
  ASSERT_EQ(copy->matchCount(), 2);
  EXPECT_EQ(copy->subMatchText(2, 1), "2");
  EXPECT_EQ(copy->patternText(), "a(.)");
  EXPECT_EQ(copy->replaceMatches("-"), "- -");
  std::int32_t position = 0;
  EXPECT_EQ(copy->matchText(2, &position), "a2");
  EXPECT_EQ(position, 3);
}

TEST(PatternMatcher, OperationsAreVirtualInTheirSlotOrder) {
  struct Counting : PatternMatcher {
    int calls = 0;
    std::int32_t matchCount() override {
      ++calls;
      return PatternMatcher::matchCount();
    }
  };
  Counting counting;
  PatternMatcher& base = counting;
  base.search("a", "aa");
  EXPECT_EQ(base.matchCount(), 2);
  EXPECT_EQ(counting.calls, 1);
  EXPECT_TRUE(std::has_virtual_destructor_v<PatternMatcher>);
}

TEST(PatternMatcher, ComInitialisationIsBalanced) {
  {
    PatternMatcher matcher;
    matcher.search("a", "a");
    auto copy = matcher.clone();
  }
  // Had a matcher left an initialisation behind, this would be S_FALSE.
  const HRESULT first = CoInitialize(nullptr);
  EXPECT_EQ(first, S_OK);
  {
    PatternMatcher inside;  // nests inside the thread's own initialisation
    EXPECT_TRUE(inside.search("a", "a"));
  }
  CoUninitialize();
  const HRESULT again = CoInitialize(nullptr);
  EXPECT_EQ(again, S_OK);
  CoUninitialize();
}

}  // namespace
}  // namespace brindel
