#include "core/exchange/ReportImport.h"

#include <gtest/gtest.h>

#include "../reporting/ReportingFixture.h"
#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

ReportCell Cell(int placements, int hours, int studies, bool flag = false, int quarters = 0) {
    ReportCell cell;
    cell.placements = static_cast<std::uint16_t>(placements);
    cell.hours = static_cast<std::uint16_t>(hours);
    cell.SetBibleStudies(studies);
    cell.SetFlag(flag);
    cell.SetQuarterHours(quarters);
    return cell;
}

TEST(CompareReceivedMonth, ClassifiesNewReplacedAndRemarkChanges) {
    using C = ImportComparison;
    struct Case {
        ReportCell existing;
        const char* existingRemark;
        ReportCell received;
        const char* receivedRemark;
        C expected;
    };
    const Case cases[] = {
        {Cell(0, 0, 0), "", Cell(0, 0, 0), "", C::Nothing},
        {Cell(0, 0, 0), "", Cell(0, 10, 0), "", C::NewData},
        {Cell(0, 10, 0), "", Cell(0, 10, 0), "", C::Nothing},
        {Cell(0, 10, 0), "", Cell(0, 12, 0), "", C::ReplacesValues},
        {Cell(0, 10, 2), "", Cell(0, 0, 0), "", C::Nothing}, // zeros never count
        {Cell(3, 0, 0), "", Cell(3, 5, 0), "", C::NewData},
        {Cell(0, 0, 0), "", Cell(0, 0, 0, true), "", C::NewData},
        {Cell(0, 5, 0, false, 1), "", Cell(0, 5, 0, false, 2), "", C::ReplacesValues},
        {Cell(0, 0, 0), "", Cell(0, 0, 0), "uwaga", C::NewData},
        {Cell(0, 0, 0), "uwaga", Cell(0, 0, 0), "uwaga", C::Nothing},
        {Cell(0, 0, 0), "stara", Cell(0, 0, 0), "nowa", C::ReplacesRemark},
        {Cell(0, 10, 0), "stara", Cell(0, 12, 0), "nowa", C::ReplacesRemark},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompareReceivedMonth(c.existing, c.existingRemark, c.received, c.receivedRemark), c.expected)
            << c.existingRemark << " / " << c.receivedRemark;
    EXPECT_EQ(CompareReceivedMonth(Cell(1, 0, 0), "", Cell(5, 0, 0), "", false, true), C::Nothing)
        << "placements are not compared in the newer format";
    EXPECT_EQ(CompareReceivedMonth(Cell(0, 4, 0), "", Cell(0, 9, 0), "", true, false), C::Nothing);
}

// Working month February 2025 (slot 1, newer format); January is slot 1 too.
class ReportImportTest : public test::ReportingTest {
protected:
    ReportImportTest() {
        m_jan = AddPerson("Jan", "Kowalski");
        m_ewa = AddPerson("Ewa", "Nowak");
        Person(m_jan).SetGroup(1);
        Person(m_ewa).SetGroup(1);
    }

    /// The group's file as the overseer's program returns it: the written .t09 with values filled in.
    GroupReportData Received(const std::function<void(std::vector<PublisherRecord>&)>& fill) {
        GroupFileSource source{m_database, m_remarks, {}, {}, [this](MonthIndex m) { return m_month.SlotOf(m); }};
        const auto written = WriteGroupReportFile(source, {.group = 1, .month = 1, .slot = 1});
        EXPECT_TRUE(written.ok());
        auto data = ReadGroupReportFile(written.value());
        EXPECT_TRUE(data.ok());
        fill(data.value().persons);
        return data.value();
    }

    ReportImport Preview(const GroupReportData& data) {
        auto persons = IncomingFromGroupFile(data, m_context);
        EXPECT_TRUE(persons.ok());
        return ReportImport(m_context, ImportSource::GroupFile, persons.value());
    }

    PublisherId m_jan = 0, m_ewa = 0;
};

TEST_F(ReportImportTest, ListsNewAndReplacingReportsAndLateMonths) {
    Person(m_ewa).SetRow(MonthRow::StudyWord, 1, 1, 2 | kStudyFlagBit);
    GroupReportData data = Received([](std::vector<PublisherRecord>& persons) {
        // persons[0] = Jan, persons[1] = Ewa (order of the active list)
        persons[0].SetRow(MonthRow::StudyWord, 1, 1, 1 | kStudyFlagBit);
        persons[0].SetRow(MonthRow::StudyWord, 0, 1, kStudyFlagBit);
        persons[0].SetU8(GroupReportLayout::MarkerOffset(0), 1);
        persons[1].SetRow(MonthRow::StudyWord, 1, 1, 3 | kStudyFlagBit);
    });
    data.remarks.push_back("nowa uwaga");
    data.persons[1].SetRow(MonthRow::Remark, 1, 1, 1);

    const ReportImport import = Preview(data);
    ASSERT_EQ(import.Entries().size(), 3u);
    EXPECT_EQ(import.Entries()[0].label, "Kowalski, Jan");
    EXPECT_FALSE(import.Entries()[0].replacesValues);
    EXPECT_EQ(import.Entries()[1].label, "Kowalski, Jan (Sty)");
    EXPECT_TRUE(import.Entries()[1].late);
    EXPECT_EQ(import.Entries()[2].label, "Nowak, Ewa");
    EXPECT_TRUE(import.Entries()[2].replacesValues);
    EXPECT_FALSE(import.Entries()[2].replacesRemark);
    EXPECT_EQ(import.CountText(), "Pobrane Sprawozdania = 3");

    const ImportPreview preview = import.Preview(2);
    EXPECT_EQ(preview.name, "Ewa Nowak");
    EXPECT_EQ(preview.incoming, (ImportPreviewRow{"1", "3", "0", "nowa uwaga"}));
    EXPECT_EQ(preview.existing, (ImportPreviewRow{"1", "2", "0", ""}));
    EXPECT_EQ(import.Preview(1).lateText, "Spóźnione sprawozdanie - styczeń");
}

TEST_F(ReportImportTest, ImportStoresSelectedValuesRemarksAndLateReportsInOneChange) {
    Person(m_jan).SetRow(MonthRow::Placements, 1, 1, 4);
    GroupReportData data = Received([](std::vector<PublisherRecord>& persons) {
        persons[0].SetRow(MonthRow::Placements, 1, 1, 0); // a zero never clears
        persons[0].SetRow(MonthRow::StudyWord, 1, 1, 2 | kStudyFlagBit);
        persons[0].SetRow(MonthRow::Remark, 1, 1, 1);
        persons[0].SetRow(MonthRow::StudyWord, 0, 1, kStudyFlagBit);
        persons[0].SetU8(GroupReportLayout::MarkerOffset(0), 1);
        persons[1].SetRow(MonthRow::StudyWord, 1, 1, 5 | kStudyFlagBit);
    });
    data.remarks.push_back("z pliku");

    ReportImport import = Preview(data);
    ASSERT_EQ(import.Entries().size(), 3u);
    import.SetSelected(2, false); // Ewa stays as she is
    const Result<int> stored = import.Import();
    ASSERT_TRUE(stored.ok()) << stored.error();
    EXPECT_EQ(stored.value(), 2);
    EXPECT_EQ(m_changes.CommitCount(), 1);

    const PublisherRecord& jan = Person(m_jan);
    EXPECT_EQ(jan.Placements(1, 1), 4);
    EXPECT_EQ(jan.Cell(1, 1).BibleStudies(), 2);
    EXPECT_TRUE(jan.Cell(1, 1).Flag());
    EXPECT_EQ(RemarkText(m_remarks, jan, 1, 1).text, "z pliku");
    EXPECT_TRUE(jan.Cell(0, 1).Flag());
    EXPECT_TRUE(m_context.IsLateReport(jan, 0)) << "the late report joins the list";
    EXPECT_EQ(Person(m_ewa).StudyWord(1, 1), 0);
}

TEST_F(ReportImportTest, SpecialPioneersLateMonthIsNotAddedToTheLateList) {
    Person(m_jan).SetRow(MonthRow::Pioneer, 0, 1, static_cast<std::uint16_t>(PioneerCode::Special));
    GroupReportData data = Received([](std::vector<PublisherRecord>& persons) {
        persons[0].SetRow(MonthRow::Hours, 0, 1, 100);
        persons[0].SetU8(GroupReportLayout::MarkerOffset(0), 1);
    });
    ReportImport import = Preview(data);
    ASSERT_EQ(import.Entries().size(), 1u);
    ASSERT_TRUE(import.Import().ok());
    EXPECT_EQ(Person(m_jan).Hours(0, 1), 100);
    EXPECT_FALSE(m_context.IsLateReport(Person(m_jan), 0));
}

TEST_F(ReportImportTest, UnknownNamesAndOtherMonthsAreNotImported) {
    GroupReportData data = Received([](std::vector<PublisherRecord>& persons) {
        persons[0].SetFirstName("Janek"); // name changed: left out
        persons[0].SetRow(MonthRow::Hours, 1, 1, 9);
        persons[1].SetLastName("nowak"); // names compare case-sensitively
        persons[1].SetRow(MonthRow::Hours, 1, 1, 9);
    });
    EXPECT_TRUE(Preview(data).Entries().empty());

    data.month = 2;
    const auto wrong = IncomingFromGroupFile(data, m_context);
    ASSERT_FALSE(wrong.ok());
    EXPECT_EQ(wrong.error(), "Zły Miesiąc!\n\nPlik .t19 jest na marzec.\n\nAktualnie raportujesz luty. ");
}

TEST_F(ReportImportTest, FailureHalfWayLeavesTheRegisterAsItWas) {
    // A remark table with every number in use: the second entry's remark cannot be stored.
    RemarkEntry filler;
    ASSERT_TRUE(filler.SetText("x").ok());
    filler.SetMonthByte(5);
    filler.SetId(9999);
    while (m_remarks.Count() <= kLastRemarkNumber)
        ASSERT_TRUE(m_remarks.Append(filler).ok());
    GroupReportData data = Received([](std::vector<PublisherRecord>& persons) {
        persons[0].SetRow(MonthRow::Hours, 1, 1, 7);
        persons[1].SetRow(MonthRow::Hours, 1, 1, 8);
        persons[1].SetRow(MonthRow::Remark, 1, 1, 1);
    });
    data.remarks.push_back("bez miejsca");
    const PublisherDatabase::Snapshot before = m_database.TakeSnapshot();

    ReportImport import = Preview(data);
    ASSERT_EQ(import.Entries().size(), 2u);
    const Result<int> stored = import.Import();
    EXPECT_FALSE(stored.ok());
    EXPECT_EQ(Person(m_jan).Hours(1, 1), 0) << "the first entry is rolled back too";
    EXPECT_EQ(m_database.TakeSnapshot().persons, before.persons);
    EXPECT_EQ(m_changes.CommitCount(), 0);
}

} // namespace
} // namespace vardo
