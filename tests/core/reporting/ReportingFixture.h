#pragma once

// A register in memory with remarks and card totals for the reporting rules. Today 2025-03-10: the
// working month is February 2025 (newer report format); the stored months reach back to March 2023.

#include <string_view>

#include <gtest/gtest.h>

#include "core/platform/Prompter.h"
#include "core/reporting/ReportingContext.h"
#include "core/store/CardTotals.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/RemarkTable.h"
#include "core/store/WorkingMonth.h"

namespace vardo::test {

class ReportingTest : public ::testing::Test {
protected:
    ReportingTest() {
        m_database.SetCount(1);
        m_database.Header().SetMonthState(m_month.monthIndex, MonthState::Open);
        m_database.RebuildIndex();
    }

    /// Adds a person in sorted place (record numbers of others may move); returns the id.
    PublisherId AddPerson(std::string_view first, std::string_view last,
                          PublisherCategory category = PublisherCategory::Publisher) {
        PublisherRecord record;
        record.SetFirstName(first);
        record.SetLastName(last);
        record.SetCategory(category);
        record.SetId(m_database.NextFreeId());
        const auto number = m_database.AppendRecord(record);
        EXPECT_TRUE(number.ok());
        m_database.RepositionRecord(number.value(), true, m_prompter);
        m_database.RebuildIndex();
        m_database.SetModified(false);
        return record.Id();
    }

    PublisherRecord& Person(PublisherId id) { return *m_database.FindById(id); }
    RecordNumber RecordOf(PublisherId id) const { return m_database.RecordNumberOfId(id); }
    YearSlot WorkingSlot() const { return m_month.SlotOf(m_month.monthIndex); }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    RemarkTable m_remarks;
    CardTotals m_totals;
    WorkingMonth m_month = WorkingMonthFor(2025, 3, 10);
    int m_modifiedCalls = 0;
    PublisherId m_lastEntered = 0;
    ReportingContext m_context{m_database, m_remarks,  m_totals,
                               m_month,    m_prompter, [this] { ++m_modifiedCalls; },
                               {},         {},         [this](PublisherId id) { m_lastEntered = id; }};
};

} // namespace vardo::test
