#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "core/exchange/CXmlDoc.h"
#include "core/exchange/XmlOutline.h"

namespace vardo {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Golden cases live in tests/data/xml-outline: NAME.xml and NAME.expected.txt. Run with VARDO_UPDATE_GOLDEN=1 to
// rewrite the expected files after an intended change.
TEST(XmlOutline, MatchesTheGoldenFiles) {
    const char* root = std::getenv("VARDO_SOURCE_DIR");
    ASSERT_NE(root, nullptr) << "VARDO_SOURCE_DIR is not set";
    const std::filesystem::path folder = std::filesystem::path(root) / "tests" / "data" / "xml-outline";
    int cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".xml")
            continue;
        ++cases;
        SCOPED_TRACE(entry.path().filename().string());
        CXmlDoc doc;
        ASSERT_TRUE(doc.LoadFile(entry.path().string()));
        const std::string outline = XmlOutline(doc);
        std::filesystem::path expected = entry.path();
        expected.replace_extension(".expected.txt");
        if (std::getenv("VARDO_UPDATE_GOLDEN") != nullptr) {
            std::ofstream(expected, std::ios::binary) << outline;
            continue;
        }
        EXPECT_EQ(outline, ReadFile(expected));
    }
    EXPECT_GT(cases, 0);
}

TEST(XmlOutline, ClimbsBackToTheRightDepthAndLeavesPositionsAlone) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<a><b><c><d/></c></b><e x='1' y=\"&lt;\"/></a><f/>"));
    ASSERT_TRUE(doc.FindNext("a"));
    ASSERT_TRUE(doc.FindNextChild("e"));
    EXPECT_EQ(XmlOutline(doc), "<root_has_sibling/>\n"
                               "0\ta\t\t\n"
                               "1\tb\t\t\n"
                               "2\tc\t\t\n"
                               "3\td\t\t\n"
                               "1\te\tx=\"1\" y=\"<\"\t\n"
                               "0\tf\t\t\n");
    EXPECT_EQ(doc.GetTagName(), "a");
    EXPECT_EQ(doc.GetChildTagName(), "e");
}

struct EscapeCase {
    const char* xml;
    const char* line; ///< the element's line without its line break
};

void PrintTo(const EscapeCase& escapeCase, std::ostream* out) {
    *out << escapeCase.xml;
}

class XmlOutlineEscapes : public ::testing::TestWithParam<EscapeCase> {};

// Each field reads back to exactly one value: nothing a value holds can pass for a separator or an escape.
TEST_P(XmlOutlineEscapes, WritesEveryFieldOnOneLineUnambiguously) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(GetParam().xml));
    ASSERT_EQ(doc.GetResult(), "");
    EXPECT_EQ(XmlOutline(doc), std::string("\n") + GetParam().line + "\n");
}

INSTANTIATE_TEST_SUITE_P(XmlOutline, XmlOutlineEscapes,
                         ::testing::Values(EscapeCase{"<a>C:\\dane\\n</a>", "0\ta\t\tC:\\\\dane\\\\n"},
                                           EscapeCase{"<a>x\ty&#9;z</a>", "0\ta\t\tx\\ty\\tz"},
                                           EscapeCase{"<a>1\n2\r\n3\r4</a>", "0\ta\t\t1\\n2\\r\\n3\\r4"},
                                           EscapeCase{"<a>say \"hi\"</a>", "0\ta\t\tsay \"hi\""},
                                           EscapeCase{"<a b='say \"hi\"' c=\"x&quot; d=&quot;y\"/>",
                                                      "0\ta\tb=\"say \\\"hi\\\"\" c=\"x\\\" d=\\\"y\"\t"},
                                           EscapeCase{"<a b='end\\' c='\\\"'/>",
                                                      "0\ta\tb=\"end\\\\\" c=\"\\\\\\\"\"\t"},
                                           EscapeCase{"<a b='1&#13;&#10;2&#9;3'/>", "0\ta\tb=\"1\\r\\n2\\t3\"\t"},
                                           EscapeCase{"<a\\b c\\d='e'/>", "0\ta\\\\b\tc\\\\d=\"e\"\t"}));

TEST(XmlOutline, EscapesTheResultLine) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r>\r\n</x\\y></r>"));
    const std::string outline = XmlOutline(doc);
    EXPECT_EQ(outline.substr(0, outline.find('\n')), "<lone_end_tag tagname=\"x\\\\y\" offset=\"5\" offset2=\"11\"/>");
    EXPECT_EQ(outline.substr(outline.find('\n') + 1), "0\tr\t\t\\r\\n\n");
}

} // namespace
} // namespace vardo
