#pragma once
// PatternMatcher (Part 1.2): one "VBScript.RegExp" automation object, reached late-bound
// through IDispatch, with the match collection of its last Execute and a copy of the text
// searched. Construction initialises COM for the thread, destruction uninitialises it.

#include <cstdint>
#include <memory>

#include "engine/com.h"
#include "engine/text.h"

namespace brindel {

class PatternMatcher {
 public:
  PatternMatcher();
  // The operations in the slot order of the Part.
  virtual ~PatternMatcher();
  virtual std::unique_ptr<PatternMatcher> clone() const;
  virtual bool search(const Text& pattern, const Text& text, bool caseSensitive = false,
                      bool multiline = true, bool global = true);
  virtual Text patternText();
  virtual Text replaceMatches(const Text& replacement);
  virtual std::int32_t matchCount();
  // index from 1; position (when given) receives the 0-based byte offset of the match text in
  // the subject found from the match's FirstIndex, -2 when not found.
  virtual Text matchText(std::int32_t index, std::int32_t* position = nullptr);
  // matchIndex and groupIndex from 1; an empty text for a group that took no part.
  virtual Text subMatchText(std::int32_t matchIndex, std::int32_t groupIndex,
                            std::int32_t* position = nullptr);
  virtual std::int32_t subMatchCount();

  PatternMatcher(const PatternMatcher&) = delete;
  PatternMatcher& operator=(const PatternMatcher&) = delete;

  // Every group 1 of the match collection, in order (what extractBetween reads, through the
  // collection's enumerator instead of one Item call per match).
  TextArray allFirstGroups();

 private:
  // DISPIDs of the three kinds of object, looked up once per matcher.
  struct Names {
    com::DispId ignoreCase{L"IgnoreCase"}, multiline{L"Multiline"}, global{L"Global"},
        pattern{L"Pattern"}, execute{L"Execute"}, replace{L"Replace"};
    com::DispId count{L"Count"}, item{L"Item"}, newEnum{L"_NewEnum"};
    com::DispId value{L"Value"}, firstIndex{L"FirstIndex"}, subMatches{L"SubMatches"};
    com::DispId subCount{L"Count"}, subItem{L"Item"};
  };

  com::ComPtr<IDispatch> match(std::int32_t index);
  std::int32_t positionOf(const Text& found, IDispatch* match);

  com::ScopedComInit comInit_;
  com::ComPtr<IDispatch> regexObject_;
  com::ComPtr<IDispatch> matchCollection_;
  Text subject_;
  Names names_;
};

}  // namespace brindel
