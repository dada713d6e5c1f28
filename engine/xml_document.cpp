#include "engine/xml_document.h"

#include <iterator>

#include "engine/gbk.h"

namespace brindel {

using com::Bstr;
using com::ComPtr;

namespace {

struct Range {
  unsigned first, last;
};

// Characters allowed after the first character of a name (NameChar), by the narrow rule.
//
// The two objects judge names by different editions of XML 1.0: MSXML on Windows by the
// character classes of Appendix B (1st to 4th edition), Wine's msxml3 (libxml2) by those of the
// 5th edition, which allow every earlier name and many more (for instance "、", "。" and the
// full-width forms). And Wine's createAttribute accepts any name at all. A name that one side
// takes and the other refuses would be deduplicated on one platform only, so names are judged
// here, before the object sees them, by a rule that both editions accept: the Appendix B
// classes, narrowed to the scripts that code page 936 can hold (ASCII, Latin with the pinyin
// letters, Greek, Cyrillic, the CJK ideographs, kana, bopomofo; Hangul for completeness).
// Everything else, the ideographic punctuation, the full-width forms, the private use area,
// symbols such as "★", white space and controls, is refused: such a value keeps every copy.
//
// ":" is refused too. Both objects read a name with a colon as prefix:local-part of a
// namespace, and they do not treat an undeclared prefix alike; the Part leaves ":" to the
// implementer, and refusing it makes a value with a colon keep every copy everywhere.
constexpr Range kNameChars[] = {
    {'-', '.'},       {'0', '9'},       {'A', 'Z'},       {'_', '_'},       {'a', 'z'},
    {0x00B7, 0x00B7}, {0x00C0, 0x00D6}, {0x00D8, 0x00F6}, {0x00F8, 0x0131}, {0x0134, 0x013E},
    {0x0141, 0x0148}, {0x014A, 0x017E}, {0x0180, 0x01C3}, {0x01CD, 0x01F0}, {0x01F4, 0x01F5},
    {0x01FA, 0x0217}, {0x0250, 0x02A8}, {0x02BB, 0x02C1}, {0x02D0, 0x02D1}, {0x0386, 0x038A},
    {0x038C, 0x038C}, {0x038E, 0x03A1}, {0x03A3, 0x03CE}, {0x03D0, 0x03D6}, {0x03DA, 0x03DA},
    {0x03DC, 0x03DC}, {0x03DE, 0x03DE}, {0x03E0, 0x03E0}, {0x03E2, 0x03F3}, {0x0401, 0x040C},
    {0x040E, 0x044F}, {0x0451, 0x045C}, {0x045E, 0x0481}, {0x0490, 0x04C4}, {0x04C7, 0x04C8},
    {0x04CB, 0x04CC}, {0x04D0, 0x04EB}, {0x04EE, 0x04F5}, {0x04F8, 0x04F9}, {0x3005, 0x3005},
    {0x3007, 0x3007}, {0x3021, 0x3029}, {0x3031, 0x3035}, {0x3041, 0x3094}, {0x309D, 0x309E},
    {0x30A1, 0x30FA}, {0x30FC, 0x30FE}, {0x3105, 0x312C}, {0x4E00, 0x9FA5}, {0xAC00, 0xD7A3},
};

bool isNameChar(wchar_t c) {
  const unsigned u = static_cast<unsigned>(c);
  for (const Range& r : kNameChars) {
    if (u < r.first) return false;  // the table is sorted
    if (u <= r.last) return true;
  }
  return false;
}

bool isNameStartChar(wchar_t c) {
  // Appendix B: Letter | '_' (':' refused, see above); the start characters of the table are
  // every entry but the digits, '-', '.', the extenders U+00B7, U+02D0-02D1, U+3005, U+3031-3035,
  // U+309D-309E, U+30FC-30FE.
  if (c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  if (c < 0x80) return false;
  if (c == 0x00B7 || c == 0x02D0 || c == 0x02D1 || c == 0x3005 || (c >= 0x3031 && c <= 0x3035) ||
      (c >= 0x309D && c <= 0x309E) || (c >= 0x30FC && c <= 0x30FE)) {
    return false;
  }
  return isNameChar(c);
}

const wchar_t kTemplate[] = L"<?xml version=\"1.0\" encoding=\"gbk\" ?>\r\n<根></根>";

}  // namespace

bool isPortableXmlName(const std::wstring& name) {
  if (name.empty() || !isNameStartChar(name[0])) return false;
  for (std::size_t i = 1; i < name.size(); ++i) {
    if (!isNameChar(name[i])) return false;
  }
  return true;
}

XmlDocument::XmlDocument() {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(L"Microsoft.XMLDOM", &clsid))) return;
  CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IXMLDOMDocument2),
                   reinterpret_cast<void**>(document_.put()));
  // Wine's default selection language (XSLPattern) finds no element named 数组; XPath does,
  // on Windows as well.
  useXPath();
}

void XmlDocument::useXPath() {
  if (!document_) return;
  const Bstr name(L"SelectionLanguage");
  const Bstr value(L"XPath");
  VARIANT language = com::byVal(value.get());
  document_->setProperty(name.get(), language);
}

XmlDocument::~XmlDocument() {
  close();
}

void XmlDocument::close() {
  document_.reset();
}

ComPtr<IXMLDOMDocument> XmlDocument::documentObject() {
  return document_.as<IXMLDOMDocument>();
}

bool XmlDocument::newDocument(const Text& rootName) {
  if (!document_) return false;
  // The template with its first two 根 replaced, in GBK as the Part writes it, then widened.
  Text xml = narrowGbk(kTemplate);
  const Text root = gbk(u8"根");
  std::int32_t from = 1;
  for (int replaced = 0; replaced < 2; ++replaced) {
    const std::int32_t at = findText(xml, root, from, false);
    if (at == -1) break;
    xml.replace(static_cast<std::size_t>(at - 1), root.size(), rootName);
    from = at + static_cast<std::int32_t>(rootName.size());
  }
  const Bstr source = Bstr::fromGbk(xml);
  VARIANT_BOOL loaded = VARIANT_FALSE;
  document_->loadXML(source.get(), &loaded);
  useXPath();  // again for the new document, should the load have reset it
  return loaded == VARIANT_TRUE;
}

ComPtr<IXMLDOMNode> XmlDocument::selectNode(Text& path) {
  if (!path.empty() && path.back() == '/') {
    path.pop_back();
    path = "//" + path;
  }
  if (path.compare(0, 2, "//") != 0) path = "//" + path;
  ComPtr<IXMLDOMNode> node;
  if (!document_) return node;
  ComPtr<IXMLDOMElement> root;
  if (FAILED(document_->get_documentElement(root.put())) || !root) return node;
  const Bstr query = Bstr::fromGbk(path);
  if (FAILED(root->selectSingleNode(query.get(), node.put()))) node.reset();
  return node;
}

bool XmlDocument::insertElement(Text parentPath, const Text& name, const Text& text, bool asCdata) {
  if (!document_) return false;
  const ComPtr<IXMLDOMNode> parent = selectNode(parentPath);
  ComPtr<IXMLDOMElement> element;
  const Bstr elementName = Bstr::fromGbk(name);
  if (FAILED(document_->createElement(elementName.get(), element.put())) || !element) return false;
  const Bstr content = Bstr::fromGbk(text);
  if (asCdata) {
    ComPtr<IXMLDOMCDATASection> section;
    if (SUCCEEDED(document_->createCDATASection(content.get(), section.put())) && section) {
      ComPtr<IXMLDOMNode> added;
      element->appendChild(section.get(), added.put());
    }
  } else {
    // An element refuses a nodeValue; the write is made as the Part says and has no effect.
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = content.get();
    element->put_nodeValue(value);
    element->put_text(content.get());
  }
  if (!parent) return false;
  ComPtr<IXMLDOMNode> appended;
  if (FAILED(parent->appendChild(element.get(), appended.put()))) return false;
  return static_cast<bool>(appended);
}

}  // namespace brindel
