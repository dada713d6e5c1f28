// escapePattern (Part 1.2): nine characters get one backslash; second bytes never do.
#include <gtest/gtest.h>

#include "engine/gbk.h"
#include "engine/text.h"

namespace brindel {
namespace {

struct EscapeCase {
  const char* what;
  Text text;
  Text expected;
};

class EscapePatternTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(EscapePatternTest, EscapesTheNineCharacters) {
  const Text before = GetParam().text;
  EXPECT_EQ(escapePattern(GetParam().text), GetParam().expected) << GetParam().what;
  EXPECT_EQ(GetParam().text, before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EscapePatternTest,
    testing::Values(
        EscapeCase{"empty", "", ""}, EscapeCase{"plain", "abc", "abc"},
        EscapeCase{"braces", "{x}", "\\{x\\}"},
        EscapeCase{"all nine once each", "?*+[](){}", "\\?\\*\\+\\[\\]\\(\\)\\{\\}"},
        EscapeCase{"repeated", "[[", "\\[\\["},
        EscapeCase{"not escaped: backslash . ^ $ |", "\\.^$|", "\\.^$|"},
        EscapeCase{"the left marker", gbk(u8"通知： ["), gbk(u8"通知： \\[")},
        EscapeCase{"the right marker", gbk(u8"] 进入 ["), gbk(u8"\\] 进入 \\[")},
        EscapeCase{"乕 (81 5B) stays", "\x81\x5B", "\x81\x5B"},
        EscapeCase{"乕 then a bracket", "\x81\x5B[", "\x81\x5B\\["},
        EscapeCase{"trail bytes 5D 7B 7D stay", "\x81\x5D\x81\x7B\x81\x7D",
                   "\x81\x5D\x81\x7B\x81\x7D"},
        EscapeCase{"a lead byte at the end", "a[\x81", "a\\[\x81"},
        EscapeCase{"a bracket after a run of lead bytes", "\xB0\xA1\xB0[", "\xB0\xA1\xB0["},
        EscapeCase{"a bracket after an even run of lead bytes", "\xB0\xA1[", "\xB0\xA1\\["}));

}  // namespace
}  // namespace brindel
