#include "core/platform/IniFile.h"

#include <string>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::Cp1250;

IniFile Ini(std::string_view utf8Text) {
    return IniFile::Parse(Cp1250(utf8Text));
}

TEST(IniFile, GetIntReadsTheLeadingNumberLikeWindows) {
    struct Case {
        const char* value;
        int expected;
    };
    const Case cases[] = {
        {"12", 12},        {"  12  ", 12},       {"12abc", 12}, {"-1", -1},   {"+7", 7},
        {"abc", 0},        {"- 5", 0},           {"\"5\"", 5},  {"0x1F", 31}, {"-0x10", -16},
        {"4294967297", 1}, {"300 ; uwaga", 300}, {"", 99},      {"   ", 99},  {"3.7", 3},
    };
    for (const auto& c : cases) {
        const IniFile ini = Ini(std::string("[Karty]\r\nLewy margines=") + c.value + "\r\n");
        EXPECT_EQ(ini.GetInt("Karty", "Lewy margines", 99), c.expected) << '"' << c.value << '"';
    }
    const IniFile ini = Ini("[Karty]\r\nLewy margines=5\r\n");
    EXPECT_EQ(ini.GetInt("Karty", "Data urodzenia", 1), 1);
    EXPECT_EQ(ini.GetInt("Raporty", "Lewy margines", 20), 20);
    EXPECT_EQ(IniFile{}.GetInt("Karty", "Lewy margines", 20), 20);
}

TEST(IniFile, GetStringTrimsBlanksAndOneQuotePair) {
    const IniFile ini = Ini("[Raporty]\r\n"
                            "CongName =   Zbór Kraków  \r\n"
                            "Cytat=\"  z odstępami  \"\r\n"
                            "Pojedynczy='a'\r\n"
                            "Niedomknięty=\"abc\r\n"
                            "Puste=\r\n"
                            "Równość=a=b\r\n");
    EXPECT_EQ(ini.GetString("Raporty", "CongName", "x"), "Zbór Kraków");
    EXPECT_EQ(ini.GetString("Raporty", "Cytat", "x"), "  z odstępami  ");
    EXPECT_EQ(ini.GetString("Raporty", "Pojedynczy", "x"), "a");
    EXPECT_EQ(ini.GetString("Raporty", "Niedomknięty", "x"), "\"abc");
    EXPECT_EQ(ini.GetString("Raporty", "Puste", "x"), "");
    EXPECT_EQ(ini.GetString("Raporty", "Równość", "x"), "a=b");
    EXPECT_EQ(ini.GetString("Raporty", "Brak", "domyślny"), "domyślny");
    EXPECT_TRUE(ini.HasKey("raporty", "PUSTE"));
    EXPECT_FALSE(ini.HasKey("Raporty", "Brak"));
}

TEST(IniFile, SectionsAndKeysIgnoreCaseIncludingPolishLetters) {
    const IniFile ini = Ini("; ustawienia\n"
                            "[Kategoria użytkownika]\n"
                            "Włączono=1\n"
                            "Kategoria użytkownika=Starsi\n"
                            "[ Kopia Zapasowa ]\n"
                            "  Ścieżka  = /media/pendrive\n"
                            "[Kategoria UŻYTKOWNIKA]\n"
                            "Włączono=7\n");
    EXPECT_EQ(ini.GetInt("KATEGORIA UŻYTKOWNIKA", "WŁĄCZONO", 0), 1); // the first of two equal sections
    EXPECT_EQ(ini.GetString("kategoria użytkownika", "kategoria UŻYTKOWNIKA", ""), "Starsi");
    EXPECT_EQ(ini.GetString("kopia zapasowa", "ŚCIEŻKA", ""), "/media/pendrive");
    EXPECT_EQ(ini.GetString("Kopia Zapasowa", "Sciezka", "brak"), "brak"); // letters with marks are distinct
}

TEST(IniFile, EmptySectionNameIsASectionOfItsOwn) {
    IniFile ini = Ini("Włączono=5\r\n[Nag]\r\nWłączono=0\r\n[]\r\nWłączono=1\r\n");
    EXPECT_EQ(ini.GetInt("", "Włączono", 0), 1);
    ini.SetInt("", "Włączono", 2);
    EXPECT_EQ(ini.Serialize(), Cp1250("Włączono=5\r\n[Nag]\r\nWłączono=0\r\n[]\r\nWłączono=2\r\n"));

    IniFile fresh;
    EXPECT_FALSE(fresh.HasKey("", "Włączono"));
    fresh.SetInt("", "Włączono", 1);
    EXPECT_EQ(fresh.Serialize(), Cp1250("[]\r\nWłączono=1\r\n"));
    EXPECT_EQ(IniFile::Parse(fresh.Serialize()).GetInt("", "Włączono", 0), 1);
}

TEST(IniFile, WritingChangesOnlyItsOwnLine) {
    IniFile ini = Ini("; czcionki raportów\n"
                      "[Czcionka 1]\n"
                      "Nazwa = Arial\n"
                      "\n"
                      "[Karty]\n"
                      "lewy MARGINES = 7 ; uwaga\n"
                      "  dziwna linia bez znaku równości\n"
                      "\n"
                      "; o raportach\n"
                      "[Raporty]\n"
                      "Linie siatki=0\n");
    EXPECT_FALSE(ini.Modified());
    ini.SetInt("KARTY", "Lewy margines", 30);
    ini.SetInt("Karty", "Data urodzenia", 0);
    ini.SetString("Raporty", "Linie siatki", "0"); // unchanged
    ini.SetString("Sec", "Email", "sekretarz@example.org");
    ini.SetString("Czcionka 1", "Wysokość", "-13");
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(ini.Serialize(), Cp1250("; czcionki raportów\r\n"
                                      "[Czcionka 1]\r\n"
                                      "Nazwa = Arial\r\n"
                                      "Wysokość=-13\r\n"
                                      "\r\n"
                                      "[Karty]\r\n"
                                      "lewy MARGINES=30\r\n"
                                      "  dziwna linia bez znaku równości\r\n"
                                      "Data urodzenia=0\r\n"
                                      "\r\n"
                                      "; o raportach\r\n"
                                      "[Raporty]\r\n"
                                      "Linie siatki=0\r\n"
                                      "[Sec]\r\n"
                                      "Email=sekretarz@example.org\r\n"));

    ini.RemoveKey("karty", "DATA URODZENIA");
    ini.RemoveKey("Karty", "Brak");
    EXPECT_FALSE(ini.HasKey("Karty", "Data urodzenia"));
    EXPECT_EQ(ini.GetInt("Karty", "Lewy margines", 0), 30);

    IniFile same = Ini("[Karty]\r\nLewy margines=7\r\n");
    same.SetInt("Karty", "Lewy margines", 7);
    EXPECT_FALSE(same.Modified());
}

TEST(IniFile, ValuesCannotAddLinesAndUnreadableKeysAreNotWritten) {
    IniFile ini;
    ini.SetString("Raporty", "CongName", "Zbór\r\n[Nag]\r\nWłączono=1");
    EXPECT_EQ(ini.GetString("Raporty", "CongName", ""), "Zbór  [Nag]  Włączono=1");
    EXPECT_FALSE(ini.HasKey("Nag", "Włączono"));
    ini.SetString("Raporty", "a=b", "1");
    ini.SetString("Raporty", ";komentarz", "1");
    ini.SetString("Raporty", "[Nag]", "1");
    const IniFile reread = IniFile::Parse(ini.Serialize());
    EXPECT_EQ(reread.GetString("Raporty", "CongName", ""), "Zbór  [Nag]  Włączono=1");
    EXPECT_EQ(ini.Serialize(), Cp1250("[Raporty]\r\nCongName=Zbór  [Nag]  Włączono=1\r\n"));

    // A section name with a bracket still reads back whole.
    ini.SetString("Dziwna]sekcja", "k", "v");
    EXPECT_EQ(IniFile::Parse(ini.Serialize()).GetString("Dziwna]sekcja", "k", ""), "v");
}

TEST(IniFile, CharactersOutsideWindows1250AreCounted) {
    IniFile ini;
    ini.SetString("Raporty", "CongName", "Zbór Жук");
    EXPECT_EQ(ini.Unmappable(), 3u);
    EXPECT_EQ(ini.Serialize(), Cp1250("[Raporty]\r\nCongName=Zbór ???\r\n"));
    ini.SetString("Raporty", "CongName", "Zbór Łąka");
    EXPECT_EQ(ini.Unmappable(), 0u);
}

class IniFileOnDisk : public test::TempDataFolderTest {};

TEST_F(IniFileOnDisk, SavesWindows1250WithCrLfAndLoadsItBack) {
    m_dir.WriteFile("VARDOK.INI", Cp1250("; notatka\n[Kopia Zapasowa]\nLast=2024-01-01\n"));
    auto loaded = IniFile::Load(m_folder, "vardok.ini");
    ASSERT_TRUE(loaded);
    IniFile ini = std::move(loaded).value();
    ini.SetString("Kopia Zapasowa", "Ścieżka", "/media/Żółw");
    ini.SetString("Kategoria użytkownika", "Kategoria użytkownika", "Starsi");
    ASSERT_TRUE(ini.Save(m_folder, "vardok.ini"));

    const std::string expected = std::string("; notatka\r\n[Kopia Zapasowa]\r\nLast=2024-01-01\r\n") + "\x8C" +
                                 "cie\xBF" + "ka=/media/\xAF\xF3\xB3w\r\n" + "[Kategoria u\xBFytkownika]\r\n" +
                                 "Kategoria u\xBFytkownika=Starsi\r\n";
    EXPECT_EQ(m_dir.ReadFile("VARDOK.INI"), expected);
    EXPECT_FALSE(m_dir.Exists("vardok.ini"));

    const auto reread = IniFile::Load(m_folder, "Vardok.ini");
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread.value().GetString("KOPIA ZAPASOWA", "ŚCIEŻKA", ""), "/media/Żółw");
    EXPECT_EQ(reread.value().GetString("KATEGORIA UŻYTKOWNIKA", "kategoria użytkownika", ""), "Starsi");
}

TEST_F(IniFileOnDisk, MissingFileGivesDefaultsAndUnreadableFileFails) {
    const auto missing = IniFile::Load(m_folder, "vardok.ini");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing.value().GetInt("Raporty", "Górny margines", 50), 50);
    EXPECT_EQ(missing.value().Serialize(), "");

    ASSERT_TRUE(m_folder.CreateFolder("vardok.ini"));
    const auto folder = IniFile::Load(m_folder, "vardok.ini");
    ASSERT_FALSE(folder);
    EXPECT_NE(folder.error().find("vardok.ini"), std::string::npos);
}

} // namespace
} // namespace vardo
