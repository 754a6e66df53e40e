#include "core/store/ExtensionFile.h"

#include <string>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"

namespace vardo {
namespace {

using test::ByteRecord;
using test::Concat;

// One xten7.dat record laid out field by field: texts shifted by (i + 52), no 0xCC exception.
ByteRecord GoldenRecord(PublisherId owner, std::string_view longName, std::string_view email, std::string_view extra,
                        std::uint8_t flag = 0) {
    ByteRecord record(192);
    record.U16(0, owner);
    record.ShiftedText(2, 65, longName, 52, 0xCC, 0);
    record.ShiftedText(67, 51, email, 52, 0xCC, 0);
    record.ShiftedText(118, 72, extra, 52, 0xCC, 0);
    record.U8(190, flag);
    return record;
}

const std::string kZero(192, '\0');

class ExtensionFileTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
    ExtensionFile m_file;
};

TEST_F(ExtensionFileTest, ReadsGoldenRecordForItsOwnerOnly) {
    const auto golden = GoldenRecord(120, "Jan Łęcki-Żółtowski", "jan@example.pl", "Dzwonić wieczorem", 1);
    m_dir.WriteFile("xten7.dat", Concat({kZero, golden.Bytes()}));
    m_file.LoadOwnerList(m_folder, m_prompter);
    EXPECT_EQ(m_file.Owners(), (std::vector<PublisherId>{0, 120}));

    const auto record = m_file.Read(m_folder, 1, 120);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->LongName(), "Jan Łęcki-Żółtowski");
    EXPECT_EQ(record->Email(), "jan@example.pl");
    EXPECT_EQ(record->Extra(), "Dzwonić wieczorem");
    EXPECT_EQ(record->ContentBits(), 15);

    EXPECT_FALSE(m_file.Read(m_folder, 1, 121).has_value());
    EXPECT_FALSE(m_file.Read(m_folder, 0, 0).has_value());
    EXPECT_FALSE(m_file.Read(m_folder, 2, 120).has_value());
    EXPECT_TRUE(m_prompter.Shown().empty());
}

TEST_F(ExtensionFileTest, FirstWriteCreatesZeroRecordAndGoldenRecord) {
    ExtensionRecord record;
    record.SetOwner(120);
    ASSERT_TRUE(record.SetLongName("Jan Łęcki-Żółtowski").ok());
    ASSERT_TRUE(record.SetEmail("jan@example.pl").ok());
    ASSERT_TRUE(record.SetExtra("Dzwonić wieczorem").ok());
    record.SetFlag(1);

    m_file.LoadOwnerList(m_folder, m_prompter);
    const auto number = m_file.Write(m_folder, record);
    ASSERT_TRUE(number.ok()) << number.error();
    EXPECT_EQ(number.value(), 1);
    const auto golden = GoldenRecord(120, "Jan Łęcki-Żółtowski", "jan@example.pl", "Dzwonić wieczorem", 1);
    EXPECT_EQ(m_dir.ReadFile("xten7.dat"), Concat({kZero, golden.Bytes()}));
}

TEST_F(ExtensionFileTest, ContentBitsCountLettersNotDigits) {
    auto record = ExtensionRecord::FromFileBytes(GoldenRecord(120, "12 34", "", "ąę").Bytes());
    EXPECT_EQ(record.ContentBits(), ExtensionRecord::kHasExtra);
    EXPECT_TRUE(record.HasText());
    record.ClearTexts();
    EXPECT_FALSE(record.HasText());
    EXPECT_EQ(record.Owner(), 120);
}

TEST_F(ExtensionFileTest, WriteRewritesOwnersRecordInPlace) {
    const auto a = GoldenRecord(120, "Anna", "", "");
    const auto b = GoldenRecord(130, "Beata", "", "");
    m_dir.WriteFile("xten7.dat", Concat({kZero, a.Bytes(), b.Bytes()}));
    m_file.LoadOwnerList(m_folder, m_prompter);

    auto record = *m_file.Read(m_folder, 1, 120);
    ASSERT_TRUE(record.SetEmail("anna@example.pl").ok());
    const auto number = m_file.Write(m_folder, record);
    ASSERT_TRUE(number.ok());
    EXPECT_EQ(number.value(), 1);
    EXPECT_EQ(m_dir.ReadFile("xten7.dat"),
              Concat({kZero, GoldenRecord(120, "Anna", "anna@example.pl", "").Bytes(), b.Bytes()}));
}

TEST_F(ExtensionFileTest, NewOwnerReusesFirstZeroRecordOnlyFromThreeRecordsOn) {
    const auto a = GoldenRecord(120, "Anna", "", "");
    ExtensionRecord record;
    record.SetOwner(140);
    ASSERT_TRUE(record.SetLongName("Celina").ok());

    // Two records: the new record is appended even though none is free.
    m_dir.WriteFile("xten7.dat", Concat({kZero, a.Bytes()}));
    m_file.LoadOwnerList(m_folder, m_prompter);
    ASSERT_EQ(m_file.Write(m_folder, record).value_or(0), 2);

    // Three and more: the first all-zero record after record 0 is reused.
    m_dir.WriteFile("xten7.dat", Concat({kZero, a.Bytes(), kZero, kZero}));
    m_file.LoadOwnerList(m_folder, m_prompter);
    ASSERT_EQ(m_file.Write(m_folder, record).value_or(0), 2);
    EXPECT_EQ(m_dir.ReadFile("xten7.dat"),
              Concat({kZero, a.Bytes(), GoldenRecord(140, "Celina", "", "").Bytes(), kZero}));
    EXPECT_EQ(m_file.Check(2, 140).key, 2);
}

TEST_F(ExtensionFileTest, FullFileRefusesNewOwnerButKeepsRewritingExistingOnes) {
    std::string bytes = kZero;
    for (int i = 1; i < 601; ++i)
        bytes += GoldenRecord(static_cast<PublisherId>(1000 + i), "X", "", "").Bytes();
    m_dir.WriteFile("xten7.dat", bytes);
    m_file.LoadOwnerList(m_folder, m_prompter);

    ExtensionRecord fresh;
    fresh.SetOwner(99);
    ASSERT_TRUE(fresh.SetLongName("Nowy").ok());
    const auto refused = m_file.Write(m_folder, fresh);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find("xten7.dat"), std::string::npos);
    EXPECT_EQ(m_dir.ReadFile("xten7.dat"), bytes);

    ExtensionRecord existing;
    existing.SetOwner(1600);
    ASSERT_TRUE(existing.SetLongName("Y").ok());
    EXPECT_EQ(m_file.Write(m_folder, existing).value_or(0), 600);
}

TEST_F(ExtensionFileTest, CheckResetsKeysBeyondTheFileOrOfAnotherOwner) {
    m_dir.WriteFile("xten7.dat", Concat({kZero, GoldenRecord(120, "A", "", "").Bytes()}));
    m_file.LoadOwnerList(m_folder, m_prompter);
    EXPECT_EQ(m_file.Check(1, 120).key, 1);
    EXPECT_FALSE(m_file.Check(1, 120).changed);
    EXPECT_EQ(m_file.Check(1, 121).key, 0);
    EXPECT_TRUE(m_file.Check(1, 121).changed);
    EXPECT_EQ(m_file.Check(2, 120).key, 0);
    EXPECT_TRUE(m_file.Check(2, 120).changed);
    EXPECT_FALSE(m_file.Check(0, 120).changed);
}

TEST_F(ExtensionFileTest, TextsThatCannotBeStoredAreRefusedAndLeaveTheFieldAlone) {
    ExtensionRecord record;
    ASSERT_TRUE(record.SetLongName("Ala").ok());
    EXPECT_FALSE(record.SetLongName(std::string(65, 'a')).ok());
    EXPECT_FALSE(record.SetEmail(std::string(51, 'a')).ok());
    EXPECT_TRUE(record.SetExtra(std::string(71, 'a')).ok());
    EXPECT_FALSE(record.SetLongName("日本").ok());
    // 'Ę' (0xCA) at position 2 would be scrambled to 0xCA + 2 + 52 = 0x100, the NUL that ends the text.
    const Status nul = record.SetLongName("KSĘGA");
    ASSERT_FALSE(nul.ok());
    EXPECT_NE(nul.message().find("Ę"), std::string::npos);
    EXPECT_EQ(record.LongName(), "Ala");
    EXPECT_TRUE(record.SetLongName("KĘSY").ok());
    EXPECT_EQ(record.LongName(), "KĘSY");
}

TEST_F(ExtensionFileTest, RewriteForcesTheTerminatingBytesAndKeepsTheRest) {
    auto damaged = GoldenRecord(120, "Anna", "a@b.pl", "x", 0);
    damaged.U8(66, 0x41).U8(117, 0x42).U8(189, 0x43).U8(191, 0x44);
    m_dir.WriteFile("xten7.dat", Concat({kZero, damaged.Bytes()}));
    m_file.LoadOwnerList(m_folder, m_prompter);
    ASSERT_EQ(m_file.Write(m_folder, *m_file.Read(m_folder, 1, 120)).value_or(0), 1);
    auto expected = damaged;
    expected.U8(66, 0).U8(117, 0).U8(189, 0);
    EXPECT_EQ(m_dir.ReadFile("xten7.dat"), Concat({kZero, expected.Bytes()}));
}

TEST_F(ExtensionFileTest, PartialLastRecordIsPreservedAndAppendsStayAligned) {
    const std::string original = Concat({kZero, GoldenRecord(120, "Anna", "", "").Bytes(), std::string(50, 'z')});
    m_dir.WriteFile("xten7.dat", original);
    m_file.LoadOwnerList(m_folder, m_prompter);
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_TRUE(m_prompter.AnyShownContains("xten7.dat.uszkodzony"));
    EXPECT_EQ(m_dir.ReadFile("xten7.dat.uszkodzony"), original);
    EXPECT_EQ(m_file.RecordCount(), 2u);

    ExtensionRecord record;
    record.SetOwner(130);
    ASSERT_TRUE(record.SetLongName("Beata").ok());
    ASSERT_EQ(m_file.Write(m_folder, record).value_or(0), 2);
    EXPECT_EQ(m_dir.ReadFile("xten7.dat").size(), 3u * 192);
    EXPECT_EQ(m_file.Read(m_folder, 2, 130)->LongName(), "Beata");
}

TEST_F(ExtensionFileTest, OwnerListIsNotCappedSoNoKeyIsResetByTheCap) {
    std::string bytes = kZero;
    for (int i = 1; i < 650; ++i)
        bytes += GoldenRecord(static_cast<PublisherId>(1000 + i), "X", "", "").Bytes();
    EXPECT_EQ(ExtensionFile::ParseOwnerList(bytes).size(), 650u);
    EXPECT_EQ(ExtensionFile::ParseOwnerList(bytes.substr(0, 191)).size(), 0u);
}

} // namespace
} // namespace vardo
