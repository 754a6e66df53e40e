#include "core/reporting/Plausibility.h"

#include <gtest/gtest.h>

namespace vardo {
namespace {

std::vector<PlausibilityIssue> Issues(const PublisherRecord& person, const ReportCell& cell, MonthCount month) {
    std::vector<PlausibilityIssue> issues;
    for (const Warning& warning : CheckPlausibility(person, cell, month, ToMonthCount(2025, 1)))
        issues.push_back(warning.issue);
    return issues;
}

ReportCell Cell(int hours, int studies, PioneerCode code = PioneerCode::None) {
    ReportCell cell;
    cell.hours = static_cast<std::uint16_t>(hours);
    cell.SetBibleStudies(studies);
    cell.SetFlag(true);
    cell.SetPioneer(code);
    return cell;
}

TEST(CheckPlausibility, HoursLimitsByServiceAndFormat) {
    PublisherRecord person;
    const MonthCount older = ToMonthCount(2023, 5);
    const MonthCount newer = ToMonthCount(2024, 5);
    EXPECT_TRUE(Issues(person, Cell(100, 0), older).empty());
    EXPECT_EQ(Issues(person, Cell(101, 0), older), (std::vector{PlausibilityIssue::ManyHours}));
    EXPECT_TRUE(Issues(person, Cell(150, 0, PioneerCode::Regular), newer).empty());
    EXPECT_EQ(Issues(person, Cell(151, 0, PioneerCode::Auxiliary), newer), (std::vector{PlausibilityIssue::ManyHours}));
    EXPECT_EQ(Issues(person, Cell(5, 0), newer), (std::vector{PlausibilityIssue::HoursInNewFormat}));
    EXPECT_TRUE(Issues(person, Cell(5, 0), kNewReportFormatStart).empty());
    person.SetFieldMissionary(true);
    EXPECT_TRUE(Issues(person, Cell(120, 0), newer).empty());
    EXPECT_EQ(Issues(person, Cell(0, 21), newer), (std::vector{PlausibilityIssue::ManyStudies}));
    EXPECT_TRUE(Issues(person, Cell(0, 20), newer).empty());
}

TEST(CheckPlausibility, TextNamesValueAndReason) {
    PublisherRecord person;
    const std::vector<Warning> warnings = CheckPlausibility(person, Cell(7, 0), ToMonthCount(2024, 4), 301);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].text,
              "Podano 7 godz. za maj 2024, a głosiciel w nowym formacie sprawozdania nie podaje godzin.");
}

TEST(CheckPlausibility, BeforeBaptismAndAfterMoving) {
    PublisherRecord person;
    person.SetBaptismDate(" 6152024"); // 15 June 2024
    ReportCell cell;
    cell.SetFlag(true);
    EXPECT_EQ(Issues(person, cell, ToMonthCount(2024, 4)), (std::vector{PlausibilityIssue::BeforeBaptism}));
    EXPECT_TRUE(Issues(person, cell, ToMonthCount(2024, 5)).empty());
    EXPECT_TRUE(Issues(person, ReportCell{}, ToMonthCount(2024, 4)).empty()); // no report, no warning
    PublisherRecord moved;
    moved.SetCategory(PublisherCategory::Moved);
    moved.SetStatusMonth(11 << 4); // moved in November (2024, seen from February 2025)
    EXPECT_TRUE(Issues(moved, cell, ToMonthCount(2024, 10)).empty());
    EXPECT_EQ(Issues(moved, cell, ToMonthCount(2024, 11)), (std::vector{PlausibilityIssue::AfterMoving}));
    EXPECT_EQ(Issues(moved, cell, ToMonthCount(2025, 0)), (std::vector{PlausibilityIssue::AfterMoving}));
}

} // namespace
} // namespace vardo
