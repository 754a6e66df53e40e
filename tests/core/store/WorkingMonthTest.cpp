#include "core/store/WorkingMonth.h"

#include <gtest/gtest.h>

namespace vardo {
namespace {

struct StartCase {
    Date today;
    int storedEarlyYear;
    int storedEarlyMonth;
    MonthCount monthCount;
    MonthIndex monthIndex;
    int yearIndex;
    int earlyYearAfter; // the early start held by the document afterwards
};

class WorkingMonthAtStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(WorkingMonthAtStart, FollowsTheCalendarAndTheEarlyStart) {
    const StartCase& c = GetParam();
    IniFile ini;
    ini.SetInt("Early", "Year", c.storedEarlyYear);
    ini.SetInt("Early", "Month", c.storedEarlyMonth);
    Settings settings;
    const auto w = ComputeWorkingMonth(FixedClock(c.today), settings, ini);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.value().monthCount, c.monthCount);
    EXPECT_EQ(w.value().monthIndex, c.monthIndex);
    EXPECT_EQ(w.value().startupMonthIndex, c.monthIndex);
    EXPECT_EQ(w.value().yearIndex, c.yearIndex);
    EXPECT_EQ(w.value().startupYearIndex, c.yearIndex);
    EXPECT_EQ(settings.earlyYear, c.earlyYearAfter);
    if (c.today.day < 25) {
        EXPECT_EQ(ini.GetInt("Early", "Year", -1), 0);
        EXPECT_EQ(ini.GetInt("Early", "Month", -1), 0);
    } else {
        // An early start that is not honoured is dropped from the file as well.
        EXPECT_EQ(ini.GetInt("Early", "Year", -1), c.earlyYearAfter);
        EXPECT_EQ(ini.GetInt("Early", "Month", -1), c.earlyYearAfter == 0 ? 0 : c.storedEarlyMonth);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkingMonthAtStart,
    ::testing::Values(
        // Third of March 2024: February 2024.
        StartCase{{2024, 3, 3}, 0, 0, 289, 1, 24, 0},
        // Tenth of January 2025: December 2024.
        StartCase{{2025, 1, 10}, 0, 0, 299, 11, 24, 0},
        // An early start stored for April 2024 makes March the working month from the 25th on.
        StartCase{{2024, 3, 26}, 24, 4, 290, 2, 24, 24}, StartCase{{2024, 3, 25}, 24, 4, 290, 2, 24, 24},
        // Before the 25th the stored early start is reset and the calendar rules.
        StartCase{{2024, 3, 24}, 24, 4, 289, 1, 24, 0}, StartCase{{2024, 4, 2}, 24, 4, 290, 2, 24, 0},
        // An early start into the next year: January 2025 starts on the 27th of December 2024.
        StartCase{{2024, 12, 27}, 25, 1, 299, 11, 24, 25},
        // A damaged early start is ignored and dropped.
        StartCase{{2024, 3, 28}, 24, 13, 289, 1, 24, 0}, StartCase{{2024, 3, 28}, -3, 4, 289, 1, 24, 0},
        // An early start counts only for the month after today's: one left from late November 2026 must not
        // take the working month back from December 2026 on the 27th of January 2027.
        StartCase{{2027, 1, 27}, 26, 12, 323, 11, 26, 0}, StartCase{{2024, 3, 26}, 24, 3, 289, 1, 24, 0},
        StartCase{{2024, 3, 26}, 24, 5, 289, 1, 24, 0}, StartCase{{2024, 3, 26}, 25, 4, 289, 1, 24, 0}));

TEST(WorkingMonth, EarlyStartHeldByTheDocumentIsNotReadAgain) {
    IniFile ini;
    ini.SetInt("Early", "Year", 24);
    ini.SetInt("Early", "Month", 4);
    Settings settings;
    settings.earlyYear = 24;
    settings.earlyMonth = 5;
    const auto w = ComputeWorkingMonth(FixedClock({2024, 4, 27}), settings, ini);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.value().monthCount, 291); // April 2024
    EXPECT_EQ(settings.earlyMonth, 5);

    // Held since late November 2026 and still held on the 27th of January 2027: dropped, not used.
    settings.earlyYear = 26;
    settings.earlyMonth = 12;
    const auto january = ComputeWorkingMonth(FixedClock({2027, 1, 27}), settings, ini);
    ASSERT_TRUE(january.ok());
    EXPECT_EQ(january.value().monthCount, ToMonthCount(2026, 11)); // December 2026
    EXPECT_EQ(settings.earlyYear, 0);
    EXPECT_EQ(settings.earlyMonth, 0);
    EXPECT_EQ(ini.GetInt("Early", "Year", -1), 0);
}

TEST(WorkingMonth, TodayAndYearByteFollowTheEarlyStart) {
    const WorkingMonth w = WorkingMonthFor(2024, 12, 30, 25, 1);
    EXPECT_EQ(w.todayYear, 2025);
    EXPECT_EQ(w.todayMonth, 1);
    EXPECT_EQ(w.todayDay, 30);
    EXPECT_EQ(w.currentYearByte, ToYearByte(2025));
    EXPECT_EQ(w.Year(), 2024);

    const WorkingMonth january = WorkingMonthFor(2025, 1, 10);
    EXPECT_EQ(january.currentYearByte, 25); // (2025 + 48) mod 256
    EXPECT_EQ(january.yearIndex, 24);
}

TEST(WorkingMonth, SlotsOfTheTwoYears) {
    const WorkingMonth february2024 = WorkingMonthFor(2024, 3, 3);
    EXPECT_EQ(february2024.SlotOf(0), 0); // January 2024
    EXPECT_EQ(february2024.SlotOf(1), 0); // February 2024
    EXPECT_EQ(february2024.SlotOf(2), 1); // March 2023
    EXPECT_EQ(february2024.SlotOf(11), 1);
    const WorkingMonth december2024 = WorkingMonthFor(2025, 1, 1);
    EXPECT_EQ(december2024.SlotOf(11), 0);

    // Over the two-year window every month has a cell of its own: the parity of its year.
    EXPECT_EQ(SlotOfMonthCount(ToMonthCount(2024, 1)), february2024.SlotOf(1));
    EXPECT_EQ(SlotOfMonthCount(ToMonthCount(2023, 2)), february2024.SlotOf(2));
    EXPECT_EQ(SlotOfMonthCount(ToMonthCount(2022, 2)), 0); // March 2022, 24 months before February 2024
    EXPECT_EQ(SlotOfMonthCount(ToMonthCount(2023, 1)), 1);
}

TEST(WorkingMonth, DatesOutsideTheCoveredYearsFailWithoutTouchingTheFile) {
    for (const Date today : {Date{2000, 12, 3}, Date{2200, 1, 3}}) {
        IniFile ini;
        Settings settings;
        const auto w = ComputeWorkingMonth(FixedClock(today), settings, ini);
        EXPECT_FALSE(w.ok());
        EXPECT_NE(w.error().find(today.ToIso()), std::string::npos);
        EXPECT_FALSE(ini.HasKey("Early", "Year"));
    }
    IniFile ini;
    Settings settings;
    EXPECT_TRUE(ComputeWorkingMonth(FixedClock({2001, 1, 3}), settings, ini).ok());
}

TEST(WorkingMonth, StatusPaneNamesTheMonth) {
    EXPECT_EQ(WorkingMonthStatusText(WorkingMonthFor(2024, 3, 3)), "  Miesiąc roboczy = luty");
    EXPECT_EQ(WorkingMonthStatusText(WorkingMonthFor(2025, 1, 10)), "  Miesiąc roboczy = grudzień");
}

} // namespace
} // namespace vardo
