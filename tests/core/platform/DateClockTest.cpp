#include "core/platform/Clock.h"
#include "core/platform/Date.h"

#include <gtest/gtest.h>

namespace vardo {
namespace {

TEST(Date, ParseAcceptsOnlyRealIsoDates) {
    auto d = Date::Parse("2024-02-29");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->year, 2024);
    EXPECT_EQ(d->month, 2);
    EXPECT_EQ(d->day, 29);
    for (const char* bad : {"2023-02-29", "2024-13-01", "2024-00-10", "2024-1-01", "24-01-01", "2024-01-32",
                            "2024/01/01", "abcd-ef-gh", "", "2024-01-011"})
        EXPECT_FALSE(Date::Parse(bad)) << bad;
    EXPECT_EQ(d->ToIso(), "2024-02-29");
}

TEST(Date, DayCountsRoundTripAndWeekdaysAreRight) {
    EXPECT_EQ((Date{1970, 1, 1}).DaysSinceEpoch(), 0);
    EXPECT_EQ((Date{2000, 3, 1}).DaysSinceEpoch(), 11017);
    for (long d = -800000; d < 800000; d += 997)
        EXPECT_EQ(Date::FromDaysSinceEpoch(d).DaysSinceEpoch(), d);
    EXPECT_EQ((Date{2026, 12, 8}).DayOfWeek(), 1); // a Tuesday
    EXPECT_EQ((Date{2023, 9, 3}).DayOfWeek(), 6);  // a Sunday
    EXPECT_EQ((Date{1900, 3, 1}).DayOfWeek(), 3);  // a Thursday
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);
}

TEST(Clock, FixedClockGivesItsDate) {
    FixedClock clock(Date{2024, 3, 3}, 10, 20, 30);
    EXPECT_EQ(clock.Today(), (Date{2024, 3, 3}));
    EXPECT_EQ(clock.Now().minute, 20);
    SystemClock system;
    EXPECT_TRUE(system.Today().IsValid());
}

} // namespace
} // namespace vardo
