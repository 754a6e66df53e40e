#pragma once

// The three-list date pickers of the editing dialogs (month, day, year; entry 0 of each list is blank) and
// the conversion between a picker selection and the eight-character date texts of the records.

#include <string>
#include <string_view>
#include <vector>

namespace vardo {

/// Years a year list offers, first..last inclusive.
struct YearRange {
    int first = 0;
    int last = -1;

    bool Contains(int year) const { return year >= first && year <= last; }
    int Size() const { return last >= first ? last - first + 1 : 0; }
};

/// Year list of the publisher editor: 121 years ending one year after the working year.
YearRange EditorYearRange(int workingYear);
/// Year list of the privileges dialog: 100 years from working year − 98 to working year + 1.
YearRange PrivilegeYearRange(int workingYear);

/// What a date picker shows: 0 = the blank entry; month 1..12, day 1..31, year a full year.
struct PickerDate {
    int month = 0;
    int day = 0;
    int year = 0;

    bool IsComplete() const { return month != 0 && day != 0 && year != 0; }
    bool IsBlank() const { return month == 0 && day == 0 && year == 0; }
    bool operator==(const PickerDate&) const = default;
};

/// Entries of the lists, blank entry first: "   " + "Sty".."Gru"; "  " + "01".."31"; "    " + "%4d" years.
std::vector<std::string> MonthPickerEntries();
std::vector<std::string> DayPickerEntries();
std::vector<std::string> YearPickerEntries(YearRange range);

/// List index of a selection part (0 for blank) and back.
int YearToIndex(int year, YearRange range);
int IndexToYear(int index, YearRange range);

/// Record form of a date, as the editor stores it: month "%2d", day "%02d", year "%4d" (" 5051990").
/// A selection that lacks any part gives `blankWidth` blanks.
std::string ComposeRecordDate(const PickerDate& date, int blankWidth);

/// Appointment form of a date: month "%02d", day "%02d", year "%4d"; each blank part gives blanks of its
/// width, so an all-blank picker gives eight blanks.
std::string ComposeAppointmentDate(const PickerDate& date);

/// Reads an eight-character date text (MMDDYYYY, month or day possibly space-padded) into a picker
/// selection. A month or day that is not a number in its range, or a year (the last four characters)
/// outside `range`, reads as blank.
PickerDate ParseDate(std::string_view text, YearRange range);

/// True when a date text holds a complete date (month, day and a four-digit year).
bool IsCompleteDate(std::string_view text);

} // namespace vardo
