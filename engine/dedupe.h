#pragma once

#include <cstdint>

#include "engine/text.h"

namespace brindel {

// Mode 0 thins texts, mode 1 ints, keeping the last copy of each value in order; returns
// the entries left. Any other mode changes nothing and returns -1.
std::int32_t removeDuplicates(TextArray& texts, IntArray& ints, std::int32_t mode);

namespace detail {
// The number of elements that the seen-set's attributes are spread over (dedupe.cpp tells
// why); 1 is the Part's data model, every attribute on 数组/qu. The result is the same for
// every count.
inline constexpr int kBuckets = 128;
std::int32_t removeDuplicates(TextArray& texts, IntArray& ints, std::int32_t mode, int buckets);
}  // namespace detail

}  // namespace brindel
