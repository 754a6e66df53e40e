#pragma once

// The month life cycle: the state the document keeps for it (late reports, the working month's totals, the
// last entered publisher) and the operations that start, initialise and close a month.

#include <cstdint>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/reporting/LateReportList.h"
#include "core/reporting/MonthTotals.h"
#include "core/store/CardTotals.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/RemarkTable.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// The month cycle's part of the document.
struct MonthCycle {
    LateReportList lateReports;
    MonthTotals totals;
    /// Id of the last publisher entered in the entry list; 0 = none.
    PublisherId lastEnteredId = 0;
    /// The erase command of the late reports is enabled (F11 in the report view with late reports listed).
    bool eraseLateAllowed = false;
};

// --- Month arithmetic ------------------------------------------------------------------------------------

/// The month before (month, slot) in the two-year arrays: month − 1 in the same slot, December of the other
/// slot for January.
struct MonthSlot {
    MonthIndex month = 0;
    YearSlot slot = 0;
    bool operator==(const MonthSlot&) const = default;
};
constexpr MonthSlot PreviousMonthSlot(MonthIndex month, YearSlot slot) {
    return month == 0 ? MonthSlot{11, 1 - slot} : MonthSlot{month - 1, slot};
}

/// 1-based number of the month six months before month index f: f − 5 when f > 5, else f + 7.
constexpr int StatusExpiryMonth(MonthIndex f) {
    return f > 5 ? f - 5 : f + 7;
}

/// Year tag the initialisation of month f writes: the current year byte, less one for December initialised
/// in January or February.
constexpr std::uint16_t InitialisedYearTag(MonthIndex f, YearByte currentYearByte, int todayMonth) {
    return static_cast<std::uint16_t>(currentYearByte - ((f == 11 && (todayMonth == 1 || todayMonth == 2)) ? 1 : 0));
}

// --- Operations ------------------------------------------------------------------------------------------

/// The data an initialisation works on.
struct MonthData {
    PublisherDatabase& database;
    RemarkTable& remarks;
    MeetingAttendance& attendance;
    CardTotals& cardTotals;
    MonthCycle& cycle;
    /// Already holds the month being initialised.
    const WorkingMonth& month;
};

/// What an initialisation did besides clearing.
struct InitialiseOutcome {
    int inactiveRemoved = 0; ///< oldest inactive persons removed from an over-long list
    int movedRemoved = 0;    ///< moved persons whose year on the list is over
    int deletedRemoved = 0;  ///< oldest deleted persons removed from an over-long list
    /// The rewrite of the remark file; its failure leaves the table in memory for the next save.
    Status remarksWritten = Status::Ok();
};

/// Lists longer than this are trimmed at initialisation, down to kListTrimTarget persons.
inline constexpr int kListTrimAbove = 280;
inline constexpr int kListTrimTarget = 250;

/// InitialiseMonth (f = month index, c = year slot), every step after the snapshot: ages the statuses and
/// empties month f of slot c in every record, carries the pioneer codes over, empties the remarks of the
/// month, clears the totals and the late reports, moves the attendance out of slot 2, trims the inactive,
/// moved and deleted lists, carries the quarter hours and leaves f the only Open month. A non-publisher's
/// placements cells of month f are left alone: their bytes hold the Bible study conductor text. Remarks of
/// persons removed here are emptied, so that a later person given the same id does not inherit them. The
/// remark file is rewritten in `folder`; the index of the database is rebuilt.
InitialiseOutcome InitialiseMonth(MonthData& data, const DataFolder& folder, MonthIndex f, YearSlot c);

/// CloseMonth: the working month becomes Closed. False (nothing changed) when it is not Open.
bool CloseMonth(HeaderRecord& header, const WorkingMonth& month);

/// EraseLateReports: asks string 1349 with the number of entries (OK/Cancel, Cancel the default); on OK
/// empties the list and disables the command. True when the list was emptied.
bool EraseLateReports(MonthCycle& cycle, Prompter& prompter);

} // namespace vardo
