#pragma once

// What the report-entry rules work on: the document's register, remarks and card totals for the run, and
// the hooks through which they reach the month life cycle.

#include <functional>

#include "core/platform/Prompter.h"
#include "core/store/CardTotals.h"
#include "core/store/DocumentChange.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/RemarkTable.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// References to the document's data; the document outlives every presenter that holds one. Every store is
/// one DocumentChange on `changes` (register, remarks, card totals, month cycle), committed only when
/// something changed.
struct ReportingContext {
    PublisherDatabase& database;
    RemarkTable& remarks;
    CardTotals& cardTotals;
    const WorkingMonth& month;
    Prompter& prompter;
    ChangeHub& changes;
    /// The late-report list: whether the person already has a late report for the month, and adding one.
    /// When empty, the person's late marker of the month stands for the list (see LateMarkerHooks).
    std::function<bool(const PublisherRecord&, MonthIndex)> isLateReport;
    std::function<void(PublisherRecord&, MonthIndex)> addLateReport;
    /// Records the last publisher whose report was stored (shown by the entry list).
    std::function<void(PublisherId)> setLastEntered;

    /// The late-report hooks, or the late markers of the records when no hook is set.
    bool IsLateReport(const PublisherRecord& person, MonthIndex month) const;
    void AddLateReport(PublisherRecord& person, MonthIndex month) const;
};

} // namespace vardo
