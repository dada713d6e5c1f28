// Part 1.2, extractBetween.
#include "engine/extract.h"

#include "engine/pattern_matcher.h"

namespace brindel {

// The capture between the markers. The Part writes it "(.*?)" and relies on "." matching
// every character but a line feed. "VBScript.RegExp" on Windows does that, but on Wine its "."
// stops at a carriage return too, so a notice with a CR inside the name would be found on
// Windows and lost on Wine. The explicit class "[^\n]" (every character but a line feed, CR
// included) says what the Part relies on and gives one result on both. A "." inside a marker
// is still the object's own (Wine: not CR either); markers are pattern syntax by the Part.
constexpr char kCapture[] = "([^\\n]*?)";

std::int32_t extractBetween(const Text& text, const Text& left, const Text& right,
                            TextArray& results, std::int32_t maxLength, const Text& prefix,
                            const Text& suffix, bool keepLeft, bool keepRight) {
  PatternMatcher matcher;
  results.clear();
  const Text pattern = escapePattern(left) + kCapture + escapePattern(right);
  matcher.search(pattern, text);

  // Every subMatchText(i, 1) for i from 1 to matchCount(), read in one walk over the collection.
  TextArray captured = matcher.allFirstGroups();
  results.reserve(captured.size());
  for (Text& s : captured) {
    Text t;
    if (maxLength != 0) {
      // A negative maxLength lets nothing through; with both flags only the left marker goes in.
      if (maxLength < 0 || s.size() > static_cast<std::size_t>(maxLength)) continue;
      t = prefix + s + suffix;
      if (keepLeft) {
        t = left + t;
      } else if (keepRight) {
        t += right;
      }
    } else {
      if (prefix.empty() && suffix.empty() && !keepLeft && !keepRight) {
        results.push_back(std::move(s));
        continue;
      }
      t = prefix + s + suffix;
      if (keepLeft) t = left + t;
      if (keepRight) t += right;
    }
    results.push_back(std::move(t));
  }
  return static_cast<std::int32_t>(results.size());
}

}  // namespace brindel
