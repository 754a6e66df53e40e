#include "core/platform/CodePage.h"

#include <string>

#include <gtest/gtest.h>

#include "ByteFixture.h"

namespace vardo::codepage {
namespace {

const std::string kPolish = "Zażółć gęślą jaźń, ŻÓŁW Źdźbło Ćma Śnieg Ąę Ńń";

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}

TEST(CodePage, EveryWindows1250ByteRoundTrips) {
    const std::string bytes = AllBytes();
    const std::string utf8 = Cp1250ToUtf8(bytes);
    EXPECT_TRUE(IsValidUtf8(utf8));
    const Conversion back = Utf8ToCp1250(utf8);
    EXPECT_TRUE(back.lossless());
    EXPECT_EQ(back.firstUnmappable, std::string::npos);
    EXPECT_EQ(back.text, bytes);
}

TEST(CodePage, Windows1250MapsKnownCharacters) {
    EXPECT_EQ(Cp1250ToUtf8(test::Cp1250(kPolish)), kPolish);
    EXPECT_EQ(Utf8ToCp1250(kPolish).text, test::Cp1250(kPolish));
    EXPECT_EQ(Cp1250ToUtf8("\x80\x8A\x8E\x96\x99\xFF"), "€ŠŽ–™˙");
    // The undefined bytes become the C1 controls of the same value, and only those controls map back.
    EXPECT_EQ(Cp1250ToUtf8("\x81\x83\x88\x90\x98"), "\u0081\u0083\u0088\u0090\u0098");
    const Conversion c1 = Utf8ToCp1250("\u0080\u0082");
    EXPECT_EQ(c1.text, "??");
    EXPECT_EQ(c1.unmappable, 2u);
}

TEST(CodePage, CharactersOutsideWindows1250AreCountedNotDropped) {
    const std::string text = "Łódź ☃ Ñandú 😀!";
    const Conversion c = Utf8ToCp1250(text);
    EXPECT_EQ(c.unmappable, 3u);
    EXPECT_EQ(c.firstUnmappable, text.find("☃"));
    EXPECT_EQ(c.text, test::Cp1250("Łódź") + " ? ?and\xFA ?!");
    EXPECT_FALSE(c.lossless());
}

TEST(CodePage, InvalidUtf8IsCountedOncePerBadSequence) {
    struct Case {
        std::string input;
        std::string expected;
        std::size_t unmappable;
        std::size_t first;
    };
    const Case cases[] = {
        {"a\xFF"
         "b",
         "a?b", 1, 1},
        {"ab\xC3", "ab?", 1, 2}, // truncated at the end
        {"\xE2\x82"
         "x",
         "?x", 1, 0},                       // truncated in the middle: one bad sequence
        {"\xED\xA0\x80", "???", 3, 0},      // encoded surrogate
        {"\xC0\xAF", "??", 2, 0},           // overlong '/'
        {"\xF4\x90\x80\x80", "????", 4, 0}, // above U+10FFFF
        {"ok \xC4\x85", "ok \xB9", 0, std::string::npos},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const Conversion r = Utf8ToCp1250(c.input);
        EXPECT_EQ(r.text, c.expected);
        EXPECT_EQ(r.unmappable, c.unmappable);
        EXPECT_EQ(r.firstUnmappable, c.first);
        EXPECT_EQ(IsValidUtf8(c.input), c.unmappable == 0);
    }
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80 \xEF\xBF\xBD"));
    EXPECT_TRUE(IsValidUtf8(""));
}

TEST(CodePage, CaseFoldMatchesPolishCapitals) {
    EXPECT_EQ(CaseFold("ŁÓDŹ Żółć ĄĘŚŃĆ ABC xyz"), "łódź żółć ąęśńć abc xyz");
    EXPECT_EQ(CaseFold("KATEGORIA UŻYTKOWNIKA"), CaseFold("Kategoria użytkownika"));
    EXPECT_EQ(CaseFold("a\xFF"
                       "B"),
              "a\xFF"
              "b");
}

// The same Polish word in every encoding the exchange files use, built by hand from the code charts.
TEST(CodePage, IcuConversionsOfPolishTextAgree) {
    struct Case {
        const char* charset;
        std::string bytes;
    };
    const std::string word = "Łódź ąĘ";
    const Case cases[] = {
        {"windows-1250", "\xA3\xF3\x64\x9F\x20\xB9\xCA"},
        {"cp1250", "\xA3\xF3\x64\x9F\x20\xB9\xCA"},
        {"iso-8859-2", "\xA3\xF3\x64\xBC\x20\xB1\xCA"},
        {"ISO_8859-2", "\xA3\xF3\x64\xBC\x20\xB1\xCA"},
        {"cp852", "\x9D\xA2\x64\xAB\x20\xA5\xA8"},
        {"ibm-852", "\x9D\xA2\x64\xAB\x20\xA5\xA8"},
        {"UTF-16LE", std::string("\x41\x01\xF3\x00\x64\x00\x7A\x01\x20\x00\x05\x01\x18\x01", 14)},
        {"UTF-16BE", std::string("\x01\x41\x00\xF3\x00\x64\x01\x7A\x00\x20\x01\x05\x01\x18", 14)},
        {"utf-8", word},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.charset);
        ASSERT_TRUE(IsKnownCharset(c.charset));
        const auto decoded = ToUtf8(c.bytes, c.charset);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->text, word);
        EXPECT_TRUE(decoded->lossless());
        const auto encoded = FromUtf8(word, c.charset);
        ASSERT_TRUE(encoded);
        EXPECT_EQ(encoded->text, c.bytes);
        EXPECT_TRUE(encoded->lossless());
    }
    // Longer text survives every round trip alike.
    for (const char* charset : {"windows-1250", "iso-8859-2", "cp852", "UTF-16LE", "UTF-16BE", "UTF-16", "UTF-8"}) {
        SCOPED_TRACE(charset);
        const auto encoded = FromUtf8(kPolish, charset);
        ASSERT_TRUE(encoded);
        const auto decoded = ToUtf8(encoded->text, charset);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->text, kPolish);
    }
}

TEST(CodePage, IcuConversionsCountWhatTheyCannotConvert) {
    // Out of range for the 8-bit pages: '?' (not the control character some tables prefer), counted once even
    // for a character outside the basic plane.
    for (const char* charset : {"iso-8859-2", "cp852"}) {
        SCOPED_TRACE(charset);
        const auto r = FromUtf8("ab😀cЖ", charset);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->text, "ab?c?");
        EXPECT_EQ(r->unmappable, 2u);
        EXPECT_EQ(r->firstUnmappable, 2u);
    }
    // Invalid UTF-8 input is counted once whether or not the target can hold the replacement.
    const auto latin = FromUtf8("a\xFF"
                                "b",
                                "iso-8859-2");
    ASSERT_TRUE(latin);
    EXPECT_EQ(latin->text, "a?b");
    EXPECT_EQ(latin->unmappable, 1u);
    const auto wide = FromUtf8("a\xFF"
                               "b",
                               "UTF-16LE");
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->text, std::string("a\0\xFD\xFF"
                                      "b\0",
                                      6));
    EXPECT_EQ(wide->unmappable, 1u);
    EXPECT_EQ(wide->firstUnmappable, 1u);

    const auto badUtf8 = ToUtf8("ab\xE2\x82", "UTF-8");
    ASSERT_TRUE(badUtf8);
    EXPECT_EQ(badUtf8->text, "ab\uFFFD");
    EXPECT_EQ(badUtf8->unmappable, 1u);
    EXPECT_EQ(badUtf8->firstUnmappable, 2u);
    const auto loneSurrogate = ToUtf8(std::string("a\0\0\xD8z\0", 6), "UTF-16LE");
    ASSERT_TRUE(loneSurrogate);
    EXPECT_EQ(loneSurrogate->text, "a\uFFFDz");
    EXPECT_EQ(loneSurrogate->unmappable, 1u);
    EXPECT_EQ(loneSurrogate->firstUnmappable, 2u);
    const auto ascii = ToUtf8("a\xE9z", "US-ASCII");
    ASSERT_TRUE(ascii);
    EXPECT_EQ(ascii->unmappable, 1u);

    // Windows-1250 by name keeps the undefined bytes, as the own table does.
    const auto undefined = ToUtf8("\x81\x98", "windows-1250");
    ASSERT_TRUE(undefined);
    EXPECT_EQ(undefined->text, "\u0081\u0098");
    EXPECT_TRUE(undefined->lossless());
}

TEST(CodePage, CharsetNamesAndNumbers) {
    EXPECT_EQ(CharsetForCodePage(1250), "windows-1250");
    EXPECT_EQ(CharsetForCodePage(852), "ibm-852");
    EXPECT_EQ(CharsetForCodePage(28592), "ISO-8859-2");
    EXPECT_EQ(CharsetForCodePage(65001), "UTF-8");
    EXPECT_EQ(CharsetForCodePage(1200), "UTF-16LE");
    EXPECT_EQ(CharsetForCodePage(1201), "UTF-16BE");
    EXPECT_EQ(CharsetForCodePage(12345), "");
    for (int codePage : {1250, 1251, 1252, 852, 437, 866, 28591, 28592, 28605, 65001, 1200, 1201, 20127, 20866})
        EXPECT_TRUE(IsKnownCharset(CharsetForCodePage(codePage))) << codePage;

    for (const char* name : {"windows-1250", "WINDOWS-1250", "iso-8859-2", "cp852", "ibm-852", "UTF-16", "utf-8"})
        EXPECT_TRUE(IsKnownCharset(name)) << name;
    EXPECT_FALSE(IsKnownCharset(""));
    EXPECT_FALSE(IsKnownCharset("no-such-charset"));
    EXPECT_FALSE(IsKnownCharset(std::string("utf-8\0x", 7)));
    EXPECT_FALSE(ToUtf8("abc", "no-such-charset"));
    EXPECT_FALSE(FromUtf8("abc", ""));
}

} // namespace
} // namespace vardo::codepage
