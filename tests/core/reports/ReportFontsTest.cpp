#include "core/reports/ReportFonts.h"

#include <gtest/gtest.h>

#include "core/platform/CodePage.h"

namespace vardo {
namespace {

// Settings text as the file holds it: Windows-1250.
IniFile ParseUtf8(std::string_view text) {
    return IniFile::Parse(codepage::Utf8ToCp1250(text).text);
}

TEST(ReportFonts, CharSetFollowsLanguageTag) {
    const struct {
        const char* tag;
        int charSet;
    } cases[] = {{"polish", 238},   {"czech", 238}, {"hun", 238},   {"rom", 238}, {"turkish", 162},
                 {"greek", 161},    {"rus", 204},   {"urk", 204},   {"tha", 222}, {"lt", 186},
                 {"estonian", 186}, {"vie", 163},   {"english", 0}, {"", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CharSetForLanguage(c.tag), c.charSet) << c.tag;
}

TEST(ReportFonts, DefaultsOfBothResolutionSets) {
    const LogicalFont title = DefaultReportFont(ReportFontId::Title, true, "polish");
    EXPECT_EQ(title, (LogicalFont{"Arial", -19, 0, 700, false, false, 34, 238}));
    EXPECT_EQ(DefaultReportFont(ReportFontId::Subtitle, true, "polish").height, -16);
    EXPECT_EQ(DefaultReportFont(ReportFontId::Small, true, "polish").weight, 400);

    const LogicalFont lowHeader = DefaultReportFont(ReportFontId::Header, false, "polish");
    EXPECT_EQ(lowHeader, (LogicalFont{"Roman 12cpi", -13, 0, 700, false, false, 49, 238}));
    EXPECT_EQ(DefaultReportFont(ReportFontId::Title, false, "polish").height, -13);
    EXPECT_EQ(DefaultReportFont(ReportFontId::Text, false, "polish").face, "Roman 10cpi");

    EXPECT_EQ(DefaultReportFont(ReportFontId::Text, true, "tha").face, "System");
    EXPECT_EQ(DefaultReportFont(ReportFontId::Small, false, "tha").face, "System");
    EXPECT_EQ(DefaultReportFont(ReportFontId::Text, true, "english").charSet, 0);
}

TEST(ReportFonts, MakeReportFontScalesWithRounding) {
    const LogicalFont text{"Arial", -13, 7, 400, false, false, 34, 238};
    const LogicalFont same = MakeReportFont(text, false, {96, 96}, {600, 600});
    EXPECT_EQ(same, text);
    // −13 × 300 / 96 = −40.625 → −41; width 7 × 300 / 96 = 21.875 → 22.
    const LogicalFont printer = MakeReportFont(text, true, {96, 96}, {300, 300});
    EXPECT_EQ(printer.height, -41);
    EXPECT_EQ(printer.width, 22);
    // −19 × 600 / 96 = −118.75 → −119; x and y scale independently.
    const LogicalFont title{"Arial", -19, 10, 700, false, false, 34, 238};
    const LogicalFont anisotropic = MakeReportFont(title, true, {96, 120}, {300, 600});
    EXPECT_EQ(anisotropic.height, -95);
    EXPECT_EQ(anisotropic.width, 31);
}

TEST(ReportFonts, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 3, -2), -11);
    EXPECT_EQ(MulDiv(1, 1, 0), 0);
    EXPECT_EQ(MulDiv(1 << 29, 12, 16), 402653184); // the product does not overflow
}

TEST(ReportFonts, NothingStoredTakesDefaultsAndNextSaveWritesEveryKey) {
    IniFile ini;
    ini.SetInt("Czcionka", "Wysokość", 0);
    ReportFonts fonts;
    fonts.LoadAll(ini, false);
    EXPECT_EQ(fonts.Get(ReportFontId::Text), DefaultReportFont(ReportFontId::Text, false, "polish"));
    EXPECT_EQ(fonts.Get(ReportFontId::Title).face, "Roman 10cpi");

    fonts.Save(ini);
    EXPECT_EQ(ini.GetInt("Czcionka", "Wysokość", 0), -13);
    EXPECT_EQ(ini.GetInt("Czcionka", "Szerokość", 0), 400);
    EXPECT_EQ(ini.GetInt("Czcionka tytułu", "Szerokość", 0), 700);
    EXPECT_EQ(ini.GetInt("Czcionka nagłówka", "PitchAndFamily", 0), 49);
    EXPECT_EQ(ini.GetString("Mała czcionka", "FaceName", ""), "Roman 12cpi");
    EXPECT_EQ(ini.GetInt("Mała czcionka", "CharSet", 0), 238);
    EXPECT_TRUE(ini.HasKey("Czcionka podtytułu", "Kursywa"));
    EXPECT_TRUE(ini.HasKey("Czcionka podtytułu", "Podkreślona"));
}

TEST(ReportFonts, StoredFontIsReadAndOnlyChangedKeysAreRewritten) {
    // Values written in a form that a rewrite would change ("+700" reads as 700 but is written "700").
    IniFile ini = ParseUtf8("[Czcionka]\r\nWysokość=-15\r\nSzerokość=0700\r\nKursywa=1\r\nPodkreślona=0\r\n"
                            "PitchAndFamily=018\r\nFaceName=Times New Roman\r\nCharSet=0238\r\n");
    ReportFonts fonts;
    fonts.Load(ini, ReportFontId::Text, false, true);
    const LogicalFont stored{"Times New Roman", -15, 0, 700, true, false, 18, 238};
    EXPECT_EQ(fonts.Get(ReportFontId::Text), stored);

    LogicalFont changed = stored;
    changed.height = -17;
    fonts.Set(ReportFontId::Text, changed);
    IniFile saved = ini;
    fonts.Save(saved);
    EXPECT_EQ(saved.GetInt("Czcionka", "Wysokość", 0), -17);
    const std::string bytes = codepage::Cp1250ToUtf8(saved.Serialize());
    EXPECT_NE(bytes.find("Szerokość=0700"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("PitchAndFamily=018"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("CharSet=0238"), std::string::npos) << bytes;
}

TEST(ReportFonts, ResetTakesDefaultsWhateverIsStoredAndFaceIsCut) {
    IniFile ini;
    ini.SetInt("Czcionka tytułu", "Wysokość", -30);
    ini.SetString("Czcionka tytułu", "FaceName", "Łódź Grotesk Extra Condensed Pro Black Italic");
    ReportFonts fonts;
    fonts.Load(ini, ReportFontId::Title, false, true);
    EXPECT_EQ(fonts.Get(ReportFontId::Title).height, -30);
    EXPECT_EQ(fonts.Get(ReportFontId::Title).face, "Łódź Grotesk Extra Condensed Pr");
    EXPECT_EQ(fonts.Get(ReportFontId::Title).face.size(), 34u); // 31 characters, three of two bytes

    fonts.Load(ini, ReportFontId::Title, true, true);
    EXPECT_EQ(fonts.Get(ReportFontId::Title), DefaultReportFont(ReportFontId::Title, true, "polish"));
}

TEST(ReportFonts, FontOfHeightZeroIsNotSaved) {
    ReportFonts fonts;
    LogicalFont empty = fonts.Get(ReportFontId::Small);
    empty.height = 0;
    fonts.Set(ReportFontId::Small, empty);
    IniFile ini;
    fonts.Save(ini);
    EXPECT_FALSE(ini.HasKey("Mała czcionka", "Wysokość"));
    EXPECT_EQ(ini.GetInt("Czcionka", "Wysokość", 0), -13);
}

} // namespace
} // namespace vardo
