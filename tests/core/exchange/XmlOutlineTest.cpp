#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

} // namespace
} // namespace vardo
