#include "automation/clipboard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "engine/gbk.h"
#include "support/test_windows.h"

namespace brindel {
namespace {

using namespace std::chrono_literals;
using test_support::PlainWindow;
using test_support::uniqueClassName;

// The clipboard filled by a window of the test's own, as a copying program does.
class ClipboardTest : public ::testing::Test {
 protected:
  // Puts the bytes as CF_TEXT in a block of exactly their size: the NUL only if they hold one.
  void putTextBlock(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    ASSERT_NE(block, nullptr);
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    replaceContent(CF_TEXT, block);
  }
  void putText(const std::string& text) { putTextBlock(text + '\0'); }
  void replaceContent(UINT format, HANDLE data) {
    ASSERT_TRUE(OpenClipboard(owner_.hwnd()));
    EmptyClipboard();
    if (data != nullptr) {
      EXPECT_NE(SetClipboardData(format, data), nullptr);
    }
    CloseClipboard();
  }

  PlainWindow owner_{uniqueClassName("ClipboardOwner"), {}};
};

TEST_F(ClipboardTest, ReadsTheTextUpToItsNul) {
  putText("hello world");
  EXPECT_EQ(clipboardText(), "hello world");
  putTextBlock(std::string("ab\0cd", 6));
  EXPECT_EQ(clipboardText(), "ab");
}

TEST_F(ClipboardTest, KeepsGbkBytes) {
  const Text chat = gbk(u8"通知： [张三] 进入 [频道]\r\n");
  putText(chat);
  EXPECT_EQ(clipboardText(), chat);
}

TEST_F(ClipboardTest, ATextWithoutNulIsReadOnlyWithinItsBlock) {
  putTextBlock("hello");
  // Some systems put a NUL into the block's last byte; none may give more than the block.
  const Text text = clipboardText();
  EXPECT_TRUE(text == "hello" || text == "hell") << text;
}

TEST_F(ClipboardTest, EmptyTextEmptyClipboardAndPictureOnlyGiveEmptyText) {
  putText("");
  EXPECT_EQ(clipboardText(), "");
  replaceContent(CF_TEXT, nullptr);
  EXPECT_EQ(clipboardText(), "");
  replaceContent(CF_BITMAP, CreateBitmap(4, 4, 1, 32, nullptr));
  EXPECT_EQ(clipboardText(), "");
}

TEST_F(ClipboardTest, AClipboardHeldOpenElsewhereGivesEmptyTextAtOnce) {
  putText("not for now");
  std::promise<void> opened;
  std::promise<void> done;
  std::thread holder([&] {
    PlainWindow holderWindow(uniqueClassName("ClipboardHolder"), {});
    const bool open = OpenClipboard(holderWindow.hwnd());
    opened.set_value();
    done.get_future().wait();
    if (open) CloseClipboard();
  });
  opened.get_future().wait();
  const auto start = std::chrono::steady_clock::now();
  const Text text = clipboardText();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  done.set_value();
  holder.join();
  EXPECT_EQ(text, "");
  EXPECT_LT(elapsed, 200ms);
  EXPECT_EQ(clipboardText(), "not for now");
}

}  // namespace
}  // namespace brindel
