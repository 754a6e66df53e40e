#pragma once

// A small register with a reporting context for the import fuzz targets: three active publishers in group 1,
// working month February 2025. Each input starts from the same register.

#include <cstdlib>

#include "core/platform/Prompter.h"
#include "core/reporting/ReportingContext.h"
#include "core/store/CardTotals.h"
#include "core/store/ChangeCaptures.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/RemarkTable.h"
#include "core/store/WorkingMonth.h"

namespace vardo::fuzz {

inline void Check(bool condition) {
    if (!condition)
        std::abort();
}

struct FuzzRegister {
    FuzzRegister() {
        database.SetCount(1);
        const char* names[][2] = {{"Jan", "Kowalski"}, {"Ewa", "Nowak"}, {"Łucja", "Żak"}};
        for (auto& name : names) {
            PublisherRecord record;
            record.SetFirstName(name[0]);
            record.SetLastName(name[1]);
            record.SetGroup(1);
            record.SetId(database.NextFreeId());
            (void)database.AppendRecord(record);
        }
        database.Record(2).SetRow(MonthRow::Pioneer, 1, 1, static_cast<std::uint16_t>(PioneerCode::Regular));
        database.SortRecords();
        database.RebuildIndex();
        changes.SetCapture(DataArea::Register, CaptureOf(database));
        changes.SetCapture(DataArea::Remarks, CaptureByCopy(remarks));
        changes.SetCapture(DataArea::CardTotals, CaptureByCopy(totals));
        changes.SetCapture(DataArea::MonthCycle, [] { return ChangeHub::Restore{}; });
    }

    ScriptedPrompter prompter;
    PublisherDatabase database;
    RemarkTable remarks;
    CardTotals totals;
    WorkingMonth month = WorkingMonthFor(2025, 3, 10);
    ChangeHub changes;
    ReportingContext context{database, remarks, totals, month, prompter, changes, {}, {}, {}};
};

} // namespace vardo::fuzz
