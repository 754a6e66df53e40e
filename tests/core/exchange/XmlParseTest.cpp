#include <ostream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/exchange/CXmlDoc.h"
#include "core/exchange/ElementIndex.h"

namespace vardo {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const char* const kPublist = "<PUBLIST>"
                             "<Agent Ver=\"9000\">VARDO</Agent><Count>2</Count>"
                             "<Active>"
                             "<Pub><id>7</id><fname>Anna</fname><lname>Nowak</lname></Pub>"
                             "<Pub><id>9</id><lname>Kowalski</lname></Pub>"
                             "</Active>"
                             "</PUBLIST>";

TEST(CXmlDoc, NavigatesLikeTheImport) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(kPublist));
    EXPECT_EQ(doc.GetResult(), "");

    ASSERT_TRUE(doc.FindNext("PUBLIST"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNext("Agent"));
    EXPECT_EQ(doc.GetAttribute("Ver"), "9000");
    EXPECT_EQ(doc.GetText(), "VARDO");
    ASSERT_TRUE(doc.FindNext("Active")); // skips Count
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNext("Pub"));
    ASSERT_TRUE(doc.FindNextChild("fname"));
    EXPECT_EQ(doc.GetChildText(), "Anna");
    EXPECT_EQ(doc.GetChildTagName(), "fname");
    ASSERT_TRUE(doc.FindNextChild()); // the next child of any name
    EXPECT_EQ(doc.GetChildText(), "Nowak");
    EXPECT_FALSE(doc.FindNextChild("id")); // searching goes forward only
    EXPECT_EQ(doc.GetChildText(), "Nowak");

    ASSERT_TRUE(doc.EnterElement()); // into the first Pub, at its child lname
    EXPECT_EQ(doc.GetTagName(), "lname");
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetTagName(), "Pub");
    EXPECT_EQ(doc.GetChildTagName(), "lname");

    ASSERT_TRUE(doc.FindNext("Pub"));
    ASSERT_TRUE(doc.FindNextChild("id"));
    EXPECT_EQ(doc.GetChildText(), "9");
    EXPECT_FALSE(doc.FindNext("Pub"));
    EXPECT_EQ(doc.GetTagName(), "Pub"); // unchanged by the failed search

    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetTagName(), "PUBLIST");
    EXPECT_FALSE(doc.LeaveElement());

    doc.ResetPosition();
    EXPECT_EQ(doc.GetTagName(), "");
    EXPECT_FALSE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNextChild("Count")); // takes the first element of the level
    EXPECT_EQ(doc.GetTagName(), "PUBLIST");
    EXPECT_EQ(doc.GetChildText(), "2");
}

struct MalformedCase {
    const char* text;
    const char* result;
};

void PrintTo(const MalformedCase& c, std::ostream* out) {
    *out << ::testing::PrintToString(std::string(c.text));
}

class CXmlDocMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(CXmlDocMalformed, LoadsAndReportsWhatItMet) {
    CXmlDoc doc;
    EXPECT_TRUE(doc.SetText(GetParam().text));
    EXPECT_EQ(doc.GetResult(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Items, CXmlDocMalformed,
    ::testing::Values(
        MalformedCase{"<a><b></a>", R"(<unended_start_tag tagname="b" offset="3" offset2="6"/>)"},
        MalformedCase{"<a><b><c></a>", R"(<unended_start_tag tagname="c" offset="6" offset2="9"/>)"
                                       R"(<unended_start_tag tagname="b" offset="3" offset2="9"/>)"},
        MalformedCase{"<a></c></a>", R"(<lone_end_tag tagname="c" offset="3" offset2="7"/>)"},
        MalformedCase{"<a><b></c></b></a>", R"(<lone_end_tag tagname="c" offset="6" offset2="10"/>)"},
        MalformedCase{"<a/><b/>", "<root_has_sibling/>"}, MalformedCase{"just text", "<no_root_element/>"},
        MalformedCase{"", ""}, MalformedCase{"<a>1 < 2</a>", R"(<first_tag_syntax offset="5"/>)"},
        MalformedCase{"<a><!x></a>", R"(<exclamation_tag_syntax offset="3"/>)"},
        MalformedCase{"<a><!-x></a>", R"(<comment_tag_syntax offset="3"/>)"},
        MalformedCase{"<a><![CDAT[x]]></a>", R"(<cdata_section_syntax offset="3"/>)"},
        MalformedCase{"<a><!DOC></a>", R"(<doctype_tag_syntax offset="3"/>)"},
        MalformedCase{"<a><!-- x", R"(<unterminated_tag_syntax type="comment" offset="3"/>)"
                                   R"(<unended_start_tag tagname="a" offset="0" offset2="9"/>)"},
        MalformedCase{"<a></a", R"(<unterminated_tag_syntax type="end_tag" offset="3"/>)"
                                R"(<unended_start_tag tagname="a" offset="0" offset2="6"/>)"},
        MalformedCase{"<a b=\"x>", R"(<unterminated_tag_syntax type="start_tag" offset="0"/><no_root_element/>)"},
        MalformedCase{"<a/>x<", R"(<unterminated_tag_syntax type="tag" offset="5"/>)"},
        MalformedCase{"<a/><![CDA", R"(<unterminated_tag_syntax type="tag" offset="4"/>)"},
        MalformedCase{"<a/><?pi", R"(<unterminated_tag_syntax type="processing_instruction" offset="4"/>)"},
        MalformedCase{"<a/><![CDATA[x", R"(<unterminated_tag_syntax type="cdata_section" offset="4"/>)"},
        MalformedCase{"<!DOCTYPE a [<!ENTITY x \"]>\">",
                      R"(<unterminated_tag_syntax type="document_type" offset="0"/><no_root_element/>)"},
        MalformedCase{"<!DOCTYPE a [<!ENTITY x \"]>\"> <!-- ] > -->]><a/>", ""},
        MalformedCase{"<a></b&\"></a>", R"(<lone_end_tag tagname="b&amp;&quot;" offset="3" offset2="9"/>)"}));

TEST(CXmlDoc, MalformedDocumentStillNavigates) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<a><b>1</c><d>2</a><e>3</e>"));
    EXPECT_THAT(doc.GetResult(), HasSubstr(R"(<lone_end_tag tagname="c")"));
    EXPECT_THAT(doc.GetResult(), HasSubstr(R"(<unended_start_tag tagname="d")"));
    EXPECT_THAT(doc.GetResult(), HasSubstr(R"(<unended_start_tag tagname="b")"));
    EXPECT_THAT(doc.GetResult(), HasSubstr("<root_has_sibling/>"));

    ASSERT_TRUE(doc.FindNext("a"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNext("b"));
    EXPECT_EQ(doc.GetText(), "1"); // the stray end tag is markup, not text
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNext("d"));
    EXPECT_EQ(doc.GetText(), "2");
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.FindNext()); // the second root element
    EXPECT_EQ(doc.GetTagName(), "e");
    EXPECT_EQ(doc.GetText(), "3");
}

TEST(CXmlDoc, QuotedGreaterThanDoesNotEndATag) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<a title=\"x > y\" b='>' c=plain d>t</a>"));
    EXPECT_EQ(doc.GetResult(), "");
    ASSERT_TRUE(doc.FindNext("a"));
    EXPECT_EQ(doc.GetText(), "t");
    const std::vector<XmlAttribute> attributes = doc.GetAttributes();
    ASSERT_EQ(attributes.size(), 4U);
    EXPECT_EQ(attributes[0].name, "title");
    EXPECT_EQ(attributes[0].value, "x > y");
    EXPECT_EQ(attributes[1].value, ">");
    EXPECT_EQ(attributes[2].value, "plain");
    EXPECT_EQ(attributes[3].name, "d");
    EXPECT_EQ(attributes[3].value, "");
    EXPECT_EQ(doc.GetAttribute("missing"), "");
}

TEST(CXmlDoc, DecodesReferencesOnlyFromItsTables) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<!DOCTYPE a [<!ENTITY e \"boom\">]>"
                            "<a v=\"&quot;&#x142;&amp;amp;\">&lt;&amp;&gt;&quot;&apos;&#65;&#x105;&oacute;&euro;&Sigma;"
                            "|&e;|&unknown;|&#0;|&#xD800;|&#x110000;|&amp|&#65</a>"));
    ASSERT_TRUE(doc.FindNext("a"));
    EXPECT_EQ(doc.GetText(), "<&>\"'Aąó€Σ|&e;|&unknown;|&#0;|&#xD800;|&#x110000;|&amp|&#65");
    EXPECT_EQ(doc.GetAttribute("v"), "\"ł&amp;");
}

TEST(CXmlDoc, TextLeavesOutMarkupAndIndentation) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r>"
                            "<a>x<![CDATA[<&amp;>]]>y<!-- c -->z<?p ?>w</a>"
                            "<b>\n  <c>1</c>\n  <d/>\n</b>"
                            "<p>Hello <i>world</i> again</p>"
                            "<s>  </s>"
                            "<u><![CDATA[never closed</u>"
                            "</r>"));
    ASSERT_TRUE(doc.FindNext("r"));
    ASSERT_TRUE(doc.EnterElement());
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"a", "x<&amp;>yzw"}, {"b", ""}, {"p", "Hello  again"}, {"s", "  "}, {"u", "never closed</u></r>"}};
    for (const auto& [name, text] : expected) {
        ASSERT_TRUE(doc.FindNext(name)) << name;
        EXPECT_EQ(doc.GetText(), text) << name;
    }
}

TEST(CXmlDoc, WalksNodesOfEveryKind) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<?xml version=\"1.0\"?><!DOCTYPE r><!-- top -->\n<r>text<![CDATA[raw]]><!--c-->"
                            "<?pi data?><e>in</e></x>tail &amp; more</r>"));
    const std::vector<std::pair<XmlNodeType, std::string>> top = {
        {XmlNodeType::ProcessingInstruction, "xml version=\"1.0\""},
        {XmlNodeType::DocumentType, "<!DOCTYPE r>"},
        {XmlNodeType::Comment, " top "},
        {XmlNodeType::Text, "\n"},
        {XmlNodeType::Element, ""}};
    for (const auto& [type, text] : top) {
        ASSERT_EQ(doc.FindNode(), type);
        EXPECT_EQ(doc.GetNodeType(), type);
        if (type != XmlNodeType::Element) {
            EXPECT_EQ(doc.GetNodeText(), text);
        }
    }
    EXPECT_EQ(doc.GetTagName(), "r");
    EXPECT_EQ(doc.FindNode(), XmlNodeType::None);

    ASSERT_TRUE(doc.EnterElement());
    const std::vector<std::pair<XmlNodeType, std::string>> inside = {
        {XmlNodeType::Text, "text"},  {XmlNodeType::CDataSection, "raw"},
        {XmlNodeType::Comment, "c"},  {XmlNodeType::ProcessingInstruction, "pi data"},
        {XmlNodeType::Element, "in"}, {XmlNodeType::Text, "tail & more"}};
    for (const auto& [type, text] : inside) {
        ASSERT_EQ(doc.FindNode(), type);
        EXPECT_EQ(doc.GetNodeText(), text);
    }
    EXPECT_EQ(doc.GetTagName(), "e"); // the element before the text node
    EXPECT_EQ(doc.FindNode(), XmlNodeType::None);
    EXPECT_EQ(doc.GetNodeType(), XmlNodeType::Text);
    EXPECT_FALSE(doc.FindNext()); // element search goes on after e
}

// A node left behind keeps its old offsets; once the text is shorter they must not be read.
TEST(CXmlDoc, NodeTextAfterTheTextShrankIsTheElementText) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r/>" + std::string(200, ' ') + "<!--late-->"));
    ASSERT_EQ(doc.FindNode(), XmlNodeType::Element);
    ASSERT_EQ(doc.FindNode(), XmlNodeType::Text);
    ASSERT_EQ(doc.FindNode(), XmlNodeType::Comment);
    ASSERT_TRUE(doc.SetText("<a>x</a>"));
    EXPECT_EQ(doc.GetNodeType(), XmlNodeType::None);
    EXPECT_EQ(doc.GetNodeText(), "");
    ASSERT_TRUE(doc.FindNext("a"));
    EXPECT_EQ(doc.GetNodeText(), "x");

    ASSERT_TRUE(doc.SetText("<r><a>" + std::string(200, 'x') + "</a><!--c--></r>"));
    ASSERT_TRUE(doc.FindNext("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_EQ(doc.FindNode(), XmlNodeType::Element);
    ASSERT_EQ(doc.FindNode(), XmlNodeType::Comment);
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.RemoveElement());
    EXPECT_EQ(doc.GetDocText(), "");
    EXPECT_EQ(doc.GetNodeType(), XmlNodeType::None);
    EXPECT_EQ(doc.GetNodeText(), "");
}

TEST(CXmlDoc, FollowsSimplePaths) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(kPublist));

    std::vector<std::string> ids;
    while (doc.FindNext("/PUBLIST/Active/Pub")) {
        ASSERT_TRUE(doc.FindNextChild("id"));
        ids.push_back(doc.GetChildText());
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"7", "9"}));

    doc.ResetPosition();
    std::vector<std::string> lastNames;
    while (doc.FindNext("//lname"))
        lastNames.push_back(doc.GetText());
    EXPECT_EQ(lastNames, (std::vector<std::string>{"Nowak", "Kowalski"}));
    EXPECT_EQ(doc.ParentPosition(), doc.ParentElement(doc.MainPosition()));

    doc.ResetPosition();
    ASSERT_TRUE(doc.FindNext("/PUBLIST/Active/Pub[2]/id"));
    EXPECT_EQ(doc.GetText(), "9");
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_FALSE(doc.FindNext("Pub[1]")); // the first Pub lies before the main position

    doc.ResetPosition();
    ASSERT_TRUE(doc.FindNext("/PUBLIST/Agent[@Ver='9000']"));
    EXPECT_EQ(doc.GetText(), "VARDO");
    EXPECT_FALSE(doc.FindNext("/PUBLIST/Agent[@Ver=\"1\"]"));
    EXPECT_FALSE(doc.FindNext("/PUBLIST/*[@Ver]")); // nothing after Agent has one
    doc.ResetPosition();
    ASSERT_TRUE(doc.FindNext("/PUBLIST/*[@Ver]"));
    EXPECT_EQ(doc.GetTagName(), "Agent");
    EXPECT_FALSE(doc.FindNext("/PUBLIST/Nothing/id"));
    EXPECT_FALSE(doc.FindNext("/PUBLIST/Agent[0]"));
    EXPECT_FALSE(doc.FindNext("/PUBLIST/Agent[@Ver=9000]"));
    EXPECT_EQ(doc.GetTagName(), "Agent");

    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNext("Active/Pub/fname")); // relative to the parent PUBLIST
    EXPECT_EQ(doc.GetText(), "Anna");
}

TEST(CXmlDoc, HandlesAMillionLevelsWithoutRecursion) {
    constexpr int kDepth = 1'000'000;
    std::string text;
    text.reserve(kDepth * 7 + 16);
    for (int i = 0; i < kDepth; ++i)
        text += "<a>";
    text += "deep";
    for (int i = 0; i < kDepth; ++i)
        text += "</a>";
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(text));
    EXPECT_EQ(doc.GetResult(), "");
    for (int i = 0; i < kDepth; ++i) {
        ASSERT_TRUE(doc.FindNext("a")) << i;
        ASSERT_TRUE(doc.EnterElement());
    }
    EXPECT_FALSE(doc.FindNext());
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetText(), "deep");
    EXPECT_EQ(doc.ElementLength(doc.MainPosition()), 11U);
    while (doc.LeaveElement()) {
    }
    EXPECT_EQ(doc.GetText(), "");
    EXPECT_EQ(doc.ElementLength(doc.MainPosition()), text.size());

    // Never closed: every level reported, the list capped with a count of the rest.
    std::string open;
    open.reserve(3 * kDepth);
    for (int i = 0; i < kDepth; ++i)
        open += "<a>";
    ASSERT_TRUE(doc.SetText(open));
    const std::string& result = doc.GetResult();
    std::size_t items = 0;
    for (std::size_t at = result.find("<unended_start_tag tagname"); at != std::string::npos;
         at = result.find("<unended_start_tag tagname", at + 1))
        ++items;
    EXPECT_EQ(items, 1000U);
    EXPECT_THAT(result, HasSubstr(R"(<unended_start_tag count="999000"/>)"));
    EXPECT_THAT(result, Not(HasSubstr("root_has_sibling")));
}

TEST(ElementIndex, GrowsBySegmentsAndReusesFreedEntries) {
    ElementIndex index;
    std::vector<XmlIndex> got;
    for (std::uint32_t i = 0; i < ElementIndex::kSegmentSize + 10; ++i)
        got.push_back(index.Allocate());
    EXPECT_EQ(got.front(), 1U);
    EXPECT_EQ(got[ElementIndex::kSegmentSize - 1], 0x10000U); // first entry of the second segment
    EXPECT_EQ(got.back(), ElementIndex::kSegmentSize + 10);
    index[got[5]].start = 1234;
    EXPECT_EQ(index[got[5]].start, 1234U); // the entry keeps its value while the index grows

    index.Free(got[3]);
    index.Free(got[65540]);
    EXPECT_FALSE(index.IsElement(got[3]));
    EXPECT_EQ(index.Allocate(), got[65540]);
    const XmlIndex reused = index.Allocate();
    EXPECT_EQ(reused, got[3]);
    EXPECT_EQ(index[reused].levelFlags, 0U); // handed out cleared
    EXPECT_EQ(index.Allocate(), ElementIndex::kSegmentSize + 11);

    index.Reset(true);
    EXPECT_EQ(index.Allocate(), 1U);
}

} // namespace
} // namespace vardo
