#include "automation/clipboard.h"

#include <windows.h>

#include <cstring>

#include "automation/scoped_win.h"

namespace brindel {

Text clipboardText() {
  ScopedClipboard clipboard;
  if (!clipboard.isOpen()) return {};
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data == nullptr) return {};
  ScopedGlobalLock locked(static_cast<HGLOBAL>(data));
  const auto* bytes = static_cast<const char*>(locked.data());
  if (bytes == nullptr) return {};
  return Text(bytes, strnlen(bytes, locked.size()));
}

}  // namespace brindel
