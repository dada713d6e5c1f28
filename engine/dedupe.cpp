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
// getAttributeNode before anything is set. Only a value not yet in the set gets an attribute
// (createAttribute, then setAttributeNode); what setAttributeNode hands back is still heeded.
// A name that is not an XML name by isPortableXmlName is refused before the object sees it, as
// Windows' createAttribute refuses it: such a value keeps every copy.
template <class Value, class NameOf>
std::vector<bool> findEarlierCopies(const std::vector<Value>& values, NameOf nameOf) {
  std::vector<bool> drop(values.size(), false);
  if (values.empty()) return drop;

  XmlDocument xml;
  xml.newDocument(gbk(u8"数组"));
  xml.insertElement(gbk(u8"数组"), "qu", Text());
  Text path = gbk(u8"数组/qu");
  const ComPtr<IXMLDOMNode> set = xml.selectNode(path);
  const ComPtr<IXMLDOMDocument> doc = xml.documentObject();
  const ComPtr<IXMLDOMElement> element = set.as<IXMLDOMElement>();
  if (!doc || !element) return drop;

  std::wstring name;
  for (std::size_t v = values.size(); v-- > 0;) {
    name.assign(1, L'a');
    name += nameOf(values[v]);
    if (!isPortableXmlName(name)) continue;
    const Bstr attributeName(name);
    ComPtr<IXMLDOMAttribute> present;
    if (SUCCEEDED(element->getAttributeNode(attributeName.get(), present.put())) && present) {
      drop[v] = true;
      continue;
    }
    ComPtr<IXMLDOMAttribute> attribute;
    if (FAILED(doc->createAttribute(attributeName.get(), attribute.put())) || !attribute) continue;
    ComPtr<IXMLDOMAttribute> displaced;
    if (SUCCEEDED(element->setAttributeNode(attribute.get(), displaced.put())) && displaced) {
      drop[v] = true;
    }
  }
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

std::int32_t removeDuplicates(TextArray& texts, IntArray& ints, std::int32_t mode) {
  if (mode == 0) {
    removeMarked(texts, findEarlierCopies(texts, [](const Text& t) { return widenGbk(t); }));
    return static_cast<std::int32_t>(texts.size());
  }
  if (mode == 1) {
    removeMarked(ints, findEarlierCopies(ints, [](std::int32_t i) { return std::to_wstring(i); }));
    return static_cast<std::int32_t>(ints.size());
  }
  return -1;
}

}  // namespace brindel
