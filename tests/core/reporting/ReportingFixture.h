#pragma once

// A register in memory with remarks and card totals for the reporting rules. Today 2025-03-10: the
// working month is February 2025 (newer report format); the stored months reach back to March 2023.

#include <string_view>

#include <gtest/gtest.h>

#include "Persons.h"
#include "core/platform/Prompter.h"
#include "core/reporting/ReportingContext.h"
#include "core/store/CardTotals.h"
#include "core/store/ChangeCaptures.h"
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
        m_changes.SetCapture(DataArea::Register, CaptureOf(m_database));
        m_changes.SetCapture(DataArea::Remarks, CaptureByCopy(m_remarks));
        m_changes.SetCapture(DataArea::CardTotals, CaptureByCopy(m_totals));
        m_changes.SetCapture(DataArea::MonthCycle, [] { return ChangeHub::Restore{}; });
        m_subscription = m_changes.Subscribe([this](const ChangeEvent& event) {
            if (event.kind == ChangeEvent::Kind::Committed)
                ++m_modifiedCalls;
        });
    }

    /// Adds a person in sorted place (record numbers of others may move); returns the id.
    PublisherId AddPerson(std::string_view first, std::string_view last,
                          PublisherCategory category = PublisherCategory::Publisher) {
        const PublisherId id = AddPersonTo(m_database, first, last, m_prompter, category);
        m_database.FindById(id)->SetHope(0);
        return id;
    }

    PublisherRecord& Person(PublisherId id) { return *m_database.FindById(id); }
    RecordNumber RecordOf(PublisherId id) const { return m_database.RecordNumberOfId(id); }
    YearSlot WorkingSlot() const { return m_month.SlotOf(m_month.monthIndex); }

    ScriptedPrompter m_prompter;
    PublisherDatabase m_database;
    RemarkTable m_remarks;
    CardTotals m_totals;
    WorkingMonth m_month = WorkingMonthFor(2025, 3, 10);
    ChangeHub m_changes;
    int m_modifiedCalls = 0; // committed changes
    ChangeHub::Subscription m_subscription;
    PublisherId m_lastEntered = 0;
    ReportingContext m_context{m_database, m_remarks,  m_totals,
                               m_month,    m_prompter, m_changes,
                               {},         {},         [this](PublisherId id) { m_lastEntered = id; }};
};

} // namespace vardo::test
