#include "core/reports/ReportOptions.h"

#include <gtest/gtest.h>

#include "core/platform/CodePage.h"

namespace vardo {
namespace {

// Settings text as the file holds it: Windows-1250.
IniFile ParseUtf8(std::string_view text) {
    return IniFile::Parse(codepage::Utf8ToCp1250(text).text);
}

TEST(ReportOptions, MissingKeysGiveDefaults) {
    const ReportOptions o = LoadReportOptions(IniFile());
    EXPECT_EQ(o, ReportOptions{});
    EXPECT_TRUE(o.birthDateOnCards);
    EXPECT_TRUE(o.emergencyWitnessLine);
    EXPECT_EQ(o.topMargin, 50);
    EXPECT_EQ(o.labelLeftMargin, 20);
}

TEST(ReportOptions, StoredValuesKeepTheirLowByte) {
    IniFile ini = ParseUtf8("[Karty]\r\nLewy margines=300\r\nData urodzenia=256\r\n"
                            "[Raporty]\r\nGórny margines=75\r\nZnacznik daty=1\r\nLinie siatki=2\r\n"
                            "CongName=  Kraków Północ   \r\nEmergJw=0\r\n");
    const ReportOptions o = LoadReportOptions(ini);
    EXPECT_EQ(o.labelLeftMargin, 44);
    EXPECT_FALSE(o.birthDateOnCards); // 256 keeps 0
    EXPECT_EQ(o.topMargin, 75);
    EXPECT_TRUE(o.dateStamp);
    EXPECT_TRUE(o.gridLines);
    EXPECT_FALSE(o.emergencyWitnessLine);
    EXPECT_EQ(o.congregationName, "Kraków Północ");
}

TEST(ReportOptions, SaveAndLoadRoundTrip) {
    ReportOptions o;
    o.birthDateOnCards = false;
    o.otherLabelLayout = false;
    o.gridLines = true;
    o.missingReportFrames = true;
    o.dateStamp = true;
    o.topMargin = 7;
    o.labelLeftMargin = 99;
    o.congregationName = "Zbór Śródmieście";
    o.emergencyWitnessLine = false;
    IniFile ini;
    SaveReportOptions(o, ini);
    EXPECT_EQ(ini.GetInt("Raporty", "Linie siatki", -1), 1);
    EXPECT_EQ(ini.GetInt("Karty", "Data urodzenia", -1), 0);
    EXPECT_EQ(LoadReportOptions(IniFile::Parse(ini.Serialize())), o);
}

TEST(ReportOptions, SettingsCarryTheStoredOptions) {
    Settings settings;
    ReportOptions o;
    o.topMargin = 12;
    o.dateStamp = true;
    o.congregationName = "Zbór";
    o.surnameFirst = true; // lives only for the run
    StoreReportOptions(o, settings);
    EXPECT_EQ(settings.topMargin, 12);
    EXPECT_EQ(settings.dateStamp, 1);
    ReportOptions back = ReportOptionsFromSettings(settings);
    EXPECT_FALSE(back.surnameFirst);
    back.surnameFirst = true;
    EXPECT_EQ(back, o);
}

TEST(ReportOptions, LabelChecksAreCoupled) {
    ReportOptions o;
    SetBirthDateOnCards(o, false);
    SetOtherLabelLayout(o, true);
    EXPECT_TRUE(o.birthDateOnCards);
    SetBirthDateOnCards(o, false);
    EXPECT_FALSE(o.otherLabelLayout);
    SetOtherLabelLayout(o, false);
    EXPECT_FALSE(o.birthDateOnCards);
}

TEST(ReportOptions, ApplyNormalisesAndTellsWhetherAnythingChanged) {
    ReportOptions o;
    EXPECT_FALSE(ApplyReportOptions(o, ReportOptions{}));
    ReportOptions edited;
    edited.topMargin = 150;
    edited.labelLeftMargin = -3;
    edited.congregationName = "   Bardzo długa nazwa zboru ponad limit  ";
    EXPECT_TRUE(ApplyReportOptions(o, edited));
    EXPECT_EQ(o.topMargin, 99);
    EXPECT_EQ(o.labelLeftMargin, 0);
    EXPECT_EQ(o.congregationName, "Bardzo długa nazwa zboru");
    EXPECT_FALSE(ApplyReportOptions(o, o));
}

TEST(ReportOptions, MarginListHoldsTwoDigitEntries) {
    const auto entries = MarginListEntries();
    ASSERT_EQ(entries.size(), 100u);
    EXPECT_EQ(entries.front(), "00");
    EXPECT_EQ(entries[7], "07");
    EXPECT_EQ(entries.back(), "99");
}

TEST(CardOptions, StoredUnderTheirOwnSections) {
    IniFile ini = ParseUtf8("[PrtGrp]\r\nWłączono=1\r\n[HideAvg]\r\nWłączono=21\r\n");
    CardOptions o = LoadCardOptions(ini);
    EXPECT_TRUE(o.showGroups);
    EXPECT_FALSE(o.onePerPage);
    EXPECT_EQ(o.hiddenAverages, 5); // four bits
    o.onePerPage = true;
    o.hideBirthDay = true;
    SaveCardOptions(o, ini);
    EXPECT_EQ(ini.GetInt("OnePerPage", "Włączono", 0), 1);
    EXPECT_EQ(ini.GetInt("HideBir", "Włączono", 0), 1);
    EXPECT_EQ(LoadCardOptions(ini), o);

    Settings settings;
    StoreCardOptions(o, settings);
    EXPECT_EQ(CardOptionsFromSettings(settings), o);
}

} // namespace
} // namespace vardo
