#include "core/store/AppointmentTable.h"

#include <string>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::ByteRecord;
using test::Concat;

constexpr std::uint16_t kElder = static_cast<std::uint16_t>(AppointmentType::Elder);
constexpr std::uint16_t kServant = static_cast<std::uint16_t>(AppointmentType::MinisterialServant);
constexpr std::uint16_t kConsent = static_cast<std::uint16_t>(AppointmentType::Consent);

ByteRecord Entry(PublisherId id, std::uint16_t type, std::string_view start, std::string_view end = {}) {
    ByteRecord record(32);
    record.U16(0, id).U16(2, type).Text(6, 9, start).Text(15, 9, end);
    return record;
}

class AppointmentTableTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
    AppointmentTable m_table;
};

TEST_F(AppointmentTableTest, LoadsGoldenEntriesAndWritesThemBackUnchanged) {
    auto withJunk = Entry(101, kElder, "05012019", "04302023");
    withJunk.U8(4, 7).U8(30, 9); // unused bytes are carried as they are
    const std::string bytes = Concat({withJunk.Bytes(), Entry(102, kConsent, "").Bytes()});
    m_dir.WriteFile("tappt.dat", bytes);
    m_table.Load(m_folder, m_prompter);

    EXPECT_EQ(m_table.GetAppointment(101, kElder), "05012019");
    EXPECT_EQ(m_table.GetAppointmentEnd(101, kElder), "04302023");
    EXPECT_EQ(m_table.GetAppointment(101, kServant), "");
    EXPECT_TRUE(m_table.HasConsent(102));
    EXPECT_FALSE(m_table.HasConsent(101));

    ASSERT_TRUE(m_table.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tappt.dat"), bytes);
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(AppointmentTableTest, SetWritesGoldenEntries) {
    ASSERT_TRUE(m_table.SetAppointment(101, kServant, "09011999").ok());
    ASSERT_TRUE(m_table.SetAppointmentEnd(101, kServant, "04302005").ok());
    ASSERT_TRUE(m_table.SetAppointment(101, kElder, "05012005").ok());
    ASSERT_TRUE(m_table.SetAppointment(101, kServant, "10011999").ok());
    ASSERT_TRUE(m_table.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tappt.dat"),
              Concat({Entry(101, kServant, "10011999", "04302005").Bytes(), Entry(101, kElder, "05012005").Bytes()}));
}

TEST_F(AppointmentTableTest, SaveDropsFreeIncompleteAndRepeatedEntriesButKeepsConsent) {
    m_dir.WriteFile("tappt.dat", Concat({
                                     Entry(0, kElder, "05012019").Bytes(),     // no person
                                     Entry(101, 0, "05012019").Bytes(),        // no type
                                     Entry(102, kElder, "  2019  ").Bytes(),   // start date incomplete
                                     Entry(103, kElder, "        ").Bytes(),   // blank
                                     Entry(104, kConsent, "      ").Bytes(),   // consent without a date
                                     Entry(105, kElder, "05012019").Bytes(),   // kept
                                     Entry(105, kElder, "06012020").Bytes(),   // repetition
                                     Entry(105, kServant, "01012010").Bytes(), // kept
                                 }));
    m_table.Load(m_folder, m_prompter);
    ASSERT_TRUE(m_table.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tappt.dat"),
              Concat({Entry(104, kConsent, "      ").Bytes(), Entry(105, kElder, "05012019").Bytes(),
                      Entry(105, kServant, "01012010").Bytes()}));
}

TEST_F(AppointmentTableTest, EntryWithoutStartIsDroppedOnlyAfterAValidOneOfTheSameKeyWasKept) {
    // An earlier incomplete entry does not hide a later complete one of the same person and type.
    m_dir.WriteFile("tappt.dat",
                    Concat({Entry(105, kElder, "        ").Bytes(), Entry(105, kElder, "05012019").Bytes()}));
    m_table.Load(m_folder, m_prompter);
    ASSERT_TRUE(m_table.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tappt.dat"), Entry(105, kElder, "05012019").Bytes());
}

TEST_F(AppointmentTableTest, ClearConsentFreesTheEntryForTheNextSave) {
    ASSERT_TRUE(m_table.SetAppointment(101, kConsent, "05252018").ok());
    ASSERT_TRUE(m_table.SetAppointment(102, kConsent, "05262018").ok());
    m_table.ClearConsent(101);
    EXPECT_FALSE(m_table.HasConsent(101));
    EXPECT_TRUE(m_table.HasConsent(102));
    ASSERT_TRUE(m_table.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tappt.dat"), Entry(102, kConsent, "05262018").Bytes());
}

TEST_F(AppointmentTableTest, ZeroIdOrTypeDoesNothingAndEmptyTableLeavesTheFile) {
    m_dir.WriteFile("tappt.dat", "unchanged");
    ASSERT_TRUE(m_table.SetAppointment(0, kElder, "05012019").ok());
    ASSERT_TRUE(m_table.SetAppointmentEnd(101, 0, "05012019").ok());
    EXPECT_TRUE(m_table.Entries().empty());
    ASSERT_TRUE(m_table.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tappt.dat"), "unchanged");
}

TEST_F(AppointmentTableTest, FullTableRefusesANewEntryButUpdatesExistingOnes) {
    for (int i = 0; i < 1500; ++i)
        ASSERT_TRUE(m_table.SetAppointment(static_cast<PublisherId>(100 + i), kElder, "05012019").ok());
    const Status refused = m_table.SetAppointment(5000, kElder, "05012019");
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.message().find("1500"), std::string::npos);
    EXPECT_EQ(m_table.Entries().size(), 1500u);
    EXPECT_TRUE(m_table.SetAppointmentEnd(100, kElder, "01012020").ok());
    EXPECT_EQ(m_table.GetAppointmentEnd(100, kElder), "01012020");
}

TEST_F(AppointmentTableTest, MoreEntriesThanTheCapacityAreLoadedAndSavedWhole) {
    std::string bytes;
    for (int i = 0; i < 1600; ++i)
        bytes += Entry(static_cast<PublisherId>(100 + i), kElder, "05012019").Bytes();
    m_dir.WriteFile("tappt.dat", bytes);
    m_table.Load(m_folder, m_prompter);
    EXPECT_EQ(m_table.Entries().size(), 1600u);
    ASSERT_TRUE(m_table.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tappt.dat"), bytes);
}

TEST_F(AppointmentTableTest, PartialLastEntryIsPreservedBeforeTheSave) {
    const std::string original = Concat({Entry(101, kElder, "05012019").Bytes(), "xyz"});
    m_dir.WriteFile("tappt.dat", original);
    m_table.Load(m_folder, m_prompter);
    EXPECT_EQ(m_dir.ReadFile("tappt.dat.uszkodzony"), original);
    EXPECT_TRUE(m_prompter.AnyShownContains("tappt.dat"));
    ASSERT_TRUE(m_table.Save(m_folder, m_prompter).ok());
    EXPECT_EQ(m_dir.ReadFile("tappt.dat"), Entry(101, kElder, "05012019").Bytes());
}

TEST_F(AppointmentTableTest, DatesAreCutToEightCharacters) {
    ASSERT_TRUE(m_table.SetAppointment(101, kElder, "0501201999").ok());
    EXPECT_EQ(m_table.GetAppointment(101, kElder), "05012019");
}

} // namespace
} // namespace vardo
