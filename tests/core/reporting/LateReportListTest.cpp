#include "core/reporting/LateReportList.h"

#include <gtest/gtest.h>

namespace vardo {
namespace {

constexpr std::size_t kLateMarker = 780;

class LateReportListTest : public ::testing::Test {
protected:
    LateReportListTest() { m_db.SetCount(1); }

    void Add(PublisherId id, PublisherCategory category = PublisherCategory::Publisher) {
        PublisherRecord record;
        record.SetLastName("Osoba" + std::to_string(id));
        record.SetId(id);
        record.SetCategory(category);
        ASSERT_TRUE(m_db.AppendRecord(record).ok());
        m_db.RebuildIndex();
    }
    std::uint8_t Marker(PublisherId id, int month, int slot) {
        return m_db.FindById(id)->U8(kLateMarker + static_cast<std::size_t>(3 * month + slot));
    }

    PublisherDatabase m_db;
    LateReportList m_list;
    // 10 February 2024: working month January 2024 (slot 0); December lies in slot 1.
    WorkingMonth m_month = WorkingMonthFor(2024, 2, 10);
};

TEST_F(LateReportListTest, AddReplacesTheSameMonthAndCounts) {
    m_list.Add(100, 11, 0);
    m_list.Add(100, 10, 0);
    m_list.Add(100, 11, 0);
    m_list.Add(101, 11, 0);
    EXPECT_EQ(m_list.Size(), 3u);
    EXPECT_EQ(m_list.CountFor(100), 2);
    EXPECT_TRUE(m_list.IsLate(100, 10));
    EXPECT_FALSE(m_list.IsLate(101, 10));
    EXPECT_EQ(m_list.Entries().back(), (LateReportEntry{101, 11, 1}));
    EXPECT_EQ(m_list.Entries()[1], (LateReportEntry{100, 11, 1})) << "the newer entry goes to the end";
}

TEST_F(LateReportListTest, FullListKeepsNoNewEntryButMayReplace) {
    for (int i = 0; i < 250; ++i)
        m_list.Add(static_cast<PublisherId>(100 + i), 11, 0);
    m_list.Add(999, 11, 0);
    EXPECT_EQ(m_list.Size(), 250u);
    EXPECT_FALSE(m_list.IsLate(999, 11));
    m_list.Add(100, 11, 3);
    EXPECT_EQ(m_list.Size(), 250u);
    EXPECT_EQ(m_list.Entries().back(), (LateReportEntry{100, 11, 4}));
}

TEST_F(LateReportListTest, StoreAndLoadThroughTheMarkersAcrossTheYear) {
    Add(100);
    Add(101);
    Add(102, PublisherCategory::Inactive);
    // An old marker of this working month that no entry names any more is cleared.
    m_db.FindById(101)->SetU8(kLateMarker + 3 * 9 + 1, 1);
    // A marker of another working month stays.
    m_db.FindById(101)->SetU8(kLateMarker + 3 * 8 + 1, 10);
    m_list.Add(100, 11, 0);
    m_list.Add(101, 10, 0);
    m_list.Add(102, 11, 0);
    m_list.Add(555, 11, 0); // nobody with this id any more
    m_list.StoreMarkers(m_db, m_month);

    EXPECT_EQ(Marker(100, 11, 1), 1);
    EXPECT_EQ(Marker(100, 11, 0), 0);
    EXPECT_EQ(Marker(101, 10, 1), 1);
    EXPECT_EQ(Marker(101, 9, 1), 0);
    EXPECT_EQ(Marker(101, 8, 1), 10);
    EXPECT_EQ(Marker(102, 11, 1), 1);

    LateReportList loaded;
    loaded.LoadMarkers(m_db, m_month);
    // Newest month first; only active publishers.
    ASSERT_EQ(loaded.Size(), 2u);
    EXPECT_EQ(loaded.Entries()[0], (LateReportEntry{100, 11, 1}));
    EXPECT_EQ(loaded.Entries()[1], (LateReportEntry{101, 10, 1}));
}

TEST_F(LateReportListTest, ReloadStopsAt200AndLooksSixMonthsBack) {
    for (int i = 0; i < 120; ++i)
        Add(static_cast<PublisherId>(100 + i));
    for (int i = 0; i < 120; ++i) {
        PublisherRecord& p = *m_db.FindById(static_cast<PublisherId>(100 + i));
        p.SetU8(kLateMarker + 3 * 11 + 1, 1); // December (one back)
        p.SetU8(kLateMarker + 3 * 10 + 1, 1); // November (two back)
        p.SetU8(kLateMarker + 3 * 6 + 1, 1);  // July: seven back, never read
    }
    m_list.LoadMarkers(m_db, m_month);
    EXPECT_EQ(m_list.Size(), 200u);
    EXPECT_EQ(m_list.Entries()[119].reportMonth, 11);
    EXPECT_EQ(m_list.Entries()[120].reportMonth, 10);
    for (const LateReportEntry& e : m_list.Entries())
        EXPECT_NE(e.reportMonth, 6);
}

} // namespace
} // namespace vardo
