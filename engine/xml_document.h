#pragma once
// XmlDocument (subsystem 4, the part that Part 1.3 specifies): one "Microsoft.XMLDOM"
// automation object. The object is created from that ProgID and reached through its
// early-bound IXMLDOM* interfaces (the same object late binding would reach, without the
// name lookups and argument packing of IDispatch::Invoke on every call).

#include <msxml2.h>

// MinGW's msxml2.h declares these interfaces without their IIDs for __uuidof (msxml2.idl).
#ifndef BRINDEL_MSXML_UUIDS
#define BRINDEL_MSXML_UUIDS
__CRT_UUID_DECL(IXMLDOMNode, 0x2933bf80, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e,
                0x60)
__CRT_UUID_DECL(IXMLDOMDocument, 0x2933bf81, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98,
                0x3e, 0x60)
__CRT_UUID_DECL(IXMLDOMAttribute, 0x2933bf85, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98,
                0x3e, 0x60)
__CRT_UUID_DECL(IXMLDOMElement, 0x2933bf86, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98,
                0x3e, 0x60)
__CRT_UUID_DECL(IXMLDOMDocument2, 0x2933bf95, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98,
                0x3e, 0x60)
#endif

#include "engine/com.h"
#include "engine/text.h"

namespace brindel {

class XmlDocument {
 public:
  // Creates the "Microsoft.XMLDOM" object (COM is initialised for the thread for the life of
  // the document, in a balanced pair) and selects nodes with XPath from then on.
  XmlDocument();
  // close(), then the field is freed.
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // Loads the template "<?xml version="1.0" encoding="gbk" ?>\r\n<根></根>" with the first
  // two occurrences of 根 replaced by rootName; the result of loadXML.
  bool newDocument(const Text& rootName);
  // Appends an element name with the text under the node that parentPath selects; true when
  // appendChild returned a node. With asCdata the text goes into a CDATA section instead.
  bool insertElement(Text parentPath, const Text& name, const Text& text, bool asCdata = false);
  // Normalises path (a trailing "/" goes and "//" comes in front; no leading "//" gets one)
  // and returns selectSingleNode of it on the document element; empty when nothing matches.
  com::ComPtr<IXMLDOMNode> selectNode(Text& path);
  // A further reference to the document object; empty after close.
  com::ComPtr<IXMLDOMDocument> documentObject();
  // Releases the document object.
  void close();

 private:
  void useXPath();

  com::ScopedComInit comInit_;
  com::ComPtr<IXMLDOMDocument2> document_;
};

// True when name is an attribute name that XmlDocument's users may create: an XML 1.0 name
// by the narrow rule in xml_document.cpp (no ":"). See there.
bool isPortableXmlName(const std::wstring& name);

}  // namespace brindel
