#include "engine/clock_text.h"

#include <gtest/gtest.h>

#include <regex>

#include "engine/gbk.h"

namespace brindel {
namespace {

struct StyleCase {
  std::int32_t style;
  ClockTime time;
  Text expected;
};

class ClockTextStyles : public testing::TestWithParam<StyleCase> {};

TEST_P(ClockTextStyles, JoinsNumbersWithoutLeadingZeros) {
  EXPECT_EQ(clockText(GetParam().style, GetParam().time), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllStyles, ClockTextStyles,
    testing::Values(StyleCase{1, {9, 5, 3}, "9:5:3"}, StyleCase{0, {9, 5, 3}, gbk(u8"9时5分3秒")},
                    StyleCase{2, {9, 5, 3}, "9-5-3"}, StyleCase{3, {9, 5, 3}, "9/5/3"},
                    StyleCase{1, {0, 0, 0}, "0:0:0"}, StyleCase{1, {23, 59, 59}, "23:59:59"},
                    StyleCase{4, {9, 5, 3}, ""}, StyleCase{-1, {9, 5, 3}, ""}));

TEST(ClockText, OmittedTimeIsTheCurrentTime) {
  const Text text = clockText(1);
  std::smatch parts;
  ASSERT_TRUE(std::regex_match(text, parts, std::regex("(\\d+):(\\d+):(\\d+)"))) << text;
  EXPECT_LE(std::stoi(parts[1]), 23);
  EXPECT_LE(std::stoi(parts[2]), 59);
  EXPECT_LE(std::stoi(parts[3]), 60);  // a leap second
}

}  // namespace
}  // namespace brindel
