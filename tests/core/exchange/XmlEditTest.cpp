#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/exchange/CXmlDoc.h"

namespace vardo {
namespace {

struct Entry {
    std::uint32_t offset;
    std::uint32_t length;
    std::size_t depth;
    std::string name;
    std::string text;
    bool operator==(const Entry&) const = default;
};

/// Every element in document order, read through the index.
std::vector<Entry> Walk(const CXmlDoc& doc) {
    std::vector<Entry> entries;
    std::size_t depth = 0;
    XmlIndex e = doc.FirstChildElement(0);
    while (e != 0) {
        entries.push_back({doc.ElementOffset(e), doc.ElementLength(e), depth, doc.ElementName(e), doc.ElementText(e)});
        if (doc.FirstChildElement(e) != 0) {
            e = doc.FirstChildElement(e);
            ++depth;
            continue;
        }
        while (e != 0 && doc.NextSiblingElement(e) == 0) {
            e = doc.ParentElement(e);
            --depth;
        }
        if (e != 0)
            e = doc.NextSiblingElement(e);
    }
    return entries;
}

/// The index kept by editing must be the one a fresh parse of the edited text builds.
void ExpectIndexMatchesReparse(const CXmlDoc& doc, const std::string& result = "") {
    CXmlDoc fresh;
    ASSERT_TRUE(fresh.SetText(doc.GetDocText()));
    EXPECT_EQ(fresh.GetResult(), result) << doc.GetDocText();
    EXPECT_EQ(Walk(doc), Walk(fresh)) << doc.GetDocText();
}

TEST(CXmlDocEdit, BuildsAnExportFile) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.AppendElement("PUBLIST"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement("Agent", "VARDO"));
    ASSERT_TRUE(doc.SetAttribute("Ver", 9000));
    ASSERT_TRUE(doc.AppendElement("Date", "2024-03-05"));
    ASSERT_TRUE(doc.AppendElement("Count", 2));
    ASSERT_TRUE(doc.AppendElement("Active"));
    ASSERT_TRUE(doc.EnterElement());
    for (int id : {7, 8}) {
        ASSERT_TRUE(doc.AppendElement("Pub"));
        ASSERT_TRUE(doc.EnterElement());
        ASSERT_TRUE(doc.AppendElement("id", id));
        ASSERT_TRUE(doc.AppendElement("fname", "Zażółć & <Co>"));
        ASSERT_TRUE(doc.AppendElement("Jan"));
        ASSERT_TRUE(doc.SetAttribute("Year", 2024));
        ASSERT_TRUE(doc.EnterElement());
        ASSERT_TRUE(doc.AppendElement("Plcmts", 0, XmlFlags::NoLines));
        ASSERT_TRUE(doc.AppendElement("Hours", "12,30", XmlFlags::NoLines));
        ASSERT_TRUE(doc.AppendElement("Remark", "", XmlFlags::NoLines));
        ASSERT_TRUE(doc.LeaveElement());
        ASSERT_TRUE(doc.LeaveElement());
    }
    const std::string pub = "    <Pub>\r\n"
                            "      <id>%</id>\r\n"
                            "      <fname>Zażółć &amp; &lt;Co&gt;</fname>\r\n"
                            "      <Jan Year=\"2024\"><Plcmts>0</Plcmts><Hours>12,30</Hours><Remark/></Jan>\r\n"
                            "    </Pub>\r\n";
    std::string pub7 = pub;
    pub7.replace(pub7.find('%'), 1, "7");
    std::string pub8 = pub;
    pub8.replace(pub8.find('%'), 1, "8");
    EXPECT_EQ(doc.GetDocText(), "<PUBLIST>\r\n"
                                "  <Agent Ver=\"9000\">VARDO</Agent>\r\n"
                                "  <Date>2024-03-05</Date>\r\n"
                                "  <Count>2</Count>\r\n"
                                "  <Active>\r\n" +
                                    pub7 + pub8 +
                                    "  </Active>\r\n"
                                    "</PUBLIST>\r\n");
    ExpectIndexMatchesReparse(doc);
}

class CXmlDocRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(CXmlDocRoundTrip, TextAndAttributeComeBackAsGiven) {
    const std::string& text = GetParam();
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r><first/></r>"));
    ASSERT_TRUE(doc.FindNext("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement("value", text));
    EXPECT_EQ(doc.GetText(), text);
    ASSERT_TRUE(doc.SetAttribute("v", text));
    ASSERT_TRUE(doc.SetAttribute("w", "second"));
    ASSERT_TRUE(doc.SetAttribute("v", text)); // replaced in place
    EXPECT_EQ(doc.GetAttribute("v"), text);
    EXPECT_EQ(doc.GetAttribute("w"), "second");
    EXPECT_EQ(doc.GetText(), text);

    CXmlDoc reread;
    ASSERT_TRUE(reread.SetText(doc.GetDocText()));
    EXPECT_EQ(reread.GetResult(), "");
    ASSERT_TRUE(reread.FindNext("/r/value"));
    EXPECT_EQ(reread.GetText(), text);
    EXPECT_EQ(reread.GetAttribute("v"), text);
    ExpectIndexMatchesReparse(doc);
}

INSTANTIATE_TEST_SUITE_P(Texts, CXmlDocRoundTrip,
                         ::testing::Values("", "plain", "a < b & c > d", "<tag attr=\"x\">&amp;</tag>",
                                           "\"double\" and 'single' quotes", "Zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ",
                                           "]]> and <![CDATA[", "&#65; &lt; &unknown;", "tab\tline\nCRLF\r\nCR\r",
                                           "  spaced  ", "€ 𝄞 ✓"));

TEST(CXmlDocEdit, EscapesTextAsXmlRequires) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.AppendElement("a", "x < y & z", XmlFlags::NoLines));
    ASSERT_TRUE(doc.SetAttribute("q", "say \"hi\"\n"));
    EXPECT_EQ(doc.GetDocText(), "<a q=\"say &quot;hi&quot;&#10;\">x &lt; y &amp; z</a>");
}

TEST(CXmlDocEdit, KeepsTheIndexInStepWithEditsInTheMiddle) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<?xml version=\"1.0\"?>\n<r>\n <a><x/><x>1</x></a>\n <b><y>1</y></b>\n <c/>\n</r>\n"));
    ASSERT_TRUE(doc.FindNext("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNext("a"));
    ASSERT_TRUE(doc.SetAttribute("k", "value")); // shifts a's children and everything after
    ExpectIndexMatchesReparse(doc);
    ASSERT_TRUE(doc.SetAttribute("k", "v"));
    ExpectIndexMatchesReparse(doc);

    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNext("x"));
    ASSERT_TRUE(doc.AppendElement("mid", "between")); // between the two x
    ExpectIndexMatchesReparse(doc);
    ASSERT_TRUE(doc.EnterElement()); // into an element with text only
    ASSERT_TRUE(doc.AppendElement("deep", 1));
    ExpectIndexMatchesReparse(doc);
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.LeaveElement());

    ASSERT_TRUE(doc.FindNext("c"));
    ASSERT_TRUE(doc.SetAttribute("on", "empty")); // keeps the "/>"
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement("in", "", XmlFlags::NoLines));
    ExpectIndexMatchesReparse(doc);
    EXPECT_NE(doc.GetDocText().find("<c on=\"empty\"><in/></c>"), std::string::npos) << doc.GetDocText();
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.LeaveElement() == false);
    ASSERT_TRUE(doc.AppendElement("second", "root")); // after r, at the top level
    ExpectIndexMatchesReparse(doc, "<root_has_sibling/>");
    EXPECT_TRUE(doc.GetDocText().ends_with("</r>\n<second>root</second>\n")) << doc.GetDocText(); // its line breaks
}

TEST(CXmlDocEdit, RemovesElementsAndReusesTheirEntries) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r>\r\n  <a><a1/><a2/></a>\r\n  <b/>\r\n  <c/>\r\n</r>"));
    ASSERT_TRUE(doc.FindNext("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNext("b"));
    const XmlIndex b = doc.MainPosition();
    ASSERT_TRUE(doc.RemoveElement());
    EXPECT_EQ(doc.GetTagName(), "a"); // the previous sibling
    EXPECT_EQ(doc.GetDocText(), "<r>\r\n  <a><a1/><a2/></a>\r\n  <c/>\r\n</r>");
    ExpectIndexMatchesReparse(doc);
    EXPECT_EQ(doc.ElementName(b), ""); // no longer an element

    ASSERT_TRUE(doc.RemoveElement()); // a with its children, the first child of r
    EXPECT_EQ(doc.MainPosition(), 0U);
    EXPECT_EQ(doc.GetDocText(), "<r>\r\n  <c/>\r\n</r>");
    ExpectIndexMatchesReparse(doc);

    ASSERT_TRUE(doc.AppendElement("n1", "x"));
    ASSERT_TRUE(doc.AppendElement("n2", "y"));
    ASSERT_TRUE(doc.AppendElement("n3", "z"));
    ASSERT_TRUE(doc.AppendElement("n4", "w"));
    EXPECT_EQ(doc.GetDocText(),
              "<r>\r\n  <c/>\r\n  <n1>x</n1>\r\n  <n2>y</n2>\r\n  <n3>z</n3>\r\n  <n4>w</n4>\r\n</r>");
    ExpectIndexMatchesReparse(doc);
    EXPECT_LE(doc.MainPosition(), 7U); // freed entries were handed out again
    ASSERT_TRUE(doc.SetText("<r/>"));
    EXPECT_FALSE(doc.RemoveElement()); // no main position
}

TEST(CXmlDocEdit, RefusesNamesThatWouldBreakTheDocument) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r/>"));
    ASSERT_TRUE(doc.FindNext("r"));
    for (const char* bad : {"", "1x", "a b", "a>b", "a/b", "a=b", "a&b", "a\"b", "-x"}) {
        EXPECT_FALSE(doc.SetAttribute(bad, "v")) << bad;
        EXPECT_FALSE(doc.AppendElement(bad, "v")) << bad;
    }
    EXPECT_EQ(doc.GetDocText(), "<r/>");
    EXPECT_EQ(doc.GetTagName(), "r");
    EXPECT_TRUE(doc.AppendElement("R.V.s", 3, XmlFlags::NoLines));
    EXPECT_TRUE(doc.AppendElement("BiSt.", -1, XmlFlags::NoLines));
    EXPECT_EQ(doc.GetDocText(), "<r/><R.V.s>3</R.V.s><BiSt.>-1</BiSt.>");

    CXmlDoc empty;
    EXPECT_FALSE(empty.SetAttribute("a", "v")); // no main position
}

TEST(CXmlDocEdit, NewElementsTakeTheDocumentsLineBreaks) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r>\n</r>"));
    ASSERT_TRUE(doc.FindNext("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement("a"));
    EXPECT_EQ(doc.GetDocText(), "<r>\n\n  <a/>\n</r>");
    ASSERT_TRUE(doc.SetText("<r/>")); // no line break of its own: CR LF
    ASSERT_TRUE(doc.FindNext("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement("a"));
    EXPECT_EQ(doc.GetDocText(), "<r>\r\n  <a/>\r\n</r>");
}

TEST(CXmlDocEdit, TagsTooLongForTheirIndexFieldsAreMeasuredInTheText) {
    const std::string longName(300, 'n');   // longer than an end-tag length field holds
    const std::string value(17 << 20, 'v'); // a start tag longer than its length field holds
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r><" + longName + ">x</" + longName + "><big a=\"" + value + "\">text</big></r>"));
    EXPECT_EQ(doc.GetResult(), "");
    ASSERT_TRUE(doc.FindNext("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNext(longName));
    EXPECT_EQ(doc.GetText(), "x");
    ASSERT_TRUE(doc.FindNext("big"));
    EXPECT_EQ(doc.GetText(), "text");
    EXPECT_EQ(doc.GetAttribute("a").size(), value.size());
    ASSERT_TRUE(doc.SetAttribute("b", "2"));
    EXPECT_EQ(doc.GetAttribute("b"), "2");
    EXPECT_EQ(doc.GetText(), "text");
    ASSERT_TRUE(doc.AppendElement(longName + "2", "y"));
    EXPECT_EQ(doc.GetText(), "y");
    ExpectIndexMatchesReparse(doc);
}

TEST(CXmlDocEdit, EmptyTextClearsTheDocument) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r><a/></r>"));
    ASSERT_TRUE(doc.FindNext("r"));
    ASSERT_TRUE(doc.SetText(""));
    EXPECT_EQ(doc.GetDocText(), "");
    EXPECT_EQ(doc.MainPosition(), 0U);
    EXPECT_EQ(doc.FirstChildElement(0), 0U);
    EXPECT_FALSE(doc.FindNext());
}

} // namespace
} // namespace vardo
