#include "core/exchange/TabularExports.h"

#include <gtest/gtest.h>

#include "../reporting/ReportingFixture.h"
#include "TempDataFolder.h"
#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

// Working month February 2025 (slot 1).
class TabularExportsTest : public test::ReportingTest {
protected:
    TabularExportsTest() {
        m_jan = AddPerson("Jan \"Janek\"", "Kowalski");
        m_ewa = AddPerson("Ewa", "Żak");
        PublisherRecord& jan = Person(m_jan);
        jan.SetGroup(2);
        jan.SetAddress("Polna\t3");
        jan.SetRow(MonthRow::StudyWord, 1, 1, kStudyFlagBit | 2);
        jan.SetRow(MonthRow::Pioneer, 1, 1, static_cast<std::uint16_t>(PioneerCode::Auxiliary));
        jan.SetRow(MonthRow::Hours, 1, 1, 30);
        jan.SetAppointment(Appointment::Elder);
        jan.SetMale(true);
        jan.SetHope('A');
        jan.SetBirthDate(" 5052019");
        EXPECT_TRUE(StoreRemark(m_remarks, jan, 1, 1, 0, "dobrze", m_prompter).ok());
        Person(m_ewa).SetRow(MonthRow::Pioneer, 1, 1, static_cast<std::uint16_t>(PioneerCode::Regular));
    }

    ExportSource Source() {
        return {m_database, m_remarks, m_totals, m_month,
                [this](const PublisherRecord& p) -> std::optional<ExtensionRecord> {
                    if (p.Id() != m_ewa)
                        return std::nullopt;
                    ExtensionRecord extension;
                    EXPECT_TRUE(extension.SetLongName("Ewa Maria Żak").ok());
                    EXPECT_TRUE(extension.SetEmail("ewa@zak.pl").ok());
                    return extension;
                }};
    }

    PublisherId m_jan = 0, m_ewa = 0;
};

TEST_F(TabularExportsTest, MonthlyDataLinesWithHeaderAndQuotes) {
    const std::string csv = MonthlyDataExport(Source(), 1, ',', true);
    EXPECT_EQ(csv, "\xEF\xBB\xBF"
                   "Imię i nazwisko ,Grupa ,P. St. ,Głosił(a) ,Kursy b. ,P. Pom ,Godz. ,Uwagi ,Miesiąc ,Lat ,ID ,\r\n"
                   "\"Kowalski, Jan \"\"Janek\"\"\",2,1,1,2,1,30,\"dobrze\",\"02 (Lut)\",2025," +
                       std::to_string(m_jan) + ",\r\n\"Żak, Ewa\",0,2,0,0,0,0,\"\",\"02 (Lut)\",2025," +
                       std::to_string(m_ewa) + ",\r\n");
    const std::string rpt = MonthlyDataExport(Source(), 11, '\t', false);
    EXPECT_NE(rpt.find("\t\"12 (Gru)\"\t2024\t"), std::string::npos) << "a month after the working month: year before";
    EXPECT_EQ(MonthlyDataFileName(2, ','), "marzec.csv");
    EXPECT_EQ(MonthlyDataFileName(2, '\t'), "marzec.rpt");
}

TEST_F(TabularExportsTest, ContactsAndCardHeaders) {
    const std::string contacts = ContactExport(Source());
    EXPECT_NE(contacts.find("\r\nKowalski, Jan \"Janek\"\tPolna 3\t\t\t\t\t\t2\t\r\n"), std::string::npos) << contacts;
    EXPECT_NE(contacts.find("\r\nEwa Maria Żak\t\t\t\t\tewa@zak.pl\t\t0\t\r\n"), std::string::npos);
    const std::string cards = CardHeaderExport(Source());
    EXPECT_NE(cards.find("Kowalski, Jan \"Janek\"\tPolna 3\t\t\t2019-05-05\t\tY\tY\t\t\tY\t\r\n"), std::string::npos)
        << cards;
    EXPECT_NE(cards.find("Ewa Maria Żak\t\t\t\t\t\t\t\t\tY\t\t\r\n"), std::string::npos);
}

TEST_F(TabularExportsTest, SummaryOfTwentyFourMonths) {
    m_totals.SetValue(1, 0, 8, 1, 40); // February 2025, publishers: reports
    m_totals.SetValue(1, 0, 2, 1, 12); // hours
    m_totals.SetValue(1, 0, 5, 1, 44); // active publishers
    m_totals.SetValue(1, 2, 2, 1, 100);
    m_totals.SetValue(1, 3, 2, 1, 130);
    const std::string summary = SummaryExport(Source());
    std::size_t lines = 0;
    for (const char c : summary)
        lines += c == '\n';
    EXPECT_EQ(lines, 1u + 3 * 24);
    EXPECT_NE(summary.find("\"Głosiciele\",\"luty 2025\",\"40\",\"0\",\"0\",\"12\",\"0\",\"0\",\"44\"\r\n"),
              std::string::npos);
    EXPECT_NE(summary.find("\"Pionierzy (Peł i Spe)\",\"luty 2025\",\"0\",\"0\",\"0\",\"230\""), std::string::npos);
    EXPECT_NE(summary.find("\"Głosiciele\",\"marzec 2023\","), std::string::npos);
    EXPECT_EQ(summary.find("luty 2023"), std::string::npos);
}

class WriteExportTest : public test::TempDataFolderTest {};

TEST_F(WriteExportTest, MakesTheFolderAndRefusesWithThePath) {
    const auto path = WriteExport(m_folder, "contact.tsv", "abc");
    ASSERT_TRUE(path.ok());
    EXPECT_EQ(m_dir.ReadFile("Exports/contact.tsv"), "abc");
    EXPECT_EQ(path.value(), (m_dir.Path() / "Exports" / "contact.tsv").string());
    m_dir.WriteFile("Blocked", "a file where a folder should be");
    const auto refused = WriteExport(DataFolder(m_dir.Path() / "Blocked"), "x.csv", "abc");
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.code(), Failure::Io);
    EXPECT_NE(refused.error().find("x.csv"), std::string::npos);
}

} // namespace
} // namespace vardo
