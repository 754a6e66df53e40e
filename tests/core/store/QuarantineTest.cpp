#include "core/store/Quarantine.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "TempDataFolder.h"

namespace vardo {
namespace {

class QuarantineTest : public test::TempDataFolderTest {
protected:
    ScriptedPrompter m_prompter;
};

TEST_F(QuarantineTest, CopiesTheFileAsideAndTellsWhereTheCopyIs) {
    m_dir.WriteFile("tcard.dat", "abc");
    const auto copy = PreserveUnreadableFile(m_folder, "tcard.dat", ReasonWrongSize(3, 1728), m_prompter);
    ASSERT_TRUE(copy.ok());
    EXPECT_EQ(copy.value(), "tcard.dat.uszkodzony");
    EXPECT_EQ(m_dir.ReadFile("tcard.dat.uszkodzony"), "abc");
    EXPECT_EQ(m_dir.ReadFile("tcard.dat"), "abc");
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    const std::string& text = m_prompter.Shown()[0];
    EXPECT_NE(text.find("tcard.dat"), std::string::npos);
    EXPECT_NE(text.find("rozmiar 3 B zamiast 1728 B"), std::string::npos);
    EXPECT_NE(text.find((m_dir.Path() / "tcard.dat.uszkodzony").string()), std::string::npos);
}

TEST_F(QuarantineTest, SameContentReusesItsCopyOtherContentGetsANewOne) {
    m_dir.WriteFile("x.dat", "one");
    ASSERT_EQ(PreserveUnreadableFile(m_folder, "x.dat", "r", m_prompter).value_or(""), "x.dat.uszkodzony");
    ASSERT_EQ(PreserveUnreadableFile(m_folder, "x.dat", "r", m_prompter).value_or(""), "x.dat.uszkodzony");
    m_dir.WriteFile("x.dat", "two");
    ASSERT_EQ(PreserveUnreadableFile(m_folder, "x.dat", "r", m_prompter).value_or(""), "x.dat.uszkodzony2");
    EXPECT_EQ(m_dir.ReadFile("x.dat.uszkodzony"), "one");
    EXPECT_EQ(m_dir.ReadFile("x.dat.uszkodzony2"), "two");
}

TEST_F(QuarantineTest, GuardBlocksWritingWhenNoCopyCanBeMade) {
    // A folder in the place of the file: it exists but cannot be read or copied.
    std::filesystem::create_directory(m_dir.Path() / "x.dat");
    ASSERT_FALSE(ReadDataFile(m_folder, "x.dat").ok());

    WriteGuard guard;
    guard.Preserve(m_folder, "x.dat", "r", m_prompter);
    EXPECT_TRUE(guard.Blocked());
    const Status check = guard.Check("x.dat");
    ASSERT_FALSE(check.ok());
    EXPECT_NE(check.message().find("x.dat"), std::string::npos);
    EXPECT_TRUE(m_prompter.AnyShownContains("nie zapisze"));
}

TEST_F(QuarantineTest, ReadDataFileTellsMissingFromEmpty) {
    const auto missing = ReadDataFile(m_folder, "none.dat");
    ASSERT_TRUE(missing.ok());
    EXPECT_FALSE(missing.value().has_value());
    m_dir.WriteFile("EMPTY.DAT", "");
    const auto empty = ReadDataFile(m_folder, "empty.dat");
    ASSERT_TRUE(empty.ok());
    ASSERT_TRUE(empty.value().has_value());
    EXPECT_TRUE(empty.value()->empty());
}

TEST_F(QuarantineTest, CannotCreateShowsMessage1231WithTheFullPath) {
    const Status status = ReportCannotCreate(m_folder, "tcard.dat", m_prompter);
    EXPECT_FALSE(status.ok());
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_EQ(m_prompter.Shown()[0], "Nie mogę utworzyć nowego pliku: " + (m_dir.Path() / "tcard.dat").string() +
                                         ".\nUsuń atrybut Tylko Do Odczytu / Plik nie może być utworzony w tym "
                                         "katalogu.");
}

} // namespace
} // namespace vardo
