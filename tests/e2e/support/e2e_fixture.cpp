#include "support/e2e_fixture.h"

#include "automation/scoped_win.h"
#include "engine/gbk.h"

namespace brindel::e2e {

void EndToEndTest::SetUp() {
  ScopedClipboard clipboard;
  if (clipboard.isOpen()) EmptyClipboard();
}

std::vector<std::string> EndToEndTest::noticesAt(int ms,
                                                 std::initializer_list<std::u8string_view> names) {
  std::vector<std::string> options;
  for (std::u8string_view name : names) {
    options.push_back("--notice");
    options.push_back(std::to_string(ms) + ":" + gbk(name));
  }
  return options;
}

}  // namespace brindel::e2e
