// The congregation analysis as drawn: who is listed where, the marks and what the counters and the branch
// table take in.

#include "core/reports/Analysis.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Persons.h"
#include "core/platform/Prompter.h"
#include "core/reports/RecordingCanvas.h"

namespace vardo::test {
namespace {

constexpr MonthIndex kFebruary = 1;
constexpr YearSlot kSlot = 1; // February 2025

class AnalysisTest : public ::testing::Test {
protected:
    AnalysisTest() {
        m_database.SetCount(1);
        m_database.RebuildIndex();
        m_groups.SetCount(2);
        m_source.database = &m_database;
        m_source.groups = &m_groups;
        m_source.lateReports = &m_late;
        m_source.attendance = &m_attendance;
        m_source.workingMonth = WorkingMonthFor(2025, 3, 10);
    }
    PublisherRecord& Add(const char* first, const char* last, int group, PioneerCode code, int hours, int studies,
                         bool participated = true) {
        const PublisherId id = AddPersonTo(m_database, first, last, m_prompter);
        PublisherRecord& person = *m_database.FindById(id);
        person.SetGroup(group);
        person.SetBaptismDate(" 5052019");
        ReportCell cell;
        cell.SetPioneer(code);
        cell.hours = static_cast<std::uint16_t>(hours);
        cell.SetBibleStudies(studies);
        cell.SetFlag(participated);
        person.SetCell(kFebruary, kSlot, cell);
        ReportCell earlier; // reports in the months before keep the publisher regular
        earlier.SetFlag(true);
        for (MonthIndex m : {0, 11, 10, 9, 8})
            person.SetCell(m, m == 0 ? kSlot : 1 - kSlot, earlier);
        m_database.RebuildIndex();
        return person;
    }
    std::vector<std::string> Draw(AnalysisVariant variant = {}) {
        m_database.RebuildIndex();
        RecordingCanvas canvas(600, 600);
        m_counts = DrawAnalysis(m_source, canvas, m_environment, variant);
        m_pages = CountAnalysisPages(m_source, canvas, m_environment, variant);
        return canvas.TextStrings();
    }
    static int CountOf(const std::vector<std::string>& texts, const std::string& text) {
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }
    // The text drawn right after `name` on its line, skipping the cells in between: the mark is drawn last.
    static std::string MarkAfter(const std::vector<std::string>& texts, const std::string& name) {
        auto it = std::find(texts.begin(), texts.end(), name);
        for (++it; it != texts.end(); ++it)
            if (it->find_first_not_of("0123456789 ") != std::string::npos)
                return *it;
        return {};
    }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    GroupTable m_groups;
    LateReportList m_late;
    MeetingAttendance m_attendance;
    AnalysisSource m_source;
    ReportEnvironment m_environment;
    AnalysisCounts m_counts;
    int m_pages = 0;
};

TEST_F(AnalysisTest, RegularPioneerIsListedOnceInThePioneerSection) {
    Add("Adam", "Alfa", 1, PioneerCode::Regular, 50, 2);
    Add("Beata", "Beta", 1, PioneerCode::None, 0, 1);
    Add("Cezary", "Gamma", 0, PioneerCode::Auxiliary, 30, 0);
    const auto texts = Draw();
    EXPECT_EQ(CountOf(texts, "Adam Alfa"), 1);
    const auto pioneers = std::find(texts.begin(), texts.end(), "  Pionierzy (Peł i Spe)");
    const auto group1 = std::find(texts.begin(), texts.end(), "  Grupa 1");
    const auto unassigned = std::find(texts.begin(), texts.end(), "Nie przydzieleni do Grup");
    const auto adam = std::find(texts.begin(), texts.end(), "Adam Alfa");
    const auto beata = std::find(texts.begin(), texts.end(), "Beata Beta");
    const auto cezary = std::find(texts.begin(), texts.end(), "Cezary Gamma");
    ASSERT_NE(unassigned, texts.end());
    EXPECT_TRUE(pioneers < adam && adam < group1 && group1 < beata && beata < unassigned && unassigned < cezary);
    EXPECT_EQ(MarkAfter(texts, "Adam Alfa"), "p ");
    EXPECT_EQ(m_counts.listed[2], 1);
    EXPECT_EQ(m_counts.hours[2], 50);
    EXPECT_EQ(m_counts.hours[0], 0);
    EXPECT_EQ(m_counts.auxiliaryListed, 1);
    EXPECT_EQ(m_pages, 2) << "the branch table starts a page of its own after a long first page";
}

TEST_F(AnalysisTest, ParticipationOnlyGetsNoNoReportMarkButNoReportDoes) {
    Add("Adam", "Alfa", 1, PioneerCode::None, 0, 0, true);
    Add("Beata", "Beta", 1, PioneerCode::None, 0, 0, false);
    const auto texts = Draw();
    EXPECT_EQ(m_counts.noReport[0], 1);
    EXPECT_EQ(MarkAfter(texts, "Beata Beta"), "#");
    EXPECT_NE(MarkAfter(texts, "Adam Alfa").find('#'), 0u);
}

TEST_F(AnalysisTest, SpecialServiceIsMarkedButAddsNothing) {
    Add("Adam", "Alfa", 1, PioneerCode::None, 0, 0, true).SetSpecialFullTime(true);
    Add("Beata", "Beta", 1, PioneerCode::Regular, 80, 4, true).SetFieldMissionary(true);
    Add("Cezary", "Gamma", 1, PioneerCode::None, 0, 2, true);
    const auto texts = Draw();
    EXPECT_EQ(MarkAfter(texts, "Adam Alfa"), "+");
    EXPECT_EQ(MarkAfter(texts, "Beata Beta"), "m ");
    EXPECT_EQ(m_counts.specialService, 1);
    EXPECT_EQ(m_counts.fieldMissionaries, 1);
    EXPECT_EQ(m_counts.studies[2], 0);
    EXPECT_EQ(m_counts.hours[2], 0);
    EXPECT_EQ(m_counts.studies[0], 2);
    EXPECT_EQ(CountOf(texts, "Specjalna sluzba pelnoczasowa (+)"), 1);
    // Branch table: only Cezary reports; the publisher row shows no hours.
    const auto title = std::find_if(texts.begin(), texts.end(),
                                    [](const std::string& t) { return t.find("raport do Biura Oddzału") != t.npos; });
    ASSERT_NE(title, texts.end());
    EXPECT_EQ(*title, "luty raport do Biura Oddzału - 3 Głosiciele czynni");
    const auto publisherRow = std::find(title, texts.end(), "Gł.");
    ASSERT_NE(publisherRow, texts.end());
    EXPECT_EQ(*(publisherRow + 1), "   1");
    EXPECT_EQ(*(publisherRow + 2), "     2") << "reports count, then studies: no hours for publishers";
}

TEST_F(AnalysisTest, UnbaptisedAndGroupReport) {
    Add("Adam", "Alfa", 2, PioneerCode::None, 0, 0, true).SetBaptismDate("");
    Add("Beata", "Beta", 1, PioneerCode::None, 0, 0, true);
    const auto texts = Draw({2, 0, false});
    EXPECT_EQ(CountOf(texts, "Adam Alfa"), 1);
    EXPECT_EQ(CountOf(texts, "Beata Beta"), 0);
    EXPECT_EQ(MarkAfter(texts, "Adam Alfa"), "§ ");
    EXPECT_EQ(m_counts.unbaptised, 1);
    EXPECT_EQ(CountOf(texts, "luty Raport dla grupy nr 2"), 1);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const std::string& t) { return t.find("Biura Oddzału") != t.npos; }),
              0)
        << "a group report ends after its summary";
}

TEST_F(AnalysisTest, LateReportLineFollowsThePublisher) {
    PublisherRecord& person = Add("Adam", "Alfa", 1, PioneerCode::None, 0, 1, true);
    ReportCell january;
    january.SetPioneer(PioneerCode::Auxiliary);
    january.hours = 30;
    person.SetCell(0, kSlot, january);
    m_late.Add(person.Id(), 0, kFebruary);
    const auto texts = Draw();
    const auto adam = std::find(texts.begin(), texts.end(), "Adam Alfa");
    const auto late = std::find(texts.begin(), texts.end(), "*  styczeń (");
    ASSERT_NE(late, texts.end());
    EXPECT_LT(adam, late);
    EXPECT_EQ(*(late + 1), "  30");
}

TEST_F(AnalysisTest, ManyPublishersFillSeveralPagesAndCountAgrees) {
    for (int i = 0; i < 120; ++i)
        Add("Osoba", ("Nr" + std::to_string(1000 + i)).c_str(), 1 + i % 2, PioneerCode::None, 0, 1, true);
    Draw();
    EXPECT_GE(m_pages, 3);
    RecordingCanvas canvas(600, 600);
    DrawAnalysis(m_source, canvas, m_environment, {});
    int lastY = 0;
    for (const auto& item : canvas.Texts())
        lastY = std::max(lastY, item.y);
    const int pageHeight = m_environment.pageHeightTenths / 10 * 600;
    EXPECT_EQ(lastY / pageHeight + 1, m_pages) << "the last page drawn is the last page counted";
    EXPECT_EQ(CountAnalysisPages(m_source, canvas, m_environment, {0, 1, false}), 1) << "the summary has one page";
}

} // namespace
} // namespace vardo::test
