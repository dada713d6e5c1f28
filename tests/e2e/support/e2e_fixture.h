#pragma once
// What every end-to-end test starts from: a room number of its own and an empty clipboard, so
// that nothing a former test left behind can be copied and greeted in this one.

#include <gtest/gtest.h>

#include <string>

#include "support/programs.h"

namespace brindel::e2e {

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // Notice options for the simulated client: each name announced at the given time (ms).
  static std::vector<std::string> noticesAt(int ms,
                                            std::initializer_list<std::u8string_view> names);

  const std::string room_ = freshRoomNumber();
};

}  // namespace brindel::e2e
