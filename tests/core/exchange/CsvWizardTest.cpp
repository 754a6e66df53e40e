#include "core/exchange/CsvWizard.h"

#include <gtest/gtest.h>

#include "../reporting/ReportingFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

// Working month February 2025 (slot 1).
class CsvWizardTest : public test::ReportingTest {
protected:
    CsvWizardTest() {
        m_jan = AddPerson("Jan", "Kowalski");
        m_ewa = AddPerson("Ewa", "Nowak");
    }

    CsvTable Table() {
        return ParseCsv("Osoba;Był;Kursy;Godziny;Uwagi;x\nJan Kowalski;1;2;;;\nEwka N.;1;4;;;\n").value();
    }

    test::TempDir m_dir;
    DataFolder m_folder{m_dir.Path()};
    PublisherId m_jan = 0, m_ewa = 0;
};

TEST_F(CsvWizardTest, ColumnsNamesAndTheMappingsKeptForNextTime) {
    {
        CsvWizard wizard(m_context, m_folder, Table());
        EXPECT_FALSE(wizard.CanContinue());
        EXPECT_EQ(wizard.Continue().code(), Failure::Invalid);
        wizard.Pair(0, CsvTarget::NameFirstLast);
        wizard.Pair(1, CsvTarget::Participated);
        wizard.Pair(2, CsvTarget::Studies);
        EXPECT_EQ(wizard.TargetLines()[6], "Imię ( Imię Nazwisko ) = Osoba");
        EXPECT_EQ(wizard.TargetLines()[0], "Imię");
        EXPECT_EQ(CsvWizard::WhenHoursCaption(), "* -> Głosił(a) = Godz. > 0");
        ASSERT_TRUE(wizard.CanContinue());
        ASSERT_TRUE(wizard.Continue().ok());
        EXPECT_EQ(wizard.Unmatched(), std::vector<std::string>{"Ewka N."});
        EXPECT_EQ(wizard.UnmatchedText(), "1 niezidentyfikowanych głosicieli");
        EXPECT_FALSE(wizard.CanFinish());
        wizard.PairName("Ewka N.", RecordOf(m_ewa));
        EXPECT_TRUE(wizard.CanFinish());
        const CsvReports reports = wizard.Finish();
        ASSERT_EQ(reports.persons.size(), 2u);
        EXPECT_EQ(reports.persons[1].values.Cell(1, 1).BibleStudies(), 4);
    }
    EXPECT_TRUE(m_dir.Exists("vdmap.dat"));
    EXPECT_TRUE(m_dir.Exists("tpmap.dat"));

    CsvWizard again(m_context, m_folder, Table());
    EXPECT_TRUE(again.CanContinue()) << "the saved mapping is offered again";
    ASSERT_TRUE(again.Continue().ok());
    EXPECT_TRUE(again.Unmatched().empty()) << "and so is the name pair";
    again.ClearNamePairs();
    EXPECT_EQ(again.Unmatched().size(), 1u);
    again.SetSkipUnmatched(true);
    EXPECT_TRUE(again.CanFinish());
    EXPECT_EQ(again.Finish().persons.size(), 1u);
}

TEST_F(CsvWizardTest, WholeNameAndNamePartsExcludeEachOther) {
    CsvWizard wizard(m_context, m_folder, Table());
    wizard.Pair(0, CsvTarget::FirstName);
    wizard.Pair(1, CsvTarget::LastName);
    wizard.Pair(0, CsvTarget::NameLastFirst);
    EXPECT_EQ(wizard.Map().Column(CsvTarget::FirstName), -1);
    EXPECT_EQ(wizard.Map().Column(CsvTarget::LastName), -1);
    wizard.Pair(0, CsvTarget::FirstName);
    EXPECT_EQ(wizard.Map().Column(CsvTarget::NameLastFirst), -1);
    wizard.SetParticipatedWhenHours(true);
    wizard.ClearPairs();
    EXPECT_FALSE(wizard.CanContinue());
    EXPECT_TRUE(wizard.ParticipatedWhenHours()) << "the option is not a pair";
}

TEST_F(CsvWizardTest, DamagedMappingFileIsReportedAndIgnored) {
    m_dir.WriteFile("vdmap.dat", "short");
    m_dir.WriteFile("tpmap.dat", std::string(200, '\xFF'));
    CsvWizard wizard(m_context, m_folder, Table());
    EXPECT_FALSE(wizard.CanContinue());
    ASSERT_FALSE(m_prompter.Shown().empty());
    EXPECT_NE(m_prompter.Shown().back().find("vdmap.dat"), std::string::npos);
}

} // namespace
} // namespace vardo
