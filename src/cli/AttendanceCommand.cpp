// vardo-cli attendance: the meeting attendance of a month, and `attendance set` to store one.

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "core/platform/Strings.h"
#include "core/reporting/Attendance.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage = "usage: attendance [--month YYYY-MM] | attendance set midweek|weekend YYYY-MM W1 W2 W3 "
                               "W4 W5";

std::optional<std::uint16_t> ParseWeek(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// The slot of a month argument, or nullopt after printing why it is not kept.
std::optional<YearSlot> SlotOfArgument(const OpenedDocument& opened, const WorkingMonth& month, MonthCount count) {
    const std::optional<YearSlot> slot = AttendanceSlotOf(month, 2000 + YearIndexOf(count), MonthIndexOf(count));
    if (!slot)
        opened.Error(FormatPrintf("%s is not kept: attendance is kept for the 24 months ending with %s and for "
                                  "today's month after it",
                                  MonthArgumentText(count).c_str(), MonthArgumentText(month.monthCount).c_str()));
    return slot;
}

std::string MeetingLine(const char* name, const MeetingAttendance& attendance, MeetingKind kind, MonthIndex month,
                        YearSlot slot) {
    const WeekAttendance weeks = WeeksOf(attendance, kind, month, slot);
    const MeetingFigures figures = StoredFigures(attendance, kind, month, slot);
    return FormatPrintf("%s\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\n", name, weeks[0], weeks[1], weeks[2], weeks[3], weeks[4],
                        figures.meetings, figures.total, figures.average);
}

int RunAttendance(const CliContext& context) {
    OpenedDocument opened("attendance");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    const bool set = !args.empty() && args[0] == "set";
    std::optional<std::string> monthText;
    std::optional<MeetingKind> kind;
    WeekAttendance weeks{};
    if (set) {
        if (args.size() != 8 || (args[1] != "midweek" && args[1] != "weekend")) {
            opened.Error(kUsage);
            return 2;
        }
        kind = args[1] == "midweek" ? MeetingKind::Midweek : MeetingKind::Weekend;
        monthText = args[2];
        for (std::size_t week = 0; week < 5; ++week) {
            const std::optional<std::uint16_t> value = ParseWeek(args[3 + week]);
            if (!value) {
                opened.Error("a week's attendance is a whole number 0..65535");
                return 2;
            }
            weeks[week] = *value;
        }
    } else {
        if (!TakeValue(args, "--month", monthText, opened))
            return 2;
        if (!args.empty()) {
            opened.Error(kUsage);
            return 2;
        }
    }
    const std::optional<MonthCount> count = monthText ? ParseMonthArgument(*monthText) : std::nullopt;
    if (monthText && !count) {
        opened.Error("the month is YYYY-MM");
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const WorkingMonth& month = doc.GetWorkingMonth();
    const MonthCount shown = count.value_or(month.monthCount);
    const std::optional<YearSlot> slot = SlotOfArgument(opened, month, shown);
    if (!slot)
        return 1;
    MeetingAttendance& attendance = doc.Side().attendance;
    if (set) {
        if (doc.PastMonthMode()) {
            opened.Error(Str(StrId::PastMonthReadOnly));
            return 1;
        }
        StoreAttendanceMonth(doc.Changes(), attendance, *kind, MonthIndexOf(shown), *slot, weeks);
        if (const int failed = SaveIfModified(opened); failed != 0)
            return failed;
    }
    std::string out;
    if (!set || kind == MeetingKind::Midweek)
        out += MeetingLine("midweek", attendance, MeetingKind::Midweek, MonthIndexOf(shown), *slot);
    if (!set || kind == MeetingKind::Weekend)
        out += MeetingLine("weekend", attendance, MeetingKind::Weekend, MonthIndexOf(shown), *slot);
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"attendance", "attendance [--month YYYY-MM] | attendance set midweek|weekend YYYY-MM W1 W2 W3 W4 W5",
     "the meeting attendance of a month (weeks, meetings, total, average), or store a month", RunAttendance});

} // namespace
} // namespace vardo::cli
