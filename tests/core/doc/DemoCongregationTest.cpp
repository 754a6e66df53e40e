#include "core/doc/DemoCongregation.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "TempDataFolder.h"
#include "core/doc/CVardoDoc.h"
#include "core/doc/DocumentJson.h"

namespace vardo {
namespace {

class Demo : public test::TempDataFolderTest {
protected:
    /// A demo built in memory on the working month of `today` (February 2024 by default: its two years span
    /// the change of report format in September 2023).
    Status Build(CVardoDoc& doc, int people, std::uint64_t seed = 1, Date today = {2024, 3, 15}) {
        StartupOptions quiet;
        quiet.showStartupNote = false;
        if (Status loaded = doc.Load(m_folder, FixedClock(today), m_prompter, quiet); !loaded)
            return loaded;
        DemoOptions options;
        options.people = people;
        options.seed = seed;
        return BuildDemoCongregation(doc, options);
    }

    ScriptedPrompter m_prompter;
};

TEST_F(Demo, HasEveryKindOfPersonAFullCongregationHas) {
    CVardoDoc doc;
    ASSERT_TRUE(Build(doc, 150).ok());
    const PublisherDatabase& db = doc.Database();
    ASSERT_EQ(db.PersonCount(), 150);
    EXPECT_TRUE(doc.IsModified());

    std::map<PublisherCategory, int> categories;
    std::map<Appointment, int> appointments;
    std::set<PioneerCode> pioneers;
    std::set<int> statusFlags;
    std::set<std::string> names;
    int fieldMissionaries = 0, continuousAuxiliary = 0, heads = 0, members = 0, unbaptizedPublishers = 0;
    int polishLetters = 0, conductors = 0, withSpecialNeeds = 0, withExtension = 0, lateMarkers = 0;
    int elderPioneers = 0;
    bool olderFormatHours = false, newerFormatParticipation = false, remarks = false;
    std::map<std::uint16_t, int> emergencyShares;
    for (RecordNumber r = 1; r < db.Count(); ++r) {
        const PublisherRecord& p = db.Record(r);
        ++categories[p.Category()];
        ++appointments[p.GetAppointment()];
        names.insert(db.DisplayNameOfRecord(r, true));
        fieldMissionaries += p.IsFieldMissionary() ? 1 : 0;
        continuousAuxiliary += p.IsContinuousAuxiliary() ? 1 : 0;
        heads += p.IsHeadOfFamily() ? 1 : 0;
        members += p.FamilyHead() != 0 ? 1 : 0;
        statusFlags.insert(p.StatusMonth() & 0x0F);
        polishLetters += p.LastName().find_first_of("\xC4\xC5\xC3") != std::string::npos ? 1 : 0;
        conductors += !p.ConductorText().empty() && p.Category() == PublisherCategory::NonPublisher ? 1 : 0;
        withSpecialNeeds += p.SpecialNeedsKey() != 0 ? 1 : 0;
        withExtension += p.ExtensionKey() != 0 ? 1 : 0;
        if (p.Category() == PublisherCategory::Publisher && p.BaptismDate().empty())
            ++unbaptizedPublishers;
        if (p.EmergencyKey() != 0)
            ++emergencyShares[p.EmergencyKey()];
        EXPECT_EQ(p.NeedsFlags() & PublisherRecord::kNeedsInitialised, PublisherRecord::kNeedsInitialised);
        if (p.Category() == PublisherCategory::NonPublisher || p.Category() == PublisherCategory::CircuitOverseer)
            continue;
        EXPECT_GE(p.Group(), 1);
        EXPECT_LE(p.Group(), doc.Side().groups.Count());
        if (p.GetAppointment() == Appointment::Elder &&
            p.Cell(1, SlotOfMonthCount(289)).Pioneer() == PioneerCode::Regular)
            ++elderPioneers;
        for (MonthCount mc = 266; mc <= 289; ++mc) {
            const ReportCell cell = p.Cell(MonthIndexOf(mc), SlotOfMonthCount(mc));
            pioneers.insert(cell.Pioneer());
            olderFormatHours |= mc <= kNewReportFormatStart && cell.hours > 0;
            newerFormatParticipation |= mc > kNewReportFormatStart && cell.Flag() && cell.hours == 0;
            remarks |= cell.remark != 0;
            lateMarkers += cell.lateMarker != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(names.size(), 150u) << "display names repeat";
    for (auto category : {PublisherCategory::Publisher, PublisherCategory::Inactive, PublisherCategory::NonPublisher,
                          PublisherCategory::Moved, PublisherCategory::Deleted})
        EXPECT_GT(categories[category], 0) << static_cast<int>(category);
    EXPECT_EQ(categories[PublisherCategory::CircuitOverseer], 1);
    EXPECT_EQ(db.Record(db.CircuitOverseerRecord()).Id(), kCircuitOverseerId);
    EXPECT_EQ(db.CircuitOverseerRecord(), db.Count() - 1);
    EXPECT_GT(categories[PublisherCategory::Publisher], 100);
    EXPECT_GE(appointments[Appointment::Elder], 4);
    EXPECT_GE(appointments[Appointment::MinisterialServant], 4);
    EXPECT_GT(appointments[Appointment::BaptizedBrother], 0);
    EXPECT_EQ(pioneers.size(), 4u) << "publisher, auxiliary, regular and special pioneer months";
    EXPECT_GE(elderPioneers, 1) << "an elder in regular pioneer service in the working month";
    EXPECT_EQ(fieldMissionaries, 1);
    EXPECT_GT(continuousAuxiliary, 0);
    EXPECT_TRUE(statusFlags.count(1) && statusFlags.count(2) && statusFlags.count(4));
    EXPECT_GT(unbaptizedPublishers, 0);
    EXPECT_GT(heads, 10);
    EXPECT_GT(members, heads);
    EXPECT_GT(polishLetters, 10);
    EXPECT_GT(conductors, 0);
    EXPECT_GT(withSpecialNeeds, 0);
    EXPECT_GT(withExtension, 20);
    EXPECT_GT(lateMarkers, 0);
    EXPECT_TRUE(olderFormatHours);
    EXPECT_TRUE(newerFormatParticipation);
    EXPECT_TRUE(remarks);
    int shared = 0;
    for (const auto& [key, count] : emergencyShares)
        shared += count > 1 ? 1 : 0;
    EXPECT_GT(shared, 5) << "families share their emergency contact";

    const SideTables& side = doc.Side();
    EXPECT_GE(side.groups.Count(), 8);
    for (int g = 0; g < side.groups.Count(); ++g)
        EXPECT_FALSE(side.groups.Overseer(g).empty()) << "group " << g + 1;
    std::map<std::uint16_t, int> appointmentTypes;
    for (const AppointmentEntry& e : side.appointments.Entries())
        ++appointmentTypes[e.Type()];
    for (std::uint16_t type : {1, 2, 3, 4, 5, 6, 20})
        EXPECT_GT(appointmentTypes[type], 0) << "appointment type " << type;
    EXPECT_GT(side.attendance.Record(MeetingKind::Weekend).Value(MeetingRow::Average, 1, 0), 100);
    EXPECT_GT(side.cardTotals.Value(0, 0, 8, 0), 70); // reports of publishers in January 2024
    EXPECT_EQ(doc.Database().Header().GetMonthState(1), MonthState::Open);
    EXPECT_EQ(doc.Database().Header().GetMonthState(0), MonthState::Closed);
    EXPECT_EQ(doc.GetSettings().congregationName, "Łódź-Bałuty");
}

TEST_F(Demo, SameSeedSameCongregation) {
    CVardoDoc first;
    ASSERT_TRUE(Build(first, 60, 5).ok());
    const std::string dump = DocumentToJson(first);
    first.Close();
    test::TempDir other;
    CVardoDoc second;
    StartupOptions quiet;
    quiet.showStartupNote = false;
    ASSERT_TRUE(second.Load(DataFolder(other.Path()), FixedClock({2024, 3, 15}), m_prompter, quiet).ok());
    DemoOptions options;
    options.people = 60;
    options.seed = 5;
    ASSERT_TRUE(BuildDemoCongregation(second, options).ok());
    // Only the folder differs.
    const auto withoutFolder = [](std::string text, const std::filesystem::path& folder) {
        const std::string path = folder.string();
        for (auto at = text.find(path); at != std::string::npos; at = text.find(path))
            text.erase(at, path.size());
        return text;
    };
    const std::string firstDump = withoutFolder(dump, m_dir.Path());
    EXPECT_TRUE(firstDump == withoutFolder(DocumentToJson(second), other.Path()));

    test::TempDir third;
    CVardoDoc reseeded;
    ASSERT_TRUE(reseeded.Load(DataFolder(third.Path()), FixedClock({2024, 3, 15}), m_prompter, quiet).ok());
    options.seed = 6;
    ASSERT_TRUE(BuildDemoCongregation(reseeded, options).ok());
    EXPECT_FALSE(firstDump == withoutFolder(DocumentToJson(reseeded), third.Path()));
}

TEST_F(Demo, SizesFromOnePersonToFullLists) {
    {
        CVardoDoc one;
        ASSERT_TRUE(Build(one, 1).ok());
        EXPECT_EQ(one.Database().PersonCount(), 1);
        EXPECT_EQ(one.Database().Record(1).Category(), PublisherCategory::Publisher);
        one.Close();
    }
    test::TempDir big;
    CVardoDoc full;
    StartupOptions quiet;
    quiet.showStartupNote = false;
    ASSERT_TRUE(full.Load(DataFolder(big.Path()), FixedClock({2026, 12, 8}), m_prompter, quiet).ok());
    DemoOptions options;
    options.people = kDemoMaxPeople;
    ASSERT_TRUE(BuildDemoCongregation(full, options).ok());
    EXPECT_EQ(full.Database().PersonCount(), kDemoMaxPeople);
    for (int c = 0; c < kListedCategories; ++c)
        EXPECT_EQ(full.Database().CategoryCount(static_cast<PublisherCategory>(c)), kCategoryListCapacity) << c;
    EXPECT_EQ(full.Side().groups.Count(), GroupTable::kMaxGroups);
}

TEST_F(Demo, RefusesSizesOutOfRangeAndAFilledRegister) {
    CVardoDoc doc;
    EXPECT_FALSE(Build(doc, kDemoMaxPeople + 1).ok());
    EXPECT_FALSE(Build(doc, 0).ok());
    EXPECT_EQ(doc.Database().PersonCount(), 0);
    ASSERT_TRUE(Build(doc, 20).ok());
    DemoOptions options;
    EXPECT_FALSE(BuildDemoCongregation(doc, options).ok());
    EXPECT_EQ(doc.Database().PersonCount(), 20);
}

} // namespace
} // namespace vardo
