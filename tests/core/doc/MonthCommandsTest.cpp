// The document's month-cycle and past-month commands on a demo data folder.

#include <filesystem>

#include <gtest/gtest.h>

#include "TempDataFolder.h"
#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/store/DatabaseFile.h"

namespace vardo {
namespace {

class MonthCommands : public test::TempDataFolderTest {
protected:
    void SetUp() override {
        ScriptedPrompter quiet;
        DemoOptions options;
        options.people = 40;
        ASSERT_TRUE(WriteDemoCongregation(m_folder, FixedClock({2024, 3, 10}), options, quiet).ok());
    }
    void Open(Date today) {
        m_doc.Close();
        StartupOptions options;
        options.showStartupNote = false;
        ASSERT_TRUE(m_doc.Load(m_folder, FixedClock(today), m_prompter, options).ok());
    }
    // "Rozpocznij" for the working month, as the dialog gives it.
    MonthChoice StartChoice() {
        MonthDialogInput input = m_doc.MonthDialogState();
        MonthDialogPresenter dialog(input);
        ScriptedPrompter yes({Answer::Ok});
        auto choice = dialog.Start(yes);
        EXPECT_TRUE(choice);
        return *choice;
    }

    CVardoDoc m_doc;
    ScriptedPrompter m_prompter;
};

TEST_F(MonthCommands, UnwritableSnapshotAsksAndNoChangesNothing) {
    Open({2024, 3, 10});
    m_dir.WriteFile("Roll", "a file where the snapshot folder belongs");
    const std::string before = DatabaseFileBytes(m_doc.Database());
    const WorkingMonth month = m_doc.GetWorkingMonth();
    const bool modified = m_doc.IsModified();
    int pushed = 0;
    m_doc.SetSnapshotHistoryHook([&](const SnapshotHistoryEntry&) { ++pushed; });

    ScriptedPrompter no({Answer::No});
    const Status stopped = m_doc.ApplyMonthChoice(StartChoice(), FixedClock({2024, 3, 10}), no);
    EXPECT_FALSE(stopped.ok());
    EXPECT_EQ(no.Questions(), 1);
    EXPECT_TRUE(no.AnyShownContains("Roll/Vd9_1"));
    EXPECT_EQ(DatabaseFileBytes(m_doc.Database()), before);
    EXPECT_EQ(m_doc.GetWorkingMonth(), month);
    EXPECT_EQ(m_doc.IsModified(), modified);
    EXPECT_EQ(pushed, 0);

    ScriptedPrompter yes({Answer::Yes});
    ASSERT_TRUE(m_doc.ApplyMonthChoice(StartChoice(), FixedClock({2024, 3, 10}), yes).ok());
    EXPECT_NE(DatabaseFileBytes(m_doc.Database()), before);
    EXPECT_EQ(m_doc.GetMonthState(1), MonthState::Open);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(pushed, 0) << "no history entry for a snapshot that was not written";
}

TEST_F(MonthCommands, InitialisationWritesTheSnapshotOnceAndViewsIt) {
    Open({2024, 3, 10});
    std::vector<SnapshotHistoryEntry> pushed;
    m_doc.SetSnapshotHistoryHook([&](const SnapshotHistoryEntry& e) { pushed.push_back(e); });
    const std::string onDisk = m_dir.ReadFile("tdat9.bin");
    ASSERT_TRUE(m_doc.ApplyMonthChoice(StartChoice(), FixedClock({2024, 3, 10}), m_prompter).ok());
    ASSERT_EQ(pushed.size(), 1u);
    EXPECT_EQ(pushed[0].text, "marzec 10 2024 (Roll)");
    EXPECT_EQ(m_dir.ReadFile("Roll/Vd9_1/tdat9.bin"), onDisk);
    ASSERT_TRUE(m_doc.Save(m_prompter).ok());

    ASSERT_TRUE(m_doc.ApplyMonthChoice(StartChoice(), FixedClock({2024, 3, 10}), m_prompter).ok());
    EXPECT_EQ(pushed.size(), 1u) << "the snapshot of this year is current";
    EXPECT_EQ(m_dir.ReadFile("Roll/Vd9_1/tdat9.bin"), onDisk);
    ASSERT_TRUE(m_doc.Save(m_prompter).ok());

    Open({2024, 3, 11});
    EXPECT_EQ(m_doc.SnapshotMask(), 1u << 1);
    ASSERT_TRUE(m_doc.LoadPastMonth(1, m_prompter).ok());
    EXPECT_TRUE(m_doc.PastMonthMode());
    EXPECT_EQ(m_doc.GetWorkingMonth().monthIndex, 0);
    EXPECT_EQ(m_doc.GetWorkingMonth().Year(), 2024);
    EXPECT_EQ(m_doc.RealWorkingMonth().monthIndex, 1);
    EXPECT_EQ(m_doc.SnapshotMask(), 0u);
    EXPECT_EQ(DatabaseFileBytes(m_doc.Database()).size(), onDisk.size());
    {
        DocumentChange change(m_doc.Changes(), "Zmiana w podglądzie");
        change.Touch(DataArea::Settings);
        change.Commit();
    }
    EXPECT_FALSE(m_doc.CanSave());
    EXPECT_FALSE(m_doc.Save(m_prompter).ok());
    EXPECT_FALSE(m_doc.CloseWorkingMonth().ok());
    EXPECT_TRUE(m_doc.ConfirmExit(m_prompter)) << "no save question for a past month";
    EXPECT_FALSE(m_doc.LoadPastMonth(3, m_prompter).ok()) << "no snapshot of November";
    EXPECT_TRUE(m_doc.PastMonthMode());

    ASSERT_TRUE(m_doc.ReturnToWorkingMonth(m_prompter).ok());
    EXPECT_FALSE(m_doc.PastMonthMode());
    EXPECT_EQ(m_doc.GetWorkingMonth().monthIndex, 1);
    EXPECT_EQ(m_doc.GetMonthState(1), MonthState::Open);
    EXPECT_EQ(m_doc.Folder().Root(), m_dir.Path());
}

TEST_F(MonthCommands, PastMonthsCountFromTheRealWorkingMonth) {
    Open({2024, 3, 10});
    for (int n : {11, 1})
        for (std::string_view file : kBackupFileSet)
            if (m_dir.Exists(file))
                m_dir.WriteFile("Roll/Vd9_" + std::to_string(n) + "/" + std::string(file), m_dir.ReadFile(file));
    const Status viewed = m_doc.LoadPastMonth(3, m_prompter);
    ASSERT_TRUE(viewed.ok()) << viewed.message();
    EXPECT_EQ(m_doc.GetWorkingMonth().monthIndex, 10);
    EXPECT_EQ(m_doc.GetWorkingMonth().Year(), 2023);
    EXPECT_EQ(m_doc.PastMonthYear(3), 2023);
    ASSERT_TRUE(m_doc.LoadPastMonth(1, m_prompter).ok());
    EXPECT_EQ(m_doc.GetWorkingMonth().monthIndex, 0);
    EXPECT_EQ(m_doc.GetWorkingMonth().Year(), 2024);
}

TEST_F(MonthCommands, EarlyStartHoldsUntilTheNextMonthBegins) {
    Open({2024, 3, 26});
    if (m_doc.WorkingMonthOpen()) {
        ASSERT_TRUE(m_doc.CloseWorkingMonth().ok());
    }
    EXPECT_EQ(m_doc.GetMonthState(1), MonthState::Closed);
    MonthDialogPresenter dialog(m_doc.MonthDialogState());
    ASSERT_TRUE(dialog.ShowsEarlyStart());
    ScriptedPrompter ok({Answer::Ok});
    const auto choice = dialog.StartEarly(ok);
    ASSERT_TRUE(choice);
    ASSERT_TRUE(m_doc.ApplyMonthChoice(*choice, FixedClock({2024, 3, 26}), m_prompter).ok());
    EXPECT_EQ(m_doc.GetWorkingMonth().monthIndex, 2);
    EXPECT_EQ(m_doc.GetWorkingMonth().todayMonth, 4);
    ASSERT_TRUE(m_doc.Save(m_prompter).ok());

    Open({2024, 3, 28});
    EXPECT_EQ(m_doc.GetWorkingMonth().monthIndex, 2);
    EXPECT_TRUE(m_doc.WorkingMonthOpen());
    Open({2024, 4, 2});
    EXPECT_EQ(m_doc.GetWorkingMonth().monthIndex, 2);
    EXPECT_EQ(m_doc.GetSettings().earlyYear, 0);
    EXPECT_NE(m_dir.ReadFile("vardok.ini").find("Month=0"), std::string::npos);
}

TEST_F(MonthCommands, LateReportsSurviveSaveAndLoad) {
    Open({2024, 3, 10});
    const PublisherRecord& someone =
        m_doc.Database().Record(m_doc.Database().List(PublisherCategory::Publisher)[0].recordNumber);
    const PublisherId id = someone.Id();
    {
        DocumentChange change(m_doc.Changes(), "Spóźnione sprawozdanie");
        change.Touch(DataArea::MonthCycle);
        m_doc.GetMonthCycle().lateReports.Clear();
        m_doc.GetMonthCycle().lateReports.Add(id, 11, m_doc.GetWorkingMonth().monthIndex);
        change.Commit();
    }
    ASSERT_TRUE(m_doc.Save(m_prompter).ok());
    Open({2024, 3, 10});
    EXPECT_TRUE(m_doc.GetMonthCycle().lateReports.IsLate(id, 11));
    EXPECT_EQ(m_doc.Database().FindById(id)->LateMarker(11, 1), 2);
}

} // namespace
} // namespace vardo
