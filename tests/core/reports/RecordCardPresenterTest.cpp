// The record-card dialog's rules: its list and the parts the list buttons step through, the toggles and the
// batches it prints.

#include "core/reports/RecordCardPresenter.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Persons.h"
#include "core/platform/Prompter.h"

namespace vardo::test {
namespace {

constexpr MonthIndex kFebruary = 1;
constexpr YearSlot kSlot = 0; // February 2024

class RecordCardPresenterTest : public ::testing::Test {
protected:
    RecordCardPresenterTest() {
        m_database.SetCount(1);
        m_database.RebuildIndex();
        m_groups.SetCount(2);
        m_source.database = &m_database;
        m_source.groups = &m_groups;
        m_source.workingMonth = WorkingMonthFor(2024, 3, 10);
        Add("Adam", "Nowak", 1, PioneerCode::None);
        Add("Ewa", "Kowalska", 1, PioneerCode::Regular);
        Add("Jan", "Zieliński", 2, PioneerCode::None);
        Add("Olga", "Bąk", 0, PioneerCode::Auxiliary);
        Add("Piotr", "Wiśniewski", 2, PioneerCode::None, PublisherCategory::Inactive);
    }
    void Add(const char* first, const char* last, int group, PioneerCode code,
             PublisherCategory category = PublisherCategory::Publisher) {
        const PublisherId id = AddPersonTo(m_database, first, last, m_prompter, category);
        PublisherRecord& person = *m_database.FindById(id);
        person.SetGroup(group);
        ReportCell cell;
        cell.SetPioneer(code);
        person.SetCell(kFebruary, kSlot, cell);
        m_database.RebuildIndex();
    }
    static std::vector<std::string> Texts(const RecordCardPresenter& presenter) {
        std::vector<std::string> texts;
        for (const CardListEntry& entry : presenter.Entries())
            texts.push_back(entry.text);
        return texts;
    }
    std::vector<std::string> Names(const std::vector<RecordNumber>& records) const {
        std::vector<std::string> names;
        for (const RecordNumber record : records)
            names.push_back(m_database.Record(record).LastName());
        return names;
    }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    GroupTable m_groups;
    CardSource m_source;
};

TEST_F(RecordCardPresenterTest, ListsTheActiveOrTheInactivePersonsWithTheFirstSelected) {
    RecordCardPresenter presenter(m_source);
    EXPECT_EQ(presenter.Entries().size(), 4u);
    EXPECT_EQ(presenter.Selected(), 0);
    ASSERT_TRUE(presenter.SelectedRecord());
    EXPECT_EQ(presenter.SelectedText(), presenter.Entries()[0].text);
    presenter.Select(2);
    EXPECT_EQ(presenter.SelectedRecord(), presenter.Entries()[2].record);
    presenter.Select(9); // out of range: unchanged
    EXPECT_EQ(presenter.Selected(), 2);

    presenter.SetInactive(true);
    ASSERT_EQ(presenter.Entries().size(), 1u);
    EXPECT_EQ(m_database.Record(presenter.Entries()[0].record).LastName(), "Wiśniewski");
    EXPECT_EQ(presenter.Selected(), 0);
}

TEST_F(RecordCardPresenterTest, ListButtonsStepThroughPioneersGroupsAndTheUnassigned) {
    RecordCardPresenter presenter(m_source);
    ASSERT_EQ(presenter.PartCount(), 5); // all, pioneers, groups 1 and 2, without a group
    EXPECT_EQ(presenter.PartName(0), "Wszyscy");
    EXPECT_EQ(presenter.PartName(1), "Pionierzy (Peł i Spe)");
    EXPECT_EQ(presenter.PartName(4), "Nie przydzieleni do Grup");
    EXPECT_EQ(presenter.PartName(-1), presenter.PartName(4));

    presenter.StepPart(1);
    EXPECT_EQ(Names(presenter.PartRecords(false)), (std::vector<std::string>{"Kowalska"}));
    EXPECT_FALSE(presenter.PartGroup());
    presenter.StepPart(1); // group 1 without its regular pioneer
    EXPECT_EQ(presenter.PartGroup(), 1);
    EXPECT_EQ(Names(presenter.PartRecords(false)), (std::vector<std::string>{"Nowak"}));
    EXPECT_EQ(Names(presenter.PartRecords(true)), (std::vector<std::string>{"Kowalska", "Nowak"}));
    presenter.StepPart(2); // an auxiliary pioneer is no pioneer of the list
    EXPECT_EQ(presenter.PartGroup(), 0);
    EXPECT_EQ(Names(presenter.PartRecords(true)), (std::vector<std::string>{"Bąk"}));
    presenter.StepPart(1); // wraps to the whole list
    EXPECT_EQ(presenter.Part(), 0);
    EXPECT_EQ(presenter.Entries().size(), 4u);
}

TEST_F(RecordCardPresenterTest, BatchesFollowPioneersGroupsAndTheRestAndNameThePreviousYear) {
    RecordCardPresenter presenter(m_source);
    EXPECT_EQ(Names(presenter.BatchRecords(false)),
              (std::vector<std::string>{"Kowalska", "Nowak", "Zieliński", "Bąk"}));
    EXPECT_EQ(Names(presenter.BatchRecords(true)), (std::vector<std::string>{"Wiśniewski"}));
    EXPECT_EQ(presenter.BatchName(false), "Głosiciele czynni");
    EXPECT_EQ(presenter.BatchName(true), "Nieczynni głosiciele");
    EXPECT_FALSE(presenter.Source().previousYear);

    presenter.SetPreviousYear(true);
    EXPECT_EQ(presenter.BatchName(false), "Głosiciele czynni 2023");
    EXPECT_EQ(presenter.BatchFileName(true), "Nieczynni głosiciele 2023.pdf");
    const CardSource source = presenter.Source();
    EXPECT_TRUE(source.previousYear);
    EXPECT_TRUE(source.options.onePerPage);
}

TEST_F(RecordCardPresenterTest, WithoutGroupsTheUnassignedFollowThePioneers) {
    m_groups.SetCount(0);
    RecordCardPresenter presenter(m_source);
    ASSERT_EQ(presenter.PartCount(), 3);
    presenter.ShowPart(2);
    EXPECT_EQ(presenter.PartGroup(), 0);
    EXPECT_EQ(Names(presenter.PartRecords(false)), (std::vector<std::string>{"Bąk"}));
}

} // namespace
} // namespace vardo::test
