// Part 1.3, removeDuplicates: the seen-set is the attributes of the element 数组/qu of a
// "Microsoft.XMLDOM" document, one attribute "a" + value per distinct value.
#include "engine/dedupe.h"

#include <string>
#include <vector>

#include "engine/gbk.h"
#include "engine/xml_document.h"

namespace brindel {
namespace {

using com::Bstr;
using com::ComPtr;

// Walks the values from the last to the first and tells, for each, whether an attribute of its
// name was in the set already (the same value stands at a later place: the entry goes).
//
// The Part detects that through the attribute that setAttributeNode hands back. Wine's
// setAttributeNode never hands one back, so the test here is one that both platforms honour:
// getAttribute before anything is set (S_OK with a value when the attribute is there, S_FALSE
// with VT_NULL when not). Only a value not yet in the set gets an attribute (createAttribute,
// then setAttributeNode); what setAttributeNode hands back is still heeded. A name that is not
// an XML name by isPortableXmlName is refused before the object sees it, as Windows'
// createAttribute refuses it: such a value keeps every copy.
//
// The set: with buckets == 1 it is the Part's data model, every attribute on 数组/qu. Both
// objects look an attribute up by walking the element's attributes one by one, so one element
// holding all n names makes the n look-ups cost n*n/2 name comparisons: about 95 ms for 10,000
// notices of 2,000 names and three to four times that at twice the size (measured here, Wine
// 8). With more buckets the attributes are spread over that many child elements of 数组/qu,
// each name always on the element that the hash of its UTF-16 text picks, so each look-up
// walks about n/buckets attributes. The object still decides every membership, and the
// result is the same for every bucket count; only the cost changes. See kBuckets.
template <class Value, class NameOf>
std::vector<bool> findEarlierCopies(const std::vector<Value>& values, NameOf nameOf, int buckets) {
  std::vector<bool> drop(values.size(), false);
  if (values.empty()) return drop;
  if (buckets < 1) buckets = 1;

  XmlDocument xml;
  xml.newDocument(gbk(u8"数组"));
  xml.insertElement(gbk(u8"数组"), "qu", Text());
  Text path = gbk(u8"数组/qu");
  const ComPtr<IXMLDOMNode> set = xml.selectNode(path);
  const ComPtr<IXMLDOMDocument> doc = xml.documentObject();
  const ComPtr<IXMLDOMElement> element = set.as<IXMLDOMElement>();
  if (!doc || !element) return drop;

  // The bucket elements, made when first needed; bucket 0 of a one-bucket set is qu itself.
  std::vector<ComPtr<IXMLDOMElement>> bucket(static_cast<std::size_t>(buckets));
  if (buckets == 1) bucket[0] = element;
  auto bucketFor = [&](const std::wstring& name) -> IXMLDOMElement* {
    std::uint32_t hash = 2166136261u;  // FNV-1a over the UTF-16 units
    for (wchar_t c : name) hash = (hash ^ static_cast<std::uint16_t>(c)) * 16777619u;
    ComPtr<IXMLDOMElement>& slot = bucket[hash % static_cast<std::uint32_t>(buckets)];
    if (!slot) {
      const Bstr tag(L"b");
      ComPtr<IXMLDOMElement> made;
      ComPtr<IXMLDOMNode> appended;
      if (SUCCEEDED(doc->createElement(tag.get(), made.put())) && made &&
          SUCCEEDED(element->appendChild(made.get(), appended.put())) && appended) {
        slot = appended.as<IXMLDOMElement>();
      }
    }
    return slot.get();
  };

  std::wstring name;
  for (std::size_t v = values.size(); v-- > 0;) {
    name.assign(1, L'a');
    name += nameOf(values[v]);
    if (!isPortableXmlName(name)) continue;
    IXMLDOMElement* holder = bucketFor(name);
    if (holder == nullptr) continue;
    const Bstr attributeName(name);
    VARIANT present;
    VariantInit(&present);
    const HRESULT found = holder->getAttribute(attributeName.get(), &present);
    const bool there = found == S_OK && present.vt != VT_NULL;
    VariantClear(&present);
    if (there) {
      drop[v] = true;
      continue;
    }
    ComPtr<IXMLDOMAttribute> attribute;
    if (FAILED(doc->createAttribute(attributeName.get(), attribute.put())) || !attribute) continue;
    ComPtr<IXMLDOMAttribute> displaced;
    if (SUCCEEDED(holder->setAttributeNode(attribute.get(), displaced.put())) && displaced) {
      drop[v] = true;
    }
  }
  bucket.clear();
  xml.close();
  return drop;
}

// Removes the marked entries; those that stay keep their order (one pass, not one erase each).
template <class Value>
void removeMarked(std::vector<Value>& values, const std::vector<bool>& drop) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (drop[i]) continue;
    if (kept != i) values[kept] = std::move(values[i]);
    ++kept;
  }
  values.resize(kept);
}

}  // namespace

namespace detail {

std::int32_t removeDuplicates(TextArray& texts, IntArray& ints, std::int32_t mode, int buckets) {
  if (mode == 0) {
    removeMarked(texts, findEarlierCopies(
                            texts, [](const Text& t) { return widenGbk(t); }, buckets));
    return static_cast<std::int32_t>(texts.size());
  }
  if (mode == 1) {
    removeMarked(ints, findEarlierCopies(
                           ints, [](std::int32_t i) { return std::to_wstring(i); }, buckets));
    return static_cast<std::int32_t>(ints.size());
  }
  return -1;
}

}  // namespace detail

std::int32_t removeDuplicates(TextArray& texts, IntArray& ints, std::int32_t mode) {
  return detail::removeDuplicates(texts, ints, mode, detail::kBuckets);
}

}  // namespace brindel
