#pragma once

#include <cstdint>

#include "engine/text.h"

namespace brindel {

// Fills results (emptied first) with every text between left and the next right, in order,
// and returns their number. See the option rules in extract.cpp.
std::int32_t extractBetween(const Text& text, const Text& left, const Text& right,
                            TextArray& results, std::int32_t maxLength = 0,
                            const Text& prefix = {}, const Text& suffix = {},
                            bool keepLeft = false, bool keepRight = false);

}  // namespace brindel
