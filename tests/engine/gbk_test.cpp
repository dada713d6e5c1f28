#include "engine/gbk.h"

#include <gtest/gtest.h>

namespace brindel {
namespace {

TEST(Gbk, LiteralsBecomeGbkBytes) {
  EXPECT_EQ(gbk(u8"通知： ["), Text("\xCD\xA8\xD6\xAA\xA3\xBA\x20\x5B"));
  EXPECT_EQ(gbk(u8"乕"), Text("\x81\x5B"));
  EXPECT_EQ(gbk(u8""), Text());
}

TEST(Gbk, RoundTripsThroughUtf16) {
  const Text text = gbk(u8"通知： [乕]");
  EXPECT_EQ(widenGbk(text), L"通知： [乕]");
  EXPECT_EQ(narrowGbk(widenGbk(text)), text);
  EXPECT_EQ(widenGbk("\xCD\xA8\xD6\xAA"), std::wstring(L"\u901A\u77E5"));
}

}  // namespace
}  // namespace brindel
