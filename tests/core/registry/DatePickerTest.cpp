#include "core/registry/DatePicker.h"

#include <gtest/gtest.h>

namespace vardo {
namespace {

TEST(DatePicker, ListsStartWithABlankEntry) {
    const auto months = MonthPickerEntries();
    ASSERT_EQ(months.size(), 13u);
    EXPECT_EQ(months[0], "   ");
    EXPECT_EQ(months[1], "Sty");
    EXPECT_EQ(months[12], "Gru");
    const auto days = DayPickerEntries();
    ASSERT_EQ(days.size(), 32u);
    EXPECT_EQ(days[0], "  ");
    EXPECT_EQ(days[1], "01");
    EXPECT_EQ(days[31], "31");
}

TEST(DatePicker, YearRangesOfTheEditorAndThePrivilegesDialog) {
    const YearRange editor = EditorYearRange(2024);
    EXPECT_EQ(editor.first, 1905); // year index 24 + 1881
    EXPECT_EQ(editor.last, 2025);  // year index 24 + 2001
    EXPECT_EQ(editor.Size(), 121);
    const YearRange privileges = PrivilegeYearRange(2024);
    EXPECT_EQ(privileges.first, 1926);
    EXPECT_EQ(privileges.last, 2025);
    const auto years = YearPickerEntries(privileges);
    ASSERT_EQ(years.size(), 101u);
    EXPECT_EQ(years[0], "    ");
    EXPECT_EQ(years[1], "1926");
    EXPECT_EQ(YearToIndex(1926, privileges), 1);
    EXPECT_EQ(YearToIndex(1920, privileges), 0);
    EXPECT_EQ(IndexToYear(100, privileges), 2025);
    EXPECT_EQ(IndexToYear(101, privileges), 0);
}

TEST(DatePicker, RecordDatesUseASpacePaddedMonthAndBlankWhenIncomplete) {
    EXPECT_EQ(ComposeRecordDate({5, 7, 1990}, 8), " 5071990");
    EXPECT_EQ(ComposeRecordDate({11, 30, 2001}, 8), "11302001");
    EXPECT_EQ(ComposeRecordDate({5, 0, 1990}, 6), "      ");
    EXPECT_EQ(ComposeRecordDate({0, 0, 0}, 8), "        ");
}

TEST(DatePicker, AppointmentDatesUseAZeroPaddedMonthAndBlankParts) {
    EXPECT_EQ(ComposeAppointmentDate({5, 7, 1990}), "05071990");
    EXPECT_EQ(ComposeAppointmentDate({5, 0, 1990}), "05  1990");
    EXPECT_EQ(ComposeAppointmentDate({}), "        ");
}

TEST(DatePicker, ParsesBothFormsAndBlanksWhatIsOutOfRange) {
    const YearRange range = PrivilegeYearRange(2024);
    EXPECT_EQ(ParseDate(" 5071990", range), (PickerDate{5, 7, 1990}));
    EXPECT_EQ(ParseDate("05071990", range), (PickerDate{5, 7, 1990}));
    EXPECT_EQ(ParseDate("05071920", range), (PickerDate{5, 7, 0}));
    EXPECT_EQ(ParseDate("13xx2000", range), (PickerDate{0, 0, 2000}));
    EXPECT_EQ(ParseDate("", range), PickerDate{});
    EXPECT_EQ(ParseDate("0507", range), (PickerDate{5, 7, 0}));
}

TEST(DatePicker, CompleteDates) {
    EXPECT_TRUE(IsCompleteDate(" 5071990"));
    EXPECT_TRUE(IsCompleteDate("05071990"));
    EXPECT_FALSE(IsCompleteDate("05  1990"));
    EXPECT_FALSE(IsCompleteDate("0507    "));
    EXPECT_FALSE(IsCompleteDate("        "));
    EXPECT_FALSE(IsCompleteDate(""));
}

} // namespace
} // namespace vardo
