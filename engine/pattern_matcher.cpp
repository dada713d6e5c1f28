#include "engine/pattern_matcher.h"

#include "engine/gbk.h"

namespace brindel {

using com::Bstr;
using com::ComPtr;
using com::Variant;

PatternMatcher::PatternMatcher() = default;  // comInit_: CoInitialize(nullptr)

// The Part's clean-up (release regexObject, empty subject, CoUninitialize), then the release of
// matchCollection. The collection is released here before CoUninitialize (which comInit_ runs
// after this body) rather than after it: releasing an object once the thread's last COM
// initialisation has ended is not safe. The two COM calls stay a balanced pair.
PatternMatcher::~PatternMatcher() {
  regexObject_.reset();
  subject_.clear();
  matchCollection_.reset();
}

std::unique_ptr<PatternMatcher> PatternMatcher::clone() const {
  auto copy = std::make_unique<PatternMatcher>();
  copy->regexObject_ = regexObject_;
  copy->matchCollection_ = matchCollection_;
  copy->subject_ = subject_;
  copy->names_ = names_;
  return copy;
}

bool PatternMatcher::search(const Text& pattern, const Text& text, bool caseSensitive,
                            bool multiline, bool global) {
  regexObject_ = com::createObject(L"VBScript.RegExp");
  IDispatch* regex = regexObject_.get();
  // The results of the property writes are not looked at (Part 1.2).
  com::putProperty(regex, names_.ignoreCase, com::byValBool(!caseSensitive));
  com::putProperty(regex, names_.multiline, com::byValBool(multiline));
  com::putProperty(regex, names_.global, com::byValBool(global));
  const Bstr patternBstr = Bstr::fromGbk(pattern);
  com::putProperty(regex, names_.pattern, com::byVal(patternBstr.get()));

  const Bstr textBstr = Bstr::fromGbk(text);
  Variant result;
  ComPtr<IDispatch> collection;
  if (regex != nullptr && SUCCEEDED(com::callMethod(regex, names_.execute,
                                                    {com::byVal(textBstr.get())}, result.put()))) {
    collection = result.toDispatch();
  }
  matchCollection_ = collection;
  subject_ = text;
  return static_cast<bool>(matchCollection_);
}

Text PatternMatcher::patternText() {
  if (!regexObject_) return {};
  Variant value;
  if (FAILED(com::getProperty(regexObject_.get(), names_.pattern, value.put()))) return {};
  return value.toGbk();
}

Text PatternMatcher::replaceMatches(const Text& replacement) {
  if (!regexObject_) return {};
  const Bstr subject = Bstr::fromGbk(subject_);
  const Bstr with = Bstr::fromGbk(replacement);
  Variant result;
  if (FAILED(com::callMethod(regexObject_.get(), names_.replace,
                             {com::byVal(subject.get()), com::byVal(with.get())}, result.put()))) {
    return {};
  }
  return result.toGbk();
}

std::int32_t PatternMatcher::matchCount() {
  if (!matchCollection_) return 0;
  Variant count;
  if (FAILED(com::getProperty(matchCollection_.get(), names_.count, count.put()))) return 0;
  return count.toInt32();
}

ComPtr<IDispatch> PatternMatcher::match(std::int32_t index) {
  if (!matchCollection_) return {};
  Variant item;
  if (FAILED(com::getProperty(matchCollection_.get(), names_.item, item.put(),
                              {com::byVal(index - 1)}))) {
    return {};
  }
  return item.toDispatch();
}

// The position output: findText of the found text in subject from the byte position equal to
// the match's FirstIndex (a character index used as a byte position, as the Part says; below
// 1 counts as 1), minus one. The case flag of that search is set exactly when the IgnoreCase
// property, read back as text, is "0" (VariantChangeType renders False as "0"), which is what
// the Part leaves to the automation object's rendering.
std::int32_t PatternMatcher::positionOf(const Text& found, IDispatch* match) {
  Variant first;
  com::getProperty(match, names_.firstIndex, first.put());
  std::int32_t start = first.toInt32();
  if (start < 1) start = 1;
  Variant ignore;
  com::getProperty(regexObject_.get(), names_.ignoreCase, ignore.put());
  const bool caseFlag = regexObject_ && ignore.toGbk() == "0";
  return findText(subject_, found, start, caseFlag) - 1;
}

Text PatternMatcher::matchText(std::int32_t index, std::int32_t* position) {
  const ComPtr<IDispatch> item = match(index);
  Text text;
  if (item) {
    Variant value;
    if (SUCCEEDED(com::getProperty(item.get(), names_.value, value.put()))) text = value.toGbk();
  }
  if (position != nullptr) *position = item ? positionOf(text, item.get()) : -2;
  return text;
}

Text PatternMatcher::subMatchText(std::int32_t matchIndex, std::int32_t groupIndex,
                                  std::int32_t* position) {
  const ComPtr<IDispatch> item = match(matchIndex);
  Text text;
  if (item) {
    Variant subMatches;
    if (SUCCEEDED(com::getProperty(item.get(), names_.subMatches, subMatches.put()))) {
      const ComPtr<IDispatch> groups = subMatches.toDispatch();
      Variant value;
      if (groups && SUCCEEDED(com::getProperty(groups.get(), names_.subItem, value.put(),
                                               {com::byVal(groupIndex - 1)}))) {
        text = value.toGbk();  // VT_EMPTY for a group that took no part: an empty text
      }
    }
  }
  if (position != nullptr) *position = item ? positionOf(text, item.get()) : -2;
  return text;
}

std::int32_t PatternMatcher::subMatchCount() {
  const ComPtr<IDispatch> first = match(1);
  if (!first) return 0;
  Variant subMatches;
  if (FAILED(com::getProperty(first.get(), names_.subMatches, subMatches.put()))) return 0;
  const ComPtr<IDispatch> groups = subMatches.toDispatch();
  Variant count;
  if (!groups || FAILED(com::getProperty(groups.get(), names_.subCount, count.put()))) return 0;
  return count.toInt32();
}

TextArray PatternMatcher::allFirstGroups() {
  TextArray groups;
  if (!matchCollection_) return groups;
  auto firstGroup = [this](IDispatch* item) {
    Variant subMatches;
    if (FAILED(com::getProperty(item, names_.subMatches, subMatches.put()))) return Text();
    const ComPtr<IDispatch> list = subMatches.toDispatch();
    Variant value;
    if (!list ||
        FAILED(com::getProperty(list.get(), names_.subItem, value.put(), {com::byVal(0)}))) {
      return Text();
    }
    return value.toGbk();
  };

  Variant enumerator;
  ComPtr<IEnumVARIANT> items;
  if (SUCCEEDED(com::getProperty(matchCollection_.get(), names_.newEnum, enumerator.put()))) {
    if (enumerator.value().vt == VT_UNKNOWN || enumerator.value().vt == VT_DISPATCH) {
      IUnknown* unknown = enumerator.value().vt == VT_UNKNOWN ? enumerator.value().punkVal
                                                              : enumerator.value().pdispVal;
      if (unknown) unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.put()));
    }
  }
  if (items) {
    groups.reserve(static_cast<std::size_t>(matchCount()));
    constexpr ULONG batch = 64;
    VARIANT got[batch];
    for (;;) {
      ULONG fetched = 0;
      const HRESULT hr = items->Next(batch, got, &fetched);
      for (ULONG i = 0; i < fetched; ++i) {
        if (got[i].vt == VT_DISPATCH && got[i].pdispVal) {
          groups.push_back(firstGroup(got[i].pdispVal));
        } else {
          groups.emplace_back();
        }
        VariantClear(&got[i]);
      }
      if (hr != S_OK || fetched == 0) break;
    }
    return groups;
  }
  const std::int32_t n = matchCount();
  groups.reserve(static_cast<std::size_t>(n > 0 ? n : 0));
  for (std::int32_t i = 1; i <= n; ++i) groups.push_back(subMatchText(i, 1));
  return groups;
}

}  // namespace brindel
