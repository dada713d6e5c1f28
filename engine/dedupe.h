#pragma once

#include <cstdint>

#include "engine/text.h"

namespace brindel {

// Mode 0 thins texts, mode 1 ints, keeping the last copy of each value in order; returns
// the entries left. Any other mode changes nothing and returns -1.
std::int32_t removeDuplicates(TextArray& texts, IntArray& ints, std::int32_t mode);

}  // namespace brindel
