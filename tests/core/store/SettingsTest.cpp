#include "core/store/Settings.h"

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::Cp1250;

IniFile Ini(std::string_view utf8Text) {
    return IniFile::Parse(Cp1250(utf8Text));
}

TEST(Settings, MissingKeysGiveTheDefaults) {
    const Settings read = ReadSettings(IniFile{}, "/home/sekretarz/zbor", "polish");
    Settings expected;
    expected.lastBackupFolder = "/home/sekretarz/zbor";
    EXPECT_EQ(read, expected);
    EXPECT_EQ(read.labelBirthDate, 1);
    EXPECT_EQ(read.labelLeftMargin, 20);
    EXPECT_EQ(read.emergencyWitnessLine, 1);
    EXPECT_EQ(read.topMargin, 50);
    EXPECT_EQ(read.autoCapitalize, 1);
    EXPECT_EQ(read.noStartupNote, 0);
}

TEST(Settings, IntegersKeepTheirLowByteAndEarlyValuesAreNotRead) {
    const IniFile ini = Ini("[Karty]\r\nLewy margines=300\r\n"
                            "[Raporty]\r\nGórny margines=-1\r\nLinie siatki=1\r\n"
                            "[HideAvg]\r\nWłączono=13\r\n"
                            "[Early]\r\nYear=24\r\nMonth=4\r\n");
    const Settings read = ReadSettings(ini, "", "polish");
    EXPECT_EQ(read.labelLeftMargin, 44);
    EXPECT_EQ(read.topMargin, 255);
    EXPECT_EQ(read.gridLines, 1);
    EXPECT_EQ(read.cardHiddenTotals, 13);
    EXPECT_EQ(read.earlyYear, 0);
    EXPECT_EQ(read.earlyMonth, 0);
}

TEST(Settings, UserCategoryLabelIsCutToFifteenCharacters) {
    const IniFile ini =
        Ini("[Kategoria użytkownika]\r\nWłączono=1\r\nKategoria użytkownika=Zaangażowani głosiciele\r\n");
    const Settings read = ReadSettings(ini, "", "polish");
    EXPECT_EQ(read.userCategoryEnabled, 1);
    EXPECT_EQ(read.userCategoryLabel, "Zaangażowani gł");

    EXPECT_EQ(CutUserCategoryLabel("Służba żółwia ąęść"), "Służba żółwia ą");
    EXPECT_EQ(CutUserCategoryLabel("Krótka"), "Krótka");
    EXPECT_EQ(CutUserCategoryLabel(""), "");
}

TEST(Settings, TheMailSwitchAndTheNameOrderAreNotReadInThisBuild) {
    const IniFile ini = Ini("[Dzwoń OK]\r\nWłączono=1\r\n[]\r\nWłączono=1\r\n");
    const Settings read = ReadSettings(ini, "", "polish");
    EXPECT_EQ(read.mailCallMode, 0);
    EXPECT_EQ(read.firstNameFirst, 0);
}

TEST(Settings, WrittenFileUsesThePolishNamesInWindows1250) {
    Settings s;
    s.labelLeftMargin = 44;
    s.congregationName = "Kraków-Łagiewniki";
    s.userCategoryLabel = "Zaangażowani gł";
    s.earlyYear = 24;
    s.earlyMonth = 4;
    s.lastBackupFolder = "/media/pendrive";
    s.lastBackupDate = "2024-03-26";
    IniFile ini;
    WriteSettings(s, ini, "polish");
    const std::string bytes = ini.Serialize();

    for (std::string_view line :
         {"[Karty]\r\nData urodzenia=1\r\nInna etykieta=0\r\nLewy margines=44\r\n", "Górny margines=50\r\n",
          "Brak czasu - ramka=0\r\n", "EmergJw=1\r\n", "CongName=Kraków-Łagiewniki\r\n", "[Dzwoń OK]\r\nWłączono=0\r\n",
          "[AutoCap]\r\nWłączono=1\r\n", "[Nag]\r\nWłączono=0\r\n",
          "[Kategoria użytkownika]\r\nWłączono=0\r\nKategoria użytkownika=Zaangażowani gł\r\n",
          "[Early]\r\nYear=24\r\nMonth=4\r\n", "[Kopia Zapasowa]\r\nŚcieżka=/media/pendrive\r\nLast=2024-03-26\r\n"})
        EXPECT_NE(bytes.find(Cp1250(line)), std::string::npos) << line;
    // The first-name-first switch exists only for the "ptg" build.
    EXPECT_FALSE(ini.HasKey("", "Włączono"));
}

TEST(Settings, WriteKeepsOtherSectionsAndReadsBackEqual) {
    IniFile ini = Ini("; czcionki raportów\r\n[Czcionka 1]\r\nNazwa=Arial\r\n[Karty]\r\nLewy margines=7\r\n");
    Settings s = ReadSettings(ini, "/dane", "polish");
    s.labelLeftMargin = 30;
    s.gridLines = 1;
    s.noStartupNote = 1;
    s.cardHiddenTotals = 9;
    s.secretaryEmail = "sekretarz@example.org";
    s.congregationName = "Zbór Gdańsk-Wrzeszcz";
    WriteSettings(s, ini, "polish");

    const IniFile reread = IniFile::Parse(ini.Serialize());
    EXPECT_EQ(reread.GetString("Czcionka 1", "Nazwa", ""), "Arial");
    EXPECT_NE(ini.Serialize().find(Cp1250("; czcionki raportów")), std::string::npos);
    EXPECT_EQ(ReadSettings(reread, "/inne", "polish"), s);
}

TEST(Settings, NameOrderSwitchIsReadAndWrittenForPtgOnly) {
    Settings s;
    s.firstNameFirst = 1;
    IniFile ptg;
    WriteSettings(s, ptg, "ptg");
    EXPECT_EQ(ReadSettings(ptg, "", "ptg").firstNameFirst, 1);
    EXPECT_EQ(ReadSettings(ptg, "", "polish").firstNameFirst, 0);
}

class SettingsFile : public test::TempDataFolderTest {};

TEST_F(SettingsFile, IsVardokIniOfTheDataFolder) {
    EXPECT_EQ(SettingsFileName(), "vardok.ini");
    const auto missing = LoadSettingsFile(m_folder);
    ASSERT_TRUE(missing.ok());
    EXPECT_EQ(ReadSettings(missing.value(), "/x", "polish").topMargin, 50);

    IniFile ini;
    Settings s;
    s.topMargin = 75;
    WriteSettings(s, ini, "polish");
    ASSERT_TRUE(SaveSettingsFile(ini, m_folder).ok());
    EXPECT_TRUE(m_dir.Exists("vardok.ini"));
    const auto loaded = LoadSettingsFile(m_folder);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(ReadSettings(loaded.value(), "/x", "polish").topMargin, 75);
}

} // namespace
} // namespace vardo
