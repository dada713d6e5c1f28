#pragma once
// Owners of the Win32 resources the automation opens for the length of one call: a kernel
// handle, the clipboard, a locked global memory block.

#include <windows.h>

namespace brindel {

// A kernel handle closed when the owner goes; a null or INVALID_HANDLE_VALUE owns nothing.
class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~ScopedHandle() { close(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) {
      close();
      handle_ = other.release();
    }
    return *this;
  }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return valid(); }
  HANDLE release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  void close() {
    if (valid()) CloseHandle(handle_);
    handle_ = nullptr;
  }
  HANDLE handle_;
};

// The clipboard held open from construction to destruction, when OpenClipboard succeeded.
class ScopedClipboard {
 public:
  explicit ScopedClipboard(HWND owner = nullptr) : open_(OpenClipboard(owner) != FALSE) {}
  ~ScopedClipboard() {
    if (open_) CloseClipboard();
  }
  ScopedClipboard(const ScopedClipboard&) = delete;
  ScopedClipboard& operator=(const ScopedClipboard&) = delete;

  bool isOpen() const { return open_; }

 private:
  bool open_;
};

// A global memory block locked for reading; data() is null when GlobalLock failed.
class ScopedGlobalLock {
 public:
  explicit ScopedGlobalLock(HGLOBAL block)
      : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~ScopedGlobalLock() {
    if (data_) GlobalUnlock(block_);
  }
  ScopedGlobalLock(const ScopedGlobalLock&) = delete;
  ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;

  const void* data() const { return data_; }
  // Bytes the block really holds; a block's content may lack its terminating NUL.
  SIZE_T size() const { return data_ ? GlobalSize(block_) : 0; }

 private:
  HGLOBAL block_;
  void* data_;
};

}  // namespace brindel
