#include "core/registry/StatusChoice.h"

#include <gtest/gtest.h>

#include "core/store/PublisherRecord.h"

namespace vardo {
namespace {

constexpr MonthCount kMarch2024 = ToMonthCount(2024, 2);

PublisherRecord WithStatus(std::uint8_t statusMonth, MonthCount ordinal) {
    PublisherRecord record;
    record.SetStatusMonth(statusMonth);
    record.SetStatusChangeMonth(ordinal);
    return record;
}

TEST(StatusChoice, OpensOnTheStoredOrdinalWhenItIsRecent) {
    const StatusChoice choice(WithStatus(0x11, kMarch2024 - 5), kMarch2024, false);
    EXPECT_EQ(choice.Kind(), StatusKind::NewPublisher);
    EXPECT_EQ(choice.MonthIndexChosen(), 5);
    EXPECT_EQ(choice.MonthAt(5), kMarch2024 - 5);
}

TEST(StatusChoice, OpensOnTheWorkingMonthOtherwise) {
    EXPECT_EQ(StatusChoice(WithStatus(0, 0), kMarch2024, true).MonthIndexChosen(), 0);
    EXPECT_EQ(StatusChoice(WithStatus(0x32, kMarch2024), kMarch2024, false).MonthIndexChosen(), 0);
    EXPECT_EQ(StatusChoice(WithStatus(0x32, kMarch2024 + 2), kMarch2024, false).MonthIndexChosen(), 0);
    EXPECT_EQ(StatusChoice(WithStatus(0x32, kMarch2024 - 24), kMarch2024, false).MonthIndexChosen(), 0);
    EXPECT_EQ(StatusChoice(WithStatus(0x32, kMarch2024 - 23), kMarch2024, false).MonthIndexChosen(), 23);
}

TEST(StatusChoice, PreselectsTheStoredKindOrNewForANewPerson) {
    EXPECT_EQ(StatusChoice(WithStatus(0x32, 0), kMarch2024, false).Kind(), StatusKind::Reactivated);
    EXPECT_EQ(StatusChoice(WithStatus(0x34, 0), kMarch2024, false).Kind(), StatusKind::RegularMovedIn);
    EXPECT_EQ(StatusChoice(WithStatus(0x30, 0), kMarch2024, false).Kind(), StatusKind::IrregularMovedIn);
    EXPECT_FALSE(StatusChoice(WithStatus(0, 0), kMarch2024, false).Kind());
    EXPECT_EQ(StatusChoice(WithStatus(0, 0), kMarch2024, true).Kind(), StatusKind::NewPublisher);
}

TEST(StatusChoice, EachChoiceWritesItsBitsMonthAndOrdinal) {
    struct Case {
        StatusKind kind;
        int monthsBack;
        std::uint8_t statusMonth;
        MonthCount ordinal; // expected ordinal (the stored one was 7)
    };
    const Case cases[] = {
        {StatusKind::NewPublisher, 0, 0x31, kMarch2024},
        {StatusKind::NewPublisher, 3, 0xC1, kMarch2024 - 3},   // December 2023
        {StatusKind::Reactivated, 1, 0x22, kMarch2024 - 1},    // February
        {StatusKind::RegularMovedIn, 2, 0x14, 7},              // January; ordinal kept
        {StatusKind::IrregularMovedIn, 2, 0x10, 7},            // month only
        {StatusKind::NewPublisher, 12, 0x01, kMarch2024 - 12}, // more than 11 months back: bits only
        {StatusKind::Reactivated, 11, 0x42, kMarch2024 - 11},  // April 2023
        {StatusKind::Clear, 4, 0x00, 0},
    };
    for (const auto& c : cases) {
        PublisherRecord record = WithStatus(0x55, 7);
        record.SetStatusYear(0x99);
        StatusChoice choice(record, kMarch2024, false);
        choice.SetKind(c.kind);
        choice.SetMonthIndexChosen(c.monthsBack);
        choice.Apply(record);
        EXPECT_EQ(record.StatusMonth(), c.statusMonth) << static_cast<int>(c.kind) << " " << c.monthsBack;
        EXPECT_EQ(record.StatusYear(), c.statusMonth);
        EXPECT_EQ(record.StatusChangeMonth(), c.ordinal);
    }
}

TEST(StatusChoice, NoChoiceWritesNothing) {
    PublisherRecord record = WithStatus(0, 0);
    record.SetStatusYear(0x77);
    StatusChoice(record, kMarch2024, false).Apply(record);
    EXPECT_EQ(record.StatusYear(), 0x77);
}

TEST(StatusChoice, MonthTextsNameMonthAndYear) {
    const auto texts = StatusChoice(WithStatus(0, 0), kMarch2024, true).MonthTexts();
    ASSERT_EQ(texts.size(), 24u);
    EXPECT_EQ(texts[0], "marzec 2024");
    EXPECT_EQ(texts[3], "grudzień 2023");
}

} // namespace
} // namespace vardo
