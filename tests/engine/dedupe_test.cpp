// removeDuplicates (Part 1.3), on the real "Microsoft.XMLDOM".
#include "engine/dedupe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/gbk.h"

namespace brindel {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

struct TextCase {
  const char* what;
  TextArray texts;
  TextArray expected;
};

class RemoveDuplicateTextsTest : public testing::TestWithParam<TextCase> {};

TEST_P(RemoveDuplicateTextsTest, KeepsTheLastCopyOfEachValue) {
  const TextCase& c = GetParam();
  TextArray texts = c.texts;
  IntArray ints{7, 7};
  EXPECT_EQ(removeDuplicates(texts, ints, 0), static_cast<std::int32_t>(c.expected.size()))
      << c.what;
  EXPECT_EQ(texts, c.expected) << c.what;
  EXPECT_THAT(ints, ElementsAre(7, 7)) << "the other array is left alone";
  // The Part's one-element set and other spreads give the same result.
  for (int buckets : {1, 3}) {
    TextArray again = c.texts;
    EXPECT_EQ(detail::removeDuplicates(again, ints, 0, buckets),
              static_cast<std::int32_t>(c.expected.size()))
        << c.what << ", " << buckets << " buckets";
    EXPECT_EQ(again, c.expected) << c.what << ", " << buckets << " buckets";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveDuplicateTextsTest,
    testing::Values(
        TextCase{"the last copy stays, in place",
                 {gbk(u8"张三"), gbk(u8"李四"), gbk(u8"张三")},
                 {gbk(u8"李四"), gbk(u8"张三")}},
        TextCase{"letter case counts", {"bob", "Bob"}, {"bob", "Bob"}},
        TextCase{"a name with a space keeps every copy",
                 {gbk(u8"张 三"), gbk(u8"张 三")},
                 {gbk(u8"张 三"), gbk(u8"张 三")}},
        TextCase{"empty texts become one", {"", ""}, {""}}, TextCase{"an empty array", {}, {}},
        TextCase{"one entry", {"x"}, {"x"}},
        TextCase{"values that start with a digit, '-' or '.'",
                 {"1", "-", ".", "1", "-", "."},
                 {"1", "-", "."}},
        TextCase{"refused names keep every copy and touch nobody",
                 {"a<b", "a<b", "&", "&", "\"", "\"", "(", "(", "x", "x"},
                 {"a<b", "a<b", "&", "&", "\"", "\"", "(", "(", "x"}},
        TextCase{"a colon keeps every copy", {"a:b", "a:b"}, {"a:b", "a:b"}},
        TextCase{"ideographic punctuation keeps every copy (Windows refuses it)",
                 {gbk(u8"张、三"), gbk(u8"张、三"), gbk(u8"★"), gbk(u8"★")},
                 {gbk(u8"张、三"), gbk(u8"张、三"), gbk(u8"★"), gbk(u8"★")}},
        TextCase{"full-width forms keep every copy",
                 {gbk(u8"ＡＢ"), gbk(u8"ＡＢ")},
                 {gbk(u8"ＡＢ"), gbk(u8"ＡＢ")}},
        TextCase{"kana, pinyin, Greek, Cyrillic and the middle dot are names",
                 {gbk(u8"の"), gbk(u8"ǎ"), gbk(u8"α"), gbk(u8"Ж"), gbk(u8"阿·卜"), gbk(u8"の"),
                  gbk(u8"ǎ"), gbk(u8"α"), gbk(u8"Ж"), gbk(u8"阿·卜")},
                 {gbk(u8"の"), gbk(u8"ǎ"), gbk(u8"α"), gbk(u8"Ж"), gbk(u8"阿·卜")}},
        TextCase{"many repeats", {"a", "b", "a", "c", "b", "a", "d", "c"}, {"b", "a", "d", "c"}}));

TEST(RemoveDuplicates, IntegersKeepTheirLastCopy) {
  TextArray texts{"x", "x"};
  IntArray ints{5, -5, 5};
  EXPECT_EQ(removeDuplicates(texts, ints, 1), 2);
  EXPECT_THAT(ints, ElementsAre(-5, 5));
  EXPECT_THAT(texts, ElementsAre("x", "x")) << "the other array is left alone";
}

TEST(RemoveDuplicates, IntegersAtTheEdges) {
  TextArray texts;
  IntArray ints{0, INT32_MIN, INT32_MAX, 0, INT32_MIN, -1, 1, -1};
  EXPECT_EQ(removeDuplicates(texts, ints, 1), 5);
  EXPECT_THAT(ints, ElementsAre(INT32_MAX, 0, INT32_MIN, 1, -1));
}

TEST(RemoveDuplicates, EmptyIntegerArray) {
  TextArray texts;
  IntArray ints;
  EXPECT_EQ(removeDuplicates(texts, ints, 1), 0);
}

TEST(RemoveDuplicates, AnotherModeChangesNothing) {
  for (std::int32_t mode : {2, -1, 100}) {
    TextArray texts{"a", "a"};
    IntArray ints{1, 1};
    EXPECT_EQ(removeDuplicates(texts, ints, mode), -1);
    EXPECT_THAT(texts, ElementsAre("a", "a"));
    EXPECT_THAT(ints, ElementsAre(1, 1));
  }
}

TEST(RemoveDuplicates, ManyNamesKeepTheOrderOfTheirLastNotice) {
  TextArray texts;
  for (int i = 0; i < 3000; ++i) texts.push_back(gbk(u8"用户") + std::to_string((i * 7) % 250));
  TextArray expected;
  for (int i = 3000 - 250; i < 3000; ++i)
    expected.push_back(gbk(u8"用户") + std::to_string((i * 7) % 250));
  IntArray ints;
  TextArray literal = texts;
  EXPECT_EQ(removeDuplicates(texts, ints, 0), 250);
  EXPECT_EQ(texts, expected);
  EXPECT_EQ(detail::removeDuplicates(literal, ints, 0, 1), 250);
  EXPECT_EQ(literal, expected);
}

TEST(RemoveDuplicates, IntegersWithOneBucket) {
  TextArray texts;
  IntArray ints{5, -5, 5};
  EXPECT_EQ(detail::removeDuplicates(texts, ints, 1, 1), 2);
  EXPECT_THAT(ints, ElementsAre(-5, 5));
  EXPECT_EQ(detail::removeDuplicates(texts, ints, 2, 1), -1);
}

}  // namespace
}  // namespace brindel
