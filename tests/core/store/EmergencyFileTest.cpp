#include "core/store/EmergencyFile.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::ByteRecord;
using test::Concat;

ByteRecord Contact(std::uint16_t key, std::string_view name) {
    ByteRecord record(256);
    record.U16(0, key).Text(2, 96, name);
    return record;
}

KeyReferenced Referenced(std::set<std::uint16_t> keys) {
    return [keys](std::uint16_t key) { return keys.count(key) > 0; };
}

class EmergencyFileTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
    EmergencyFile m_file;
};

TEST(EmergencyContactRecord, FieldsAtTheirOffsetsBothWays) {
    ByteRecord golden(256);
    golden.U16(0, 12)
        .Text(2, 96, "Zofia Wąsik")
        .Text(98, 96, "Cukrzyca; klucz u sąsiadki")
        .Text(194, 16, "22 111 22 33")
        .Text(210, 16, "600 700 800")
        .Text(226, 16, "22 999 88 77")
        .U8(242, 1);

    const auto loaded = EmergencyContactRecord::FromBytes(golden.Bytes());
    EXPECT_EQ(loaded.Key(), 12);
    EXPECT_EQ(loaded.Name(), "Zofia Wąsik");
    EXPECT_EQ(loaded.Information(), "Cukrzyca; klucz u sąsiadki");
    EXPECT_EQ(loaded.HomePhone(), "22 111 22 33");
    EXPECT_EQ(loaded.MobilePhone(), "600 700 800");
    EXPECT_EQ(loaded.WorkPhone(), "22 999 88 77");
    EXPECT_TRUE(loaded.IsWitness());

    EmergencyContactRecord built;
    built.SetKey(12);
    ASSERT_TRUE(built.SetName("Zofia Wąsik").ok());
    ASSERT_TRUE(built.SetInformation("Cukrzyca; klucz u sąsiadki").ok());
    ASSERT_TRUE(built.SetHomePhone("22 111 22 33").ok());
    ASSERT_TRUE(built.SetMobilePhone("600 700 800").ok());
    ASSERT_TRUE(built.SetWorkPhone("22 999 88 77").ok());
    built.SetWitness(true);
    EXPECT_EQ(built.Bytes(), golden.Bytes());

    EXPECT_FALSE(built.SetHomePhone(std::string(16, '1')).ok());
    EXPECT_EQ(built.HomePhone(), "22 111 22 33");
}

TEST_F(EmergencyFileTest, CompactionKeepsReferencedContactsAndDropsRepeatedKeys) {
    const auto a = Contact(10, "A");
    const auto unused = Contact(11, "nieużywany");
    const auto repeat = Contact(10, "powtórka");
    const auto c = Contact(12, "C");
    m_dir.WriteFile("emerg.dat", Concat({a.Bytes(), unused.Bytes(), repeat.Bytes(), c.Bytes()}));

    m_file.CompactAtStartup(m_folder, Referenced({10, 12}), m_prompter);
    EXPECT_EQ(m_file.Keys(), (std::vector<std::uint16_t>{10, 12}));
    EXPECT_EQ(m_dir.ReadFile("emerg.dat"), Concat({a.Bytes(), c.Bytes()}));
    EXPECT_EQ(m_file.Read(m_folder, 12)->Name(), "C");
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(EmergencyFileTest, RepeatedKeyBecomesAFreePositionWhenSomeoneHasNoContact) {
    const auto a = Contact(10, "A");
    const auto repeat = Contact(10, "powtórka");
    m_dir.WriteFile("emerg.dat", Concat({a.Bytes(), repeat.Bytes()}));
    m_file.CompactAtStartup(m_folder, Referenced({0, 10}), m_prompter);
    EXPECT_EQ(m_file.Keys(), (std::vector<std::uint16_t>{10, 0}));
    auto freed = repeat;
    freed.U16(0, 0);
    EXPECT_EQ(m_dir.ReadFile("emerg.dat"), Concat({a.Bytes(), freed.Bytes()}));

    // The free position is reused in place by the next new contact.
    EmergencyContactRecord record;
    ASSERT_TRUE(record.SetName("Nowy").ok());
    ASSERT_EQ(m_file.Add(m_folder, record, Referenced({0, 10})).value_or(0), 11);
    EXPECT_EQ(m_file.Keys(), (std::vector<std::uint16_t>{10, 11}));
    EXPECT_EQ(m_dir.ReadFile("emerg.dat"), Concat({a.Bytes(), Contact(11, "Nowy").Bytes()}));
}

TEST_F(EmergencyFileTest, NothingReferencedLeavesTheFileAsItIs) {
    const std::string bytes = Concat({Contact(10, "A").Bytes(), Contact(11, "B").Bytes()});
    m_dir.WriteFile("emerg.dat", bytes);
    m_file.CompactAtStartup(m_folder, Referenced({}), m_prompter);
    EXPECT_TRUE(m_file.Keys().empty());
    EXPECT_EQ(m_dir.ReadFile("emerg.dat"), bytes);
}

TEST_F(EmergencyFileTest, UntouchedFileIsNotRewrittenAndPastMonthOnlyReadsKeys) {
    const std::string bytes = Concat({Contact(10, "A").Bytes(), Contact(11, "B").Bytes()});
    const auto compaction = EmergencyFile::Compact(bytes, Referenced({10, 11}));
    EXPECT_FALSE(compaction.changed);
    EXPECT_EQ(compaction.bytes, bytes);

    m_dir.WriteFile("emerg.dat", Concat({bytes, Contact(10, "C").Bytes()}));
    m_file.LoadKeyTable(m_folder, m_prompter);
    EXPECT_EQ(m_file.Keys(), (std::vector<std::uint16_t>{10, 11, 10}));
    EXPECT_EQ(m_dir.ReadFile("emerg.dat").size(), 3u * 256);
}

TEST_F(EmergencyFileTest, NewContactGetsSmallestFreeKeyFromTen) {
    EmergencyContactRecord record;
    ASSERT_TRUE(record.SetName("Pierwszy").ok());
    m_file.CompactAtStartup(m_folder, Referenced({}), m_prompter);
    ASSERT_EQ(m_file.Add(m_folder, record, Referenced({})).value_or(0), 10);
    EXPECT_EQ(m_dir.ReadFile("emerg.dat"), Contact(10, "Pierwszy").Bytes());

    // Keys 10, 11 and 13 in use (13 only referenced by a person): the next is 12.
    ASSERT_EQ(m_file.Add(m_folder, record, Referenced({13})).value_or(0), 11);
    ASSERT_EQ(m_file.Add(m_folder, record, Referenced({13})).value_or(0), 12);
    EXPECT_EQ(m_file.Keys(), (std::vector<std::uint16_t>{10, 11, 12}));
}

TEST_F(EmergencyFileTest, WriteRewritesInPlaceAtTheKeysPosition) {
    m_dir.WriteFile("emerg.dat", Concat({Contact(10, "A").Bytes(), Contact(11, "B").Bytes()}));
    m_file.CompactAtStartup(m_folder, Referenced({10, 11}), m_prompter);
    auto record = *m_file.Read(m_folder, 11);
    ASSERT_TRUE(record.SetMobilePhone("501 502 503").ok());
    ASSERT_TRUE(m_file.Write(m_folder, 11, record).ok());
    auto expected = Contact(11, "B");
    expected.Text(210, 16, "501 502 503");
    EXPECT_EQ(m_dir.ReadFile("emerg.dat"), Concat({Contact(10, "A").Bytes(), expected.Bytes()}));
    EXPECT_FALSE(m_file.Write(m_folder, 99, record).ok());
    EXPECT_FALSE(m_file.Read(m_folder, 0).has_value());
}

TEST_F(EmergencyFileTest, FullTableRefusesANewContact) {
    std::string bytes;
    std::set<std::uint16_t> all;
    for (int i = 0; i < 1000; ++i) {
        bytes += Contact(static_cast<std::uint16_t>(10 + i), "X").Bytes();
        all.insert(static_cast<std::uint16_t>(10 + i));
    }
    m_dir.WriteFile("emerg.dat", bytes);
    m_file.CompactAtStartup(m_folder, Referenced(all), m_prompter);
    const auto refused = m_file.Add(m_folder, EmergencyContactRecord(), Referenced(all));
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find("1000"), std::string::npos);
    EXPECT_EQ(m_dir.ReadFile("emerg.dat"), bytes);
}

TEST_F(EmergencyFileTest, ContactsBeyondAThousandRecordsAreNotDropped) {
    std::string bytes;
    for (int i = 0; i < 1005; ++i)
        bytes += Contact(static_cast<std::uint16_t>(10 + i), "X").Bytes();
    const auto compaction = EmergencyFile::Compact(bytes, [](std::uint16_t key) { return key >= 1010; });
    ASSERT_EQ(compaction.keys.size(), 5u);
    EXPECT_EQ(compaction.keys.back(), 1014);
}

TEST_F(EmergencyFileTest, PartialLastRecordIsPreservedBeforeCompactionDropsIt) {
    const std::string original = Concat({Contact(10, "A").Bytes(), std::string(10, 'q')});
    m_dir.WriteFile("emerg.dat", original);
    m_file.CompactAtStartup(m_folder, Referenced({10}), m_prompter);
    EXPECT_EQ(m_dir.ReadFile("emerg.dat.uszkodzony"), original);
    EXPECT_EQ(m_dir.ReadFile("emerg.dat"), Contact(10, "A").Bytes());
    EXPECT_TRUE(m_prompter.AnyShownContains("emerg.dat"));
}

TEST_F(EmergencyFileTest, ReferencedKeysComeFromThePersons) {
    std::vector<PublisherRecord> persons(2);
    persons[0].SetEmergencyKey(15);
    persons[1].SetSpecialNeedsKey(16);
    const auto emergency = EmergencyKeysOf(persons);
    EXPECT_TRUE(emergency(15));
    EXPECT_FALSE(emergency(16));
    EXPECT_TRUE(emergency(0));
    EXPECT_TRUE(SpecialNeedsKeysOf(persons)(16));
}

} // namespace
} // namespace vardo
