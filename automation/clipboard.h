#pragma once
// The clipboard's text, read once after the client has copied.

#include "engine/text.h"

namespace brindel {

// CF_TEXT up to its NUL (never beyond the memory block); empty at once when the clipboard
// is held by another program, holds no text, or its memory cannot be locked.
Text clipboardText();

}  // namespace brindel
