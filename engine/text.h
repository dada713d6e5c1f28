#pragma once
// Text as the whole program sees it: GBK (code page 936) bytes, lengths and positions in
// bytes, a byte of 0x80 or above starting a two-byte character.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brindel {

using Text = std::string;
using TextArray = std::vector<Text>;
using IntArray = std::vector<std::int32_t>;

inline bool isLeadByte(unsigned char byte) { return byte >= 0x80; }

// 1-based byte position of needle at or after start (1-based; below 1 counts as 1), or -1.
// Candidate places are character starts; ignoreCase folds ASCII letters only.
std::int32_t findText(const Text& haystack, const Text& needle,
                      std::optional<std::int32_t> start = std::nullopt, bool ignoreCase = false);

// How often needle occurs in text, overlapping occurrences included. between runs after
// every step of the count (the caller's message dispatch). An empty needle gives 0 for an
// empty text and 1 otherwise.
std::int32_t countOccurrences(const Text& text, const Text& needle, bool caseSensitive = false,
                              const std::function<void()>& between = {});

// The text as a pattern fragment: ? * + [ ] ( ) { } get a backslash; trail bytes never do.
Text escapePattern(const Text& text);

// Full-width ASCII forms (A3 A1..A3 FE) to ASCII, the ideographic space (A1 A1) to a space.
Text foldFullWidth(const Text& text);

// A box's text read as a decimal integer after full-width folding: optional white space, an
// optional sign, the digits up to the first other byte; 0 without digits. Saturates at the
// 32-bit range instead of overflowing.
std::int32_t readInteger(const Text& text);

}  // namespace brindel
