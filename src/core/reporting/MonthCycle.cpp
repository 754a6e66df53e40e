#include "core/reporting/MonthCycle.h"

#include <algorithm>
#include <functional>

#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr MonthRow kReportRows[] = {MonthRow::Placements, MonthRow::Videos, MonthRow::Hours, MonthRow::ReturnVisits,
                                    MonthRow::StudyWord};

void ClearReportCells(PublisherRecord& record, MonthIndex f, YearSlot c, bool keepPlacements = false) {
    for (MonthRow row : kReportRows)
        if (!(keepPlacements && row == MonthRow::Placements))
            record.SetRow(row, f, c, 0);
}

int HighNibble(std::uint8_t value) {
    return value >> 4;
}

// Empties the remark texts of a person that leaves the register.
void ForgetRemarks(RemarkTable& remarks, PublisherId id) {
    for (std::size_t n = 1; n < remarks.Count(); ++n)
        if (remarks.Entry(n).Id() == id)
            remarks.Entry(n).ClearText();
}

// Removes persons of `category` one at a time, each time the one `older` orders first among those
// `eligible` accepts, while more than kListTrimTarget remain (only when the list is over kListTrimAbove).
// Stops when no eligible person is left. Returns the number removed.
int TrimList(PublisherDatabase& db, RemarkTable& remarks, PublisherCategory category,
             const std::function<bool(const PublisherRecord&)>& eligible,
             const std::function<bool(const PublisherRecord&, const PublisherRecord&)>& older) {
    auto count = [&] {
        int n = 0;
        for (RecordNumber r = 1; r < db.Count(); ++r)
            n += db.Record(r).Category() == category ? 1 : 0;
        return n;
    };
    int remaining = count();
    if (remaining <= kListTrimAbove)
        return 0;
    int removed = 0;
    while (remaining > kListTrimTarget) {
        RecordNumber oldest = 0;
        for (RecordNumber r = 1; r < db.Count(); ++r) {
            const PublisherRecord& p = db.Record(r);
            if (p.Category() != category || !eligible(p))
                continue;
            if (oldest == 0 || older(p, db.Record(oldest)))
                oldest = r;
        }
        if (oldest == 0)
            break;
        ForgetRemarks(remarks, db.Record(oldest).Id());
        db.RemoveRecord(oldest);
        --remaining;
        ++removed;
    }
    return removed;
}

void InitialisePublisher(PublisherRecord& p, const MonthData& data, MonthIndex f, YearSlot c) {
    const int s6 = StatusExpiryMonth(f);
    if (HighNibble(p.StatusMonth()) == s6)
        p.SetStatusMonth(0);
    if (HighNibble(p.StatusYear()) == f + 1 && HighNibble(p.StatusMonth()) != f + 1)
        p.SetStatusYear(p.StatusYear() & 0x0F);
    if (p.StatusChangeMonth() != 0 && static_cast<int>(p.StatusChangeMonth()) < data.month.monthCount - 24) {
        p.SetStatusChangeMonth(0);
        p.SetStatusYear(0);
    }

    const MonthSlot previous = PreviousMonthSlot(f, c);
    const PioneerCode previousCode = p.Pioneer(previous.month, previous.slot);
    PioneerCode code = PioneerCode::None;
    if (p.IsContinuousAuxiliary())
        code = PioneerCode::Auxiliary;
    else if (previousCode == PioneerCode::Regular || previousCode == PioneerCode::Special)
        code = previousCode;
    p.SetRow(MonthRow::Pioneer, f, c, static_cast<std::uint16_t>(code));

    const std::uint16_t remark = p.RemarkNumber(f, c);
    if (remark != 0 && remark < data.remarks.Count())
        data.remarks.Entry(remark).ClearText();
    p.SetRow(MonthRow::Remark, f, c, 0);

    ClearReportCells(p, f, c);
    p.SetRow(MonthRow::CreditHours, f, c, 0);
}

// Full year of a deleted person's removal (status ordinal: month in the low byte, year − 1950 in the high).
int RemovalYear(const PublisherRecord& p) {
    return 1950 + (p.StatusChangeMonth() >> 8);
}
int RemovalMonth(const PublisherRecord& p) {
    return p.StatusChangeMonth() & 0xFF;
}

} // namespace

InitialiseOutcome InitialiseMonth(MonthData& data, const DataFolder& folder, MonthIndex f, YearSlot c) {
    InitialiseOutcome outcome;
    PublisherDatabase& db = data.database;
    const WorkingMonth& month = data.month;
    const int currentYear = YearOfYearByte(month.currentYearByte);

    // Steps 3-5: the persons of the register, month f of slot c.
    for (RecordNumber r = 1; r < db.Count(); ++r) {
        PublisherRecord& p = db.Record(r);
        switch (p.Category()) {
        case PublisherCategory::Publisher:
            InitialisePublisher(p, data, f, c);
            break;
        case PublisherCategory::NonPublisher:
            p.SetRow(MonthRow::CreditHours, f, c, 0);
            ClearReportCells(p, f, c, /*keepPlacements=*/true);
            p.SetRow(MonthRow::Remark, f, c, 0);
            break;
        case PublisherCategory::Deleted:
            p.SetRow(MonthRow::CreditHours, f, c, 0);
            ClearReportCells(p, f, c);
            p.SetRow(MonthRow::Pioneer, f, c, 0);
            p.SetRow(MonthRow::Remark, f, c, 0);
            break;
        default:
            break;
        }
    }

    // Steps 6-10: document state of the month.
    data.cycle.lastEnteredId = 0;
    db.Header().SetInitialisedYear(f, c, InitialisedYearTag(f, month.currentYearByte, month.todayMonth));
    const MonthTotals& totals = data.cycle.totals;
    if (totals.Value(0, MonthTotals::kReportCountColumn) != 0 ||
        totals.Value(1, MonthTotals::kReportCountColumn) != 0 || totals.Value(2, MonthTotals::kReportCountColumn) != 0)
        data.cycle.totals.Clear();
    data.cycle.lateReports.Clear();
    data.cycle.eraseLateAllowed = false;
    for (MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend}) {
        MeetingRecord& meeting = data.attendance.Record(kind);
        for (int row = 0; row <= static_cast<int>(MeetingRow::Average); ++row) {
            const auto meetingRow = static_cast<MeetingRow>(row);
            meeting.SetValue(meetingRow, f, c, meeting.Value(meetingRow, f, 2));
            for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
                if (m != f)
                    meeting.SetValue(meetingRow, m, 2, 0);
        }
    }

    // Step 12: the inactive list.
    outcome.inactiveRemoved = TrimList(
        db, data.remarks, PublisherCategory::Inactive,
        [&](const PublisherRecord& p) { return YearOfYearByte(p.StatusYear()) < currentYear; },
        [](const PublisherRecord& a, const PublisherRecord& b) {
            const int ya = YearOfYearByte(a.StatusYear());
            const int yb = YearOfYearByte(b.StatusYear());
            return ya != yb ? ya < yb : HighNibble(a.StatusMonth()) < HighNibble(b.StatusMonth());
        });
    // Step 13: moved persons stay on their list for twelve months.
    for (RecordNumber r = db.Count() - 1; r >= 1; --r) {
        PublisherRecord& p = db.Record(r);
        if (p.Category() != PublisherCategory::Moved || HighNibble(p.StatusMonth()) != f + 1)
            continue;
        ForgetRemarks(data.remarks, p.Id());
        db.RemoveRecord(r);
        ++outcome.movedRemoved;
    }
    // Step 14: the deleted list.
    outcome.deletedRemoved = TrimList(
        db, data.remarks, PublisherCategory::Deleted,
        [&](const PublisherRecord& p) { return RemovalYear(p) < currentYear; },
        [](const PublisherRecord& a, const PublisherRecord& b) {
            return RemovalYear(a) != RemovalYear(b) ? RemovalYear(a) < RemovalYear(b)
                                                    : RemovalMonth(a) < RemovalMonth(b);
        });
    for (RecordNumber r = 1; r < db.Count(); ++r) {
        PublisherRecord& p = db.Record(r);
        switch (p.Category()) {
        case PublisherCategory::Inactive:
            if ((p.StatusYear() & 1) == c && HighNibble(p.StatusMonth()) == f + 1) {
                p.SetRow(MonthRow::Pioneer, f, c, 0);
                ClearReportCells(p, f, c);
            }
            p.SetRow(MonthRow::Remark, f, c, 0);
            p.SetRow(MonthRow::CreditHours, f, c, 0);
            break;
        case PublisherCategory::Moved:
            p.SetRow(MonthRow::Remark, f, c, 0);
            ClearReportCells(p, f, c);
            p.SetRow(MonthRow::CreditHours, f, c, 0);
            break;
        case PublisherCategory::Deleted:
            if (HighNibble(p.StatusMonth()) == f + 1) {
                p.SetStatusMonth(0);
                const int back = month.todayMonth < f + 1 ? 2 : 1;
                p.SetStatusYear(static_cast<std::uint8_t>(month.currentYearByte - back));
                p.SetRow(MonthRow::Pioneer, f, c, 0);
                ClearReportCells(p, f, c);
            }
            p.SetRow(MonthRow::Remark, f, c, 0);
            p.SetRow(MonthRow::CreditHours, f, c, 0);
            break;
        default:
            break;
        }
    }
    if (outcome.inactiveRemoved + outcome.movedRemoved + outcome.deletedRemoved > 0)
        db.RebuildIndex();

    // Step 11, after the removals so that the file keeps no remark of a person who left.
    outcome.remarksWritten = data.remarks.WriteAll(folder);

    // Step 15: quarter hours of the previous month's publishers' total that do not make a whole hour.
    const MonthSlot previous = PreviousMonthSlot(f, c);
    const std::uint16_t quarters =
        data.cardTotals.Value(previous.month, 0, MonthTotals::kQuarterHourColumn, previous.slot);
    if (quarters % 4 != 0) {
        const std::size_t offset =
            LayoutOf(MonthRow::StudyWord).offset + 2 * static_cast<std::size_t>(CellPosition(f, c));
        HeaderRecord& header = db.Header();
        header.SetU16(offset, static_cast<std::uint16_t>(header.U16(offset) & ~kQuarterHoursMask));
        data.cardTotals.SetValue(previous.month, 0, MonthTotals::kQuarterHourColumn, previous.slot,
                                 static_cast<std::uint16_t>(quarters - quarters % 4));
    }

    // Step 16.
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
        db.Header().SetMonthState(m, MonthState::NotInitialised);
    db.Header().SetMonthState(f, MonthState::Open);
    return outcome;
}

bool CloseMonth(HeaderRecord& header, const WorkingMonth& month) {
    if (header.GetMonthState(month.monthIndex) != MonthState::Open)
        return false;
    header.SetMonthState(month.monthIndex, MonthState::Closed);
    return true;
}

bool EraseLateReports(MonthCycle& cycle, Prompter& prompter) {
    const std::string question =
        FormatPrintf(std::string(Str(StrId::EraseLateReports)).c_str(), static_cast<int>(cycle.lateReports.Size()));
    if (prompter.Ask(question, Buttons::OkCancel, Answer::Cancel) != Answer::Ok)
        return false;
    cycle.lateReports.Clear();
    cycle.eraseLateAllowed = false;
    return true;
}

} // namespace vardo
