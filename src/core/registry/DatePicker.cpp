#include "core/registry/DatePicker.h"

#include "core/platform/Strings.h"

namespace vardo {
namespace {

// Number of a two-character part (" 5", "05"); 0 when it is not a number.
int PartNumber(std::string_view part) {
    int value = 0;
    bool digits = false;
    for (char c : part) {
        if (c == ' ' && !digits)
            continue;
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
        digits = true;
    }
    return digits ? value : 0;
}

} // namespace

YearRange EditorYearRange(int workingYear) {
    return {workingYear - 119, workingYear + 1};
}

YearRange PrivilegeYearRange(int workingYear) {
    return {workingYear - 98, workingYear + 1};
}

std::vector<std::string> MonthPickerEntries() {
    std::vector<std::string> entries{"   "};
    for (int m = 0; m < 12; ++m)
        entries.emplace_back(MonthAbbreviation(m));
    return entries;
}

std::vector<std::string> DayPickerEntries() {
    std::vector<std::string> entries{"  "};
    for (int d = 1; d <= 31; ++d)
        entries.push_back(FormatPrintf("%02d", d));
    return entries;
}

std::vector<std::string> YearPickerEntries(YearRange range) {
    std::vector<std::string> entries{"    "};
    for (int y = range.first; y <= range.last; ++y)
        entries.push_back(FormatPrintf("%4d", y));
    return entries;
}

int YearToIndex(int year, YearRange range) {
    return range.Contains(year) ? year - range.first + 1 : 0;
}

int IndexToYear(int index, YearRange range) {
    return index >= 1 && index <= range.Size() ? range.first + index - 1 : 0;
}

std::string ComposeRecordDate(const PickerDate& date, int blankWidth) {
    if (!date.IsComplete())
        return std::string(static_cast<std::size_t>(blankWidth), ' ');
    return FormatPrintf("%2d%02d%4d", date.month, date.day, date.year);
}

std::string ComposeAppointmentDate(const PickerDate& date) {
    const std::string month = date.month != 0 ? FormatPrintf("%02d", date.month) : "  ";
    const std::string day = date.day != 0 ? FormatPrintf("%02d", date.day) : "  ";
    const std::string year = date.year != 0 ? FormatPrintf("%4d", date.year) : "    ";
    return month + day + year;
}

PickerDate ParseDate(std::string_view text, YearRange range) {
    std::string padded(text.substr(0, 8));
    padded.resize(8, ' ');
    PickerDate date;
    const int month = PartNumber(std::string_view(padded).substr(0, 2));
    const int day = PartNumber(std::string_view(padded).substr(2, 2));
    const int year = PartNumber(std::string_view(padded).substr(4, 4));
    date.month = month >= 1 && month <= 12 ? month : 0;
    date.day = day >= 1 && day <= 31 ? day : 0;
    date.year = range.Contains(year) ? year : 0;
    return date;
}

bool IsCompleteDate(std::string_view text) {
    if (text.size() < 8)
        return false;
    const int month = PartNumber(text.substr(0, 2));
    const int day = PartNumber(text.substr(2, 2));
    const auto year = text.substr(4, 4);
    for (char c : year)
        if (c < '0' || c > '9')
            return false;
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

} // namespace vardo
