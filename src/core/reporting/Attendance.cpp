#include "core/reporting/Attendance.h"

#include "core/platform/CodePage.h"
#include "core/platform/Strings.h"

namespace vardo {

MeetingFigures ComputeMeetingFigures(const WeekAttendance& weeks) {
    MeetingFigures figures;
    for (std::uint16_t week : weeks) {
        figures.total += week;
        figures.meetings += week != 0 ? 1 : 0;
    }
    if (figures.meetings != 0) {
        figures.average = figures.total / figures.meetings;
        if ((figures.total % figures.meetings) * 10 >= figures.meetings * 10 / 2)
            ++figures.average;
    }
    return figures;
}

WeekAttendance WeeksOf(const MeetingAttendance& attendance, MeetingKind kind, MonthIndex month, YearSlot slot) {
    WeekAttendance weeks{};
    for (int week = 0; week < 5; ++week)
        weeks[static_cast<std::size_t>(week)] = attendance.Record(kind).Week(week, month, slot);
    return weeks;
}

MeetingFigures StoredFigures(const MeetingAttendance& attendance, MeetingKind kind, MonthIndex month, YearSlot slot) {
    const MeetingRecord& record = attendance.Record(kind);
    return {record.Value(MeetingRow::Meetings, month, slot), record.Value(MeetingRow::Total, month, slot),
            record.Value(MeetingRow::Average, month, slot)};
}

void StoreAttendanceMonth(MeetingAttendance& attendance, MeetingKind kind, MonthIndex month, YearSlot slot,
                          const WeekAttendance& weeks) {
    MeetingRecord& record = attendance.Record(kind);
    for (int week = 0; week < 5; ++week)
        record.SetWeek(week, month, slot, weeks[static_cast<std::size_t>(week)]);
    const MeetingFigures figures = ComputeMeetingFigures(weeks);
    record.SetValue(MeetingRow::Meetings, month, slot, static_cast<std::uint16_t>(figures.meetings));
    // Five weeks of up to 65535 each can pass the 16 bits of the file's total; it keeps what fits.
    record.SetValue(MeetingRow::Total, month, slot, static_cast<std::uint16_t>(figures.total));
    record.SetValue(MeetingRow::Average, month, slot, static_cast<std::uint16_t>(figures.average));
}

void StoreAttendanceMonth(ChangeHub& changes, MeetingAttendance& attendance, MeetingKind kind, MonthIndex month,
                          YearSlot slot, const WeekAttendance& weeks) {
    DocumentChange change(changes, std::string(Str(StrId::AttendanceChange)));
    change.Touch(DataArea::Attendance);
    StoreAttendanceMonth(attendance, kind, month, slot, weeks);
    change.Commit();
}

double MeetingAverage(const MeetingAttendance& attendance, MeetingKind kind, MonthIndex month, YearSlot slot) {
    const MeetingRecord& record = attendance.Record(kind);
    const int meetings = record.Value(MeetingRow::Meetings, month, slot);
    if (meetings == 0)
        return 0.0;
    return static_cast<double>(record.Value(MeetingRow::Total, month, slot)) / meetings;
}

std::optional<YearSlot> AttendanceSlotOf(const WorkingMonth& month, int year, MonthIndex monthIndex) {
    if (year < kFirstSupportedYear || year > kLastSupportedYear || !IsMonthIndex(monthIndex))
        return std::nullopt;
    const int count = ToMonthCount(year, monthIndex);
    if (count <= month.monthCount && count > month.monthCount - 24)
        return SlotOfMonthCount(static_cast<MonthCount>(count));
    if (count == month.monthCount + 1 && year == month.todayYear && monthIndex + 1 == month.todayMonth)
        return 2;
    return std::nullopt;
}

std::array<AttendanceYear, 2> AttendanceRecord(const MeetingAttendance& attendance, MeetingKind kind,
                                               const WorkingMonth& month, bool workingMonthInitialised) {
    const int currentServiceYear = ServiceYearOf(month.Year(), month.monthIndex);
    std::array<AttendanceYear, 2> years{};
    for (int y = 0; y < 2; ++y) {
        AttendanceYear& year = years[static_cast<std::size_t>(y)];
        year.serviceYear = currentServiceYear - 1 + y;
        double sum = 0.0;
        int months = 0;
        for (int row = 0; row < 12; ++row) {
            const MonthIndex m = (row + 8) % 12;
            const int calendarYear = m >= 8 ? year.serviceYear - 1 : year.serviceYear;
            const int count = ToMonthCount(calendarYear, m);
            AttendanceRow& line = year.rows[static_cast<std::size_t>(row)];
            line.month = m;
            line.shown = count < month.monthCount || (count == month.monthCount && workingMonthInitialised);
            if (!line.shown)
                continue;
            const YearSlot slot = SlotOfMonthCount(static_cast<MonthCount>(count));
            const MeetingFigures figures = StoredFigures(attendance, kind, m, slot);
            line.meetings = figures.meetings;
            line.total = figures.total;
            line.average = MeetingAverage(attendance, kind, m, slot);
            if (figures.meetings != 0) {
                sum += line.average;
                ++months;
            }
        }
        year.meanOfAverages = months != 0 ? sum / months : 0.0;
    }
    return years;
}

std::string AttendanceCsv(const MeetingAttendance& attendance, const CardTotals& history, const WorkingMonth& month) {
    std::string out;
    for (StrId id :
         {StrId::MeetingHeading, StrId::MonthHeading, StrId::CountHeading, StrId::SumHeading, StrId::AverageHeading})
        out += std::string(Str(id)) + ",";
    out += std::string(Str(StrId::ActivePublishers)) + "\r\n";
    for (MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend}) {
        const std::string label(Str(kind == MeetingKind::Midweek ? StrId::MidweekLabel : StrId::WeekendLabel));
        for (int back = 23; back >= 0; --back) {
            const int count = month.monthCount - back;
            if (count < 0)
                continue;
            const MonthIndex m = MonthIndexOf(static_cast<MonthCount>(count));
            const YearSlot slot = SlotOfMonthCount(static_cast<MonthCount>(count));
            const MeetingFigures figures = StoredFigures(attendance, kind, m, slot);
            const int active = history.Value(m, 0, 5, slot);
            out += FormatPrintf("\"%s\",\"%d-%.2d\",\"%d\",\"%d\",\"%4.2f\",\"%s\"\r\n", label.c_str(),
                                2000 + YearIndexOf(static_cast<MonthCount>(count)), m + 1, figures.meetings,
                                figures.total, MeetingAverage(attendance, kind, m, slot),
                                active != 0 ? std::to_string(active).c_str() : "");
        }
    }
    return out;
}

Result<std::string> ExportAttendanceCsv(const DataFolder& folder, const MeetingAttendance& attendance,
                                        const CardTotals& history, const WorkingMonth& month) {
    const std::string name = "Exports/" + std::string(Str(StrId::AttendanceFileName)) + ".csv";
    const std::string path = folder.Resolve(name).string();
    const Status created = folder.CreateFolder("Exports");
    const Status written =
        created ? folder.WriteAtomic(name, codepage::Utf8ToCp1250(AttendanceCsv(attendance, history, month)).text)
                : created;
    if (!written)
        return Result<std::string>::Fail(written.code(), FormatArgs(Str(StrId::CannotCreateFile), {path}));
    return path;
}

} // namespace vardo
