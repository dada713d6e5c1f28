// XmlDocument (the part of subsystem 4 that Part 1.3 uses), on the real "Microsoft.XMLDOM".
#include "engine/xml_document.h"

#include <gtest/gtest.h>

#include "engine/gbk.h"

namespace brindel {
namespace {

using com::Bstr;
using com::ComPtr;

Text xmlOf(XmlDocument& document) {
  const ComPtr<IXMLDOMDocument> doc = document.documentObject();
  if (!doc) return "<none>";
  Bstr xml;
  doc->get_xml(xml.put());
  return xml.toGbk();
}

Text rootName(XmlDocument& document) {
  const ComPtr<IXMLDOMDocument> doc = document.documentObject();
  ComPtr<IXMLDOMElement> root;
  if (!doc || FAILED(doc->get_documentElement(root.put())) || !root) return "<none>";
  Bstr name;
  root->get_nodeName(name.put());
  return name.toGbk();
}

Text nameOf(const ComPtr<IXMLDOMNode>& node) {
  Bstr name;
  if (node) node->get_nodeName(name.put());
  return name.toGbk();
}

TEST(XmlDocument, NewDocumentLoadsTheTemplate) {
  XmlDocument document;
  ASSERT_TRUE(document.documentObject());
  EXPECT_TRUE(document.newDocument(gbk(u8"数组")));
  EXPECT_EQ(rootName(document), gbk(u8"数组"));
  EXPECT_TRUE(document.newDocument("list"));
  EXPECT_EQ(rootName(document), "list");
  EXPECT_EQ(xmlOf(document).find(gbk(u8"数组")), Text::npos) << "the new document replaced the old";
}

TEST(XmlDocument, NewDocumentFailsForABadRoot) {
  XmlDocument document;
  EXPECT_FALSE(document.newDocument("a b"));
  EXPECT_FALSE(document.newDocument(""));
}

struct PathCase {
  Text path;
  Text normalised;
  Text found;  // name of the node found, empty for none
};

class SelectNodeTest : public testing::TestWithParam<PathCase> {};

TEST_P(SelectNodeTest, NormalisesThePathAndSelectsWithXPath) {
  XmlDocument document;
  ASSERT_TRUE(document.newDocument(gbk(u8"数组")));
  ASSERT_TRUE(document.insertElement(gbk(u8"数组"), "qu", Text()));
  Text path = GetParam().path;
  const ComPtr<IXMLDOMNode> node = document.selectNode(path);
  EXPECT_EQ(path, GetParam().normalised);
  EXPECT_EQ(nameOf(node), GetParam().found) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectNodeTest,
                         testing::Values(PathCase{gbk(u8"数组/qu"), gbk(u8"//数组/qu"), "qu"},
                                         PathCase{gbk(u8"数组"), gbk(u8"//数组"), gbk(u8"数组")},
                                         PathCase{gbk(u8"数组/"), gbk(u8"//数组"), gbk(u8"数组")},
                                         PathCase{gbk(u8"//数组/qu"), gbk(u8"//数组/qu"), "qu"},
                                         PathCase{"qu", "//qu", "qu"},
                                         PathCase{"qu/", "//qu", "qu"},
                                         PathCase{"nothing", "//nothing", ""},
                                         PathCase{"", "//", ""}));

TEST(XmlDocument, InsertElementAppendsUnderTheParent) {
  XmlDocument document;
  ASSERT_TRUE(document.newDocument(gbk(u8"数组")));
  EXPECT_TRUE(document.insertElement(gbk(u8"数组"), "qu", Text()));
  EXPECT_TRUE(document.insertElement(gbk(u8"数组/qu"), gbk(u8"名"), gbk(u8"张三")));
  Text path = gbk(u8"数组/qu/名");
  const ComPtr<IXMLDOMNode> added = document.selectNode(path);
  ASSERT_TRUE(added);
  Bstr text;
  added->get_text(text.put());
  EXPECT_EQ(text.toGbk(), gbk(u8"张三"));
  ComPtr<IXMLDOMNode> parent;
  added->get_parentNode(parent.put());
  EXPECT_EQ(nameOf(parent), "qu");
}

TEST(XmlDocument, InsertElementFailsWithoutParent) {
  XmlDocument document;
  ASSERT_TRUE(document.newDocument(gbk(u8"数组")));
  EXPECT_FALSE(document.insertElement("missing", "qu", Text()));
  // (An element name that is no XML name: Windows' createElement refuses it, Wine's takes it.
  // removeDuplicates only ever inserts "qu".)
}

TEST(XmlDocument, InsertElementAsCdata) {
  XmlDocument document;
  ASSERT_TRUE(document.newDocument("r"));
  EXPECT_TRUE(document.insertElement("r", "e", "<x>", true));
  EXPECT_NE(xmlOf(document).find("<e><![CDATA[<x>]]></e>"), Text::npos) << xmlOf(document);
}

TEST(XmlDocument, DocumentObjectIsAFurtherReference) {
  ComPtr<IXMLDOMDocument> kept;
  {
    XmlDocument document;
    ASSERT_TRUE(document.newDocument("r"));
    kept = document.documentObject();
  }
  ASSERT_TRUE(kept);
  Bstr xml;
  kept->get_xml(xml.put());
  EXPECT_NE(xml.toGbk().find("<r"), Text::npos) << xml.toGbk();
}

TEST(XmlDocument, CloseReleasesTheObject) {
  XmlDocument document;
  document.close();
  EXPECT_FALSE(document.documentObject());
  EXPECT_FALSE(document.newDocument("r"));
  Text path = "r";
  EXPECT_FALSE(document.selectNode(path));
  EXPECT_FALSE(document.insertElement("r", "e", Text()));
  document.close();  // twice is harmless
}

struct NameCase {
  const char8_t* name;
  bool portable;
};

class PortableNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(PortableNameTest, JudgesNamesByTheNarrowRule) {
  const std::wstring name = widenGbk(gbk(GetParam().name));
  EXPECT_EQ(isPortableXmlName(name), GetParam().portable)
      << testing::PrintToString(gbk(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortableNameTest,
    testing::Values(NameCase{u8"a", true}, NameCase{u8"a张三", true}, NameCase{u8"a1-._", true},
                    NameCase{u8"_x", true}, NameCase{u8"abob", true}, NameCase{u8"a阿·卜", true},
                    NameCase{u8"aの々ー", true}, NameCase{u8"aǎé", true}, NameCase{u8"aαЖ", true},
                    NameCase{u8"a〇", true}, NameCase{u8"", false}, NameCase{u8"1a", false},
                    NameCase{u8"-a", false}, NameCase{u8".a", false}, NameCase{u8"·a", false},
                    NameCase{u8"a张 三", false}, NameCase{u8"a<", false}, NameCase{u8"a&", false},
                    NameCase{u8"a\"", false}, NameCase{u8"a(", false}, NameCase{u8"a:x", false},
                    NameCase{u8"a、", false}, NameCase{u8"a。", false}, NameCase{u8"aＡ", false},
                    NameCase{u8"a１", false}, NameCase{u8"a★", false}, NameCase{u8"a\t", false},
                    NameCase{u8"a×", false}, NameCase{u8"aˇ", false}));

}  // namespace
}  // namespace brindel
