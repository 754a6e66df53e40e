#include <string>
#include <string_view>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"
#include "core/exchange/CXmlDoc.h"
#include "core/exchange/XmlEncoding.h"

namespace vardo {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using namespace std::string_literals;

// Fixture encoders of their own, so the tests do not trust the converters they check.

std::u32string Decode(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? c : length == 2 ? (c & 0x1F) : length == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        out += cp;
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string Utf16(std::string_view utf8, bool bigEndian) {
    std::string out;
    for (char32_t cp : Decode(utf8)) {
        const auto unit = static_cast<std::uint16_t>(cp); // the fixtures stay in the basic plane
        const char hi = static_cast<char>(unit >> 8);
        const char lo = static_cast<char>(unit & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

/// ASCII and the Polish letters in an 8-bit code page given as the bytes of "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ".
std::string EightBit(std::string_view utf8, std::string_view polishBytes) {
    const std::u32string letters = U"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
    std::string out;
    for (char32_t cp : Decode(utf8)) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        const std::size_t at = letters.find(cp);
        if (at == std::u32string::npos)
            throw std::invalid_argument("not a Polish letter");
        out += polishBytes[at];
    }
    return out;
}

std::string Iso88592(std::string_view utf8) {
    return EightBit(utf8, "\xB1\xE6\xEA\xB3\xF1\xF3\xB6\xBC\xBF\xA1\xC6\xCA\xA3\xD1\xD3\xA6\xAC\xAF");
}

std::string Cp852(std::string_view utf8) {
    return EightBit(utf8, "\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD");
}

const std::string kBody = "<PUBLIST a=\"ł\">\r\n<Pub>Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ &amp; co</Pub>\r\n</PUBLIST>\r\n";

struct EncodingCase {
    const char* name;
    std::string bytes;    ///< the file
    std::string text;     ///< the text it must read into
    std::string encoding; ///< of the "read" item
    std::vector<std::string> items;
};

std::vector<EncodingCase> EncodingCases() {
    const std::string declared8 = "<?xml version=\"1.0\" encoding=\"%\"?>\r\n";
    const auto decl = [&](std::string_view name) {
        std::string d = declared8;
        return d.replace(d.find('%'), 1, name);
    };
    const std::string html = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                             "charset=windows-1250\"/></head><body>Zażółć</body></html>";
    const std::string html5 = "<!DOCTYPE html><html><head><meta charset='ISO-8859-2'/></head><p>Łódź</p></html>";
    return {
        {"Utf8", kBody, kBody, "UTF-8", {}},
        {"Utf8Bom", "\xEF\xBB\xBF" + kBody, kBody, "UTF-8", {"<bom/>"}},
        {"Utf8Declared", decl("UTF-8") + kBody, decl("UTF-8") + kBody, "UTF-8", {}},
        {"Utf16LeBom",
         "\xFF\xFE" + Utf16(kBody, false),
         kBody,
         "UTF-16LE",
         {"<bom/>", "<converted_to encoding=\"UTF-8\""}},
        {"Utf16Le", Utf16(kBody, false), kBody, "UTF-16LE", {"<converted_to"}},
        {"Utf16BeBom", "\xFE\xFF" + Utf16(kBody, true), kBody, "UTF-16BE", {"<bom/>", "<endian_swap/>"}},
        {"Utf16Be", Utf16(decl("UTF-16") + kBody, true), decl("UTF-16") + kBody, "UTF-16BE", {"<endian_swap/>"}},
        {"Windows1250",
         test::Cp1250(decl("Windows-1250") + kBody),
         decl("Windows-1250") + kBody,
         "Windows-1250",
         {"<converted_to encoding=\"UTF-8\""}},
        {"Iso88592", Iso88592(decl("iso-8859-2") + kBody), decl("iso-8859-2") + kBody, "iso-8859-2", {"<converted_to"}},
        {"Cp852", Cp852(decl("cp852") + kBody), decl("cp852") + kBody, "cp852", {"<converted_to"}},
        {"HtmlMetaContentType", test::Cp1250(html), html, "windows-1250", {"<converted_to"}},
        {"HtmlMetaCharset", Iso88592(html5), html5, "ISO-8859-2", {"<converted_to"}},
        {"UndeclaredAnsi",
         test::Cp1250(kBody),
         kBody,
         "windows-1250",
         {"<utf8_detection encoding=\"windows-1250\"/>", "<converted_to"}},
    };
}

class XmlFileEncodings : public test::TempDataFolderTest {};

TEST_F(XmlFileEncodings, EveryEncodingReadsIntoTheSameTextAndSavesBack) {
    for (const EncodingCase& c : EncodingCases()) {
        SCOPED_TRACE(c.name);
        m_dir.WriteFile("in.xml", c.bytes);
        CXmlDoc doc;
        ASSERT_TRUE(doc.LoadFile(m_folder, "in.xml"));
        EXPECT_EQ(doc.GetDocText(), c.text);
        EXPECT_THAT(doc.GetResult(), HasSubstr("<read encoding=\"" + c.encoding + "\" length=\"" +
                                               std::to_string(c.bytes.size()) + "\"/>"));
        for (const std::string& item : c.items)
            EXPECT_THAT(doc.GetResult(), HasSubstr(item));
        EXPECT_THAT(doc.GetResult(), Not(HasSubstr("conversion_loss")));
        EXPECT_THAT(doc.GetResult(), Not(HasSubstr("_tag")));

        ASSERT_TRUE(doc.SaveFile(m_folder, "out.xml"));
        EXPECT_EQ(m_dir.ReadFile("out.xml"), c.bytes);
        EXPECT_THAT(doc.GetResult(), HasSubstr("<write encoding=\"" + c.encoding + "\" length=\"" +
                                               std::to_string(c.bytes.size()) + "\"/>"));
    }
}

TEST_F(XmlFileEncodings, ReportsTheWholeReadOfAMarkedUtf16File) {
    const std::string bytes = "\xFF\xFE" + Utf16("<a>ż</a>", false);
    m_dir.WriteFile("a.xml", bytes);
    CXmlDoc doc;
    ASSERT_TRUE(doc.LoadFile((m_dir.Path() / "a.xml").string()));
    EXPECT_EQ(doc.GetResult(),
              "<read encoding=\"UTF-16LE\" length=\"18\"/><bom/><converted_to encoding=\"UTF-8\" length=\"9\"/>");
    ASSERT_TRUE(doc.FindNext("a"));
    EXPECT_EQ(doc.GetText(), "ż");
}

TEST_F(XmlFileEncodings, DamagedBytesAreRepairedAndReported) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.LoadBuffer(std::string("<a>x\0y</a>", 10)));
    EXPECT_EQ(doc.GetDocText(), "<a>xy</a>");
    EXPECT_THAT(doc.GetResult(), HasSubstr("<nulls_removed count=\"1\"/>"));

    ASSERT_TRUE(doc.LoadBuffer("<a>\xC5"));
    EXPECT_EQ(doc.GetDocText(), "<a>");
    EXPECT_THAT(doc.GetResult(), HasSubstr("<truncation_error/>"));
    EXPECT_THAT(doc.GetResult(), HasSubstr("encoding=\"UTF-8\""));

    ASSERT_TRUE(doc.LoadBuffer("\xFF\xFE" + Utf16("<a/>", false) + "\x3C"));
    EXPECT_EQ(doc.GetDocText(), "<a/>");
    EXPECT_THAT(doc.GetResult(), HasSubstr("<truncation_error/>"));

    ASSERT_TRUE(doc.LoadBuffer("\xFF\xFE<\0\x00\xDC>\0"s));
    EXPECT_EQ(doc.GetDocText(), "<\xEF\xBF\xBD>");
    EXPECT_THAT(doc.GetResult(), HasSubstr("<conversion_loss/>"));

    ASSERT_TRUE(doc.LoadBuffer("<?xml version=\"1.0\" encoding=\"utf-8\"?><a>\xFF</a>"));
    EXPECT_THAT(doc.GetDocText(), HasSubstr("<a>\xEF\xBF\xBD</a>"));
    EXPECT_THAT(doc.GetResult(), HasSubstr("<conversion_loss/>"));
}

TEST_F(XmlFileEncodings, DeclarationsThatCannotBeRightAreNotFollowed) {
    CXmlDoc doc;
    // A 16-bit name on text read byte by byte, and a name nobody knows: the bytes decide.
    ASSERT_TRUE(doc.LoadBuffer("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>ż</a>"));
    EXPECT_THAT(doc.GetResult(), HasSubstr("<read encoding=\"UTF-8\""));
    EXPECT_THAT(doc.GetDocText(), HasSubstr("<a>ż</a>"));
    ASSERT_TRUE(doc.LoadBuffer("<?xml version=\"1.0\" encoding=\"x-no-such\"?><a>" + test::Cp1250("ż") + "</a>"));
    EXPECT_THAT(doc.GetResult(), HasSubstr("<utf8_detection encoding=\"windows-1250\"/>"));
    EXPECT_THAT(doc.GetDocText(), HasSubstr("<a>ż</a>"));
    ASSERT_TRUE(doc.LoadBuffer("  plain text ż"));
    EXPECT_THAT(doc.GetResult(), HasSubstr("<utf8_detection encoding=\"UTF-8\"/>"));
}

TEST_F(XmlFileEncodings, FileErrorsKeepTheDocument) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<kept/>"));
    EXPECT_FALSE(doc.LoadFile(m_folder, "missing.xml"));
    EXPECT_THAT(doc.GetResult(), HasSubstr("<file_error type=\""));
    EXPECT_THAT(doc.GetResult(), Not(HasSubstr("\n")));
    EXPECT_EQ(doc.GetDocText(), "<kept/>");

    m_dir.WriteFile("plain", "x");
    EXPECT_FALSE(doc.SaveFile(m_folder, "plain/out.xml"));
    EXPECT_THAT(doc.GetResult(), HasSubstr("<file_error type=\""));
    EXPECT_EQ(doc.GetDocText(), "<kept/>");
}

TEST_F(XmlFileEncodings, SavesInTheDeclaredEncodingAndReportsLoss) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText("<?xml version=\"1.0\" encoding=\"windows-1250\"?><a>Łódź 中</a>"));
    EXPECT_EQ(doc.GetEncoding(), "windows-1250");
    ASSERT_TRUE(doc.SaveFile(m_folder, "out.xml"));
    EXPECT_EQ(m_dir.ReadFile("out.xml"),
              test::Cp1250("<?xml version=\"1.0\" encoding=\"windows-1250\"?><a>Łódź ?</a>"));
    EXPECT_THAT(doc.GetResult(), HasSubstr("<converted_from encoding=\"UTF-8\""));
    EXPECT_THAT(doc.GetResult(), HasSubstr("<conversion_loss/>"));

    ASSERT_TRUE(doc.SetText("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>"));
    const std::string bytes = doc.SaveBuffer();
    EXPECT_EQ(bytes, "\xFF\xFE" + Utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>", false));

    ASSERT_TRUE(doc.SetText("<a>ż</a>"));
    EXPECT_EQ(doc.SaveBuffer(), "<a>ż</a>");
    EXPECT_EQ(doc.GetResult(), "<write encoding=\"UTF-8\" length=\"9\"/>");
}

TEST(XmlEncoding, NameTableHoldsTheTellingRows) {
    const std::vector<std::pair<const char*, int>> rows = {{"utf-8", 65001},
                                                           {"UTF-16LE", 1200},
                                                           {"ucs-2", 1200},
                                                           {"unicode", 1200},
                                                           {"utf-16be", 1201},
                                                           {"unicodeFFFE", 1201},
                                                           {"utf-32le", 12000},
                                                           {"utf-32be", 12001},
                                                           {"Windows-1250", 1250},
                                                           {"iso-8859-2", 28592},
                                                           {"LATIN2", 28592},
                                                           {"cp852", 852},
                                                           {"ascii", 20127},
                                                           {"us-ascii", 20127},
                                                           {"shift_jis", 932},
                                                           {"gb2312", 936},
                                                           {"big5", 950},
                                                           {"koi8-r", 20866},
                                                           {" utf-8 ", 65001},
                                                           {"x-no-such", 0},
                                                           {"", 0},
                                                           {"utf", 0}};
    for (const auto& [name, codePage] : rows)
        EXPECT_EQ(xml::CodePageOfName(name), codePage) << name;
}

} // namespace
} // namespace vardo
