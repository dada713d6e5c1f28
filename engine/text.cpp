// The shared text helpers (Overview; Parts 1.1 step 11, 1.2 and 1.3).
//
// This file includes no Windows header: it is also built natively on Linux (scripts/fuzz.sh).
//
// A Text is a std::string of GBK bytes; its length is size(). A byte of 0x80 or above starts
// a two-byte character whose second byte may have any value (also one below 0x80, such as the
// 5B of '乕' = 81 5B). "The terminating zero" of the Parts is the position size(): a byte of 0
// inside a string is an ordinary byte here (none of the program's texts holds one).

#include "engine/text.h"

#include <climits>
#include <cstddef>
#include <cstring>

namespace brindel {
namespace {

using Byte = unsigned char;

inline Byte lowerAscii(Byte b) {
  return (b >= 'A' && b <= 'Z') ? static_cast<Byte>(b + 32) : b;
}
inline bool isAsciiLetter(Byte b) {
  return lowerAscii(b) >= 'a' && lowerAscii(b) <= 'z';
}

using Word = std::size_t;
constexpr Word kOnes = ~Word(0) / 0xFF;  // 0x0101...01
constexpr Word kHighs = kOnes * 0x80;    // 0x8080...80
constexpr Word kLows = kOnes * 0x7F;     // 0x7F7F...7F

Word load(const Byte* p) {
  Word w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

// The high bit of each byte of the result is set exactly where (byte | mask) == value.
Word equalBytes(Word w, Byte value, Byte mask) {
  const Word x = (w | (kOnes * mask)) ^ (kOnes * value);
  return ~(((x & kLows) + kLows) | x | kLows);
}

int firstFlagged(Word flags) {  // index of the lowest flagged byte (little-endian order)
  int i = 0;
  while ((flags & 0x80) == 0) {
    flags >>= 8;
    ++i;
  }
  return i;
}

// First place i in [from, to) where (byte i | mask0) == value0 and (byte i+1 | mask1) ==
// value1, or to; byte to (the one after the last place) must be readable. A mask is 0 for an
// exact byte and 0x20 for an ASCII letter of either case (its value is then the lower-case
// letter; the few other bytes that the mask lets through are weeded out by the caller's full
// comparison). Word-at-a-time: the msvcrt memchr of Wine is a plain byte loop, and a pair of
// bytes (a whole two-byte character, for a Chinese name) is far rarer than its first byte.
const Byte* findPair(const Byte* from, const Byte* to, Byte value0, Byte mask0, Byte value1,
                     Byte mask1) {
  const Byte* p = from;
  while (to - p > static_cast<std::ptrdiff_t>(sizeof(Word))) {  // bytes p .. p + 8 readable
    const Word hits = equalBytes(load(p), value0, mask0) & equalBytes(load(p + 1), value1, mask1);
    if (hits != 0) return p + firstFlagged(hits);
    p += sizeof(Word);
  }
  for (; p < to; ++p) {
    if (static_cast<Byte>(p[0] | mask0) == value0 && static_cast<Byte>(p[1] | mask1) == value1) {
      return p;
    }
  }
  return to;
}

// The same for one byte.
const Byte* findByte(const Byte* from, const Byte* to, Byte value, Byte mask) {
  const Byte* p = from;
  while (to - p >= static_cast<std::ptrdiff_t>(sizeof(Word))) {
    const Word hits = equalBytes(load(p), value, mask);
    if (hits != 0) return p + firstFlagged(hits);
    p += sizeof(Word);
  }
  for (; p < to; ++p) {
    if (static_cast<Byte>(*p | mask) == value) return p;
  }
  return to;
}

bool sameBytes(const Byte* a, const Byte* b, std::size_t length, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(a, b, length) == 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (a[i] != b[i] && lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

// Part 1.3, findText. The literal algorithm steps over the haystack one character at a time
// from the start and compares the needle at each character start. This does the same in
// fewer steps: it jumps (findPair) to the next place where the needle's first two bytes stand,
// and only there asks whether that place is a character start counted from the start, and
// compares.
//
// Whether a place q is a character start, given a known character start k <= q: q == k, or
// the byte before q is below 0x80 (a one-byte character or a second byte; either way a
// character ends there), or else q's distance to the nearest place r > k whose preceding byte
// is below 0x80 (or to k itself, when every byte between is 0x80 or above) is even, since in
// such a run every byte at an even distance from r starts a two-byte character. k only moves
// forward, so the backward walks cover each byte at most once.
//
// The literal loop's "a first byte just before the terminating zero: -1" is covered: such a
// byte at size() - 1 is a candidate only for a one-byte needle, which is compared there first.
std::int32_t findText(const Text& haystack, const Text& needle, std::optional<std::int32_t> start,
                      bool ignoreCase) {
  const std::size_t length = haystack.size();
  std::size_t begin = 0;
  if (start.has_value() && *start > 1) begin = static_cast<std::size_t>(*start) - 1;
  const std::size_t remaining = begin < length ? length - begin : 0;
  if (needle.empty()) return remaining > 0 ? 1 : -1;
  const std::size_t needleLength = needle.size();
  if (remaining < needleLength) return -1;

  const auto* hay = reinterpret_cast<const Byte*>(haystack.data());
  const auto* pin = reinterpret_cast<const Byte*>(needle.data());

  // The anchor: the needle's first two bytes (or its only one), each folded when it is a letter
  // and letter case is ignored.
  auto maskOf = [ignoreCase](Byte b) -> Byte { return ignoreCase && isAsciiLetter(b) ? 0x20 : 0; };
  const Byte mask0 = maskOf(pin[0]);
  const Byte value0 = mask0 != 0 ? lowerAscii(pin[0]) : pin[0];
  const Byte mask1 = needleLength > 1 ? maskOf(pin[1]) : 0;
  const Byte value1 = needleLength > 1 ? (mask1 != 0 ? lowerAscii(pin[1]) : pin[1]) : 0;

  const std::size_t lastPlace = length - needleLength;  // last place where the needle fits
  const Byte* placesEnd = hay + lastPlace + 1;
  std::size_t known = begin;  // a character start; every start before it has been ruled out
  while (known <= lastPlace) {
    const Byte* hit = needleLength > 1
                          ? findPair(hay + known, placesEnd, value0, mask0, value1, mask1)
                          : findByte(hay + known, placesEnd, value0, mask0);
    if (hit == placesEnd) return -1;
    const std::size_t place = static_cast<std::size_t>(hit - hay);
    bool isStart = true;
    if (place != known && hay[place - 1] >= 0x80) {
      std::size_t run = place - 1;  // walk back over bytes of 0x80 or above, not below known
      while (run > known && hay[run - 1] >= 0x80) --run;
      isStart = (place - run) % 2 == 0;
    }
    if (!isStart) {
      known = place + 1;  // place is the second byte of a character that starts at place - 1
      continue;
    }
    if (sameBytes(hay + place, pin, needleLength, ignoreCase)) {
      return static_cast<std::int32_t>(place + 1);
    }
    known = place + (hay[place] >= 0x80 ? 2 : 1);
  }
  return -1;
}

// Part 1.3, countOccurrences, step for step; between() is the message dispatch of each step.
// An empty needle would make the steps stand still (findText gives 1 for every non-empty
// stretch): it counts 0 in an empty text and 1 in any other, after one step.
std::int32_t countOccurrences(const Text& text, const Text& needle, bool caseSensitive,
                              const std::function<void()>& between) {
  const bool ignoreCase = !caseSensitive;
  std::int32_t p = findText(text, needle, std::nullopt, ignoreCase);
  if (p == -1) return 0;
  if (needle.empty()) {
    if (between) between();
    return 1;
  }
  std::int32_t count = 1;
  while (p != -1) {
    std::int32_t q = findText(text, needle, p + 1, ignoreCase);
    if (q == -1) q = findText(text, needle, p + 2, ignoreCase);
    if (between) between();
    if (q != -1) ++count;
    p = q;
  }
  return count;
}

// Part 1.2, escapePattern. The Part's nine replacement passes each walk the text by GBK
// characters and only put ASCII backslashes in front of ASCII bytes, so the character starts
// never shift and one walk gives the same text.
Text escapePattern(const Text& text) {
  Text out;
  out.reserve(text.size() + text.size() / 8 + 4);
  const std::size_t length = text.size();
  for (std::size_t i = 0; i < length;) {
    const Byte b = static_cast<Byte>(text[i]);
    if (b >= 0x80) {
      out += text[i];
      if (i + 1 < length) out += text[i + 1];
      i += 2;
      continue;
    }
    switch (b) {
      case '?':
      case '*':
      case '+':
      case '[':
      case ']':
      case '(':
      case ')':
      case '{':
      case '}':
        out += '\\';
        break;
      default:
        break;
    }
    out += static_cast<char>(b);
    ++i;
  }
  return out;
}

// Part 1.1 step 11: A3 xx with xx from A1 to FE becomes the byte xx - 80 (full-width ASCII
// forms), A1 A1 (the ideographic space) becomes a space; walked by GBK characters, so a
// second byte is never taken for the start of such a pair.
Text foldFullWidth(const Text& text) {
  Text out;
  out.reserve(text.size());
  const std::size_t length = text.size();
  for (std::size_t i = 0; i < length;) {
    const Byte b = static_cast<Byte>(text[i]);
    if (b < 0x80) {
      out += text[i];
      ++i;
      continue;
    }
    if (i + 1 >= length) {  // a first byte at the very end stays as it is
      out += text[i];
      ++i;
      continue;
    }
    const Byte trail = static_cast<Byte>(text[i + 1]);
    if (b == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out += static_cast<char>(trail - 0x80);
    } else if (b == 0xA1 && trail == 0xA1) {
      out += ' ';
    } else {
      out += text[i];
      out += text[i + 1];
    }
    i += 2;
  }
  return out;
}

// Reading a number from a box (Overview; Part 1.1 step 11): after folding, optional white
// space (space, tab, LF, VT, FF, CR), an optional "+" or "-", then the decimal digits up to
// the first other byte; 0 without digits. A value beyond the 32-bit range gives the nearest
// 32-bit value (2147483647 or -2147483648).
std::int32_t readInteger(const Text& text) {
  const Text folded = foldFullWidth(text);
  std::size_t i = 0;
  const std::size_t length = folded.size();
  while (i < length && (folded[i] == ' ' || (folded[i] >= '\t' && folded[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < length && (folded[i] == '+' || folded[i] == '-')) {
    negative = folded[i] == '-';
    ++i;
  }
  constexpr std::int64_t limit = static_cast<std::int64_t>(INT32_MAX) + 1;  // |INT32_MIN|
  std::int64_t magnitude = 0;
  for (; i < length && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (folded[i] - '0');
    if (magnitude > limit) magnitude = limit;  // stays saturated for every further digit
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return static_cast<std::int32_t>(magnitude >= limit ? INT32_MAX : magnitude);
}

}  // namespace brindel
