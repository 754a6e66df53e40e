// Kills a process in the middle of a backup, a restore and an undo, and checks that the data folder always
// opens afterwards holding one whole version of the data, and that the history lists only complete sets.

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TempDataFolder.h"
#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/exchange/Backup.h"
#include "core/exchange/BackupHistory.h"
#include "core/exchange/Restore.h"

namespace vardo {
namespace {

namespace fs = std::filesystem;

const FixedClock kClock({2024, 3, 5}, 14, 30, 0);
constexpr std::string_view kIncoming = "incoming/Vd9_0900_2024Feb20";

// One version of the data: the twelve files and the snapshots, as bytes.
struct Version {
    std::map<std::string, std::string> files;
    std::map<int, std::map<std::string, std::string>> snapshots;
};

std::map<std::string, std::string> ReadSet(const DataFolder& folder) {
    std::map<std::string, std::string> files;
    for (const std::string_view name : BackupFileNames())
        if (folder.Exists(name))
            files[std::string(name)] = folder.ReadAll(name).value_or("<unreadable>");
    return files;
}

class BackupCrashTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_template = new test::TempDir;
        const fs::path root = s_template->Path();
        ScriptedPrompter prompter;
        DemoOptions a;
        a.people = 40;
        ASSERT_TRUE(WriteDemoCongregation(DataFolder(root / "data"), kClock, a, prompter));
        DemoOptions b;
        b.people = 55;
        b.seed = 7;
        ASSERT_TRUE(WriteDemoCongregation(DataFolder(root / kIncoming), kClock, b, prompter));
        CVardoDoc doc;
        StartupOptions options;
        options.showStartupNote = false;
        ASSERT_TRUE(doc.Load(DataFolder(root / "data"), kClock, prompter, options));
        s_month = doc.GetWorkingMonth().monthIndex;
        doc.Close();
        // A snapshot one month back at home; the incoming set brings one two months back.
        const DataFolder data(root / "data");
        const DataFolder incoming(root / kIncoming);
        for (const auto& [folder, snapshot] : {std::pair{data, SnapshotFolderName(SnapshotNumber(s_month, 1))},
                                               std::pair{incoming, SnapshotFolderName(SnapshotNumber(s_month, 2))}}) {
            ASSERT_TRUE(folder.CreateFolder(snapshot));
            ASSERT_TRUE(CopyFileSet(folder, folder.Sub(snapshot)));
            ASSERT_TRUE(folder.Sub(snapshot).WriteAtomic("tlt15.dat", snapshot));
        }
        fs::remove(root / "data" / "rmkundo.dat");
        fs::remove(root / kIncoming / "rmkundo.dat");
        s_a = ReadVersion(data);
        s_b = ReadVersion(incoming);
        ASSERT_EQ(s_a.files.size(), 12u);
        ASSERT_EQ(s_b.files.size(), 12u);
        ASSERT_NE(s_a.files, s_b.files);
    }
    static void TearDownTestSuite() {
        delete s_template;
        s_template = nullptr;
    }

    static Version ReadVersion(const DataFolder& folder) {
        Version version;
        version.files = ReadSet(folder);
        for (int i = 1; i <= kRollMonths; ++i) {
            const int n = SnapshotNumber(s_month, i);
            if (folder.IsFolder(SnapshotFolderName(n)))
                version.snapshots[n] = ReadSet(folder.Sub(SnapshotFolderName(n)));
        }
        return version;
    }

    // A fresh copy of the template for one trial.
    void Prepare() {
        fs::remove_all(m_dir.Path() / "t");
        fs::copy(s_template->Path(), m_dir.Path() / "t", fs::copy_options::recursive);
        fs::create_directories(m_dir.Path() / "t/dest");
    }
    DataFolder Data() const { return DataFolder(m_dir.Path() / "t/data"); }

    // What the child does: a backup, a restore of the incoming set, and the undo of that restore.
    static void Sequence(const DataFolder& data, const fs::path& root) {
        BackupRequest backup;
        backup.data = data;
        backup.destination = (root / "dest").string();
        backup.now = kClock.Now();
        backup.workingMonthIndex = s_month;
        backup.snapshotMask = ComputeSnapshotMask(data, s_month);
        (void)MakeBackup(backup);
        RestoreRequest restore;
        restore.data = data;
        restore.workingMonthIndex = s_month;
        restore.source = (root / kIncoming).string();
        (void)RestoreBackup(restore);
        restore.source = data.Resolve(kUndoRestoreFolder).string();
        (void)RestoreBackup(restore);
    }

    static inline long s_killAt = 0;
    static inline long s_steps = 0;
    static void CountStep() {
        if (++s_steps == s_killAt)
            ::kill(::getpid(), SIGKILL);
    }

    // Runs the sequence in a child killed at file-system step `killAt` (0: never), after `delay` (zero: never),
    // or with files limited to `fileLimit` bytes (0: no limit). Returns how the child ended.
    int RunChild(long killAt, std::chrono::microseconds delay, rlim_t fileLimit = 0) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (fileLimit != 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{fileLimit, fileLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            s_killAt = killAt;
            s_steps = 0;
            DataFolder::SetStepHook(&CountStep);
            Sequence(Data(), m_dir.Path() / "t");
            ::_exit(0);
        }
        if (delay.count() > 0) {
            std::this_thread::sleep_for(delay);
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return status;
    }

    // Every check after an interruption. Returns the name of the state found: "A", "B/A" or "A/B".
    std::string CheckFolder(const std::string& trial) {
        SCOPED_TRACE(trial);
        const DataFolder data = Data();
        CVardoDoc doc;
        ScriptedPrompter prompter;
        StartupOptions options;
        options.showStartupNote = false;
        const Status opened = doc.Load(data, kClock, prompter, options);
        EXPECT_TRUE(opened) << opened.message();
        doc.Close();
        EXPECT_FALSE(data.Exists(kRestoreJournal));
        EXPECT_FALSE(data.Exists(kRestoreStageFolder));
        EXPECT_FALSE(data.Exists(kUndoRestoreTempFolder));

        const Version now = ReadVersion(data);
        const bool hasUndo = data.IsFolder(kUndoRestoreFolder);
        const Version undo = hasUndo ? ReadVersion(data.Sub(kUndoRestoreFolder)) : Version{};
        std::string state;
        if (now.files == s_a.files && now.snapshots == s_a.snapshots)
            state = "A";
        else if (now.files == s_b.files && now.snapshots == s_b.snapshots)
            state = "B";
        EXPECT_FALSE(state.empty()) << "the data folder holds neither version whole";
        if (hasUndo) {
            if (undo.files == s_a.files && undo.snapshots == s_a.snapshots)
                state += "/A";
            else if (undo.files == s_b.files && undo.snapshots == s_b.snapshots)
                state += "/B";
            else
                ADD_FAILURE() << "the undo folder holds neither version whole";
        }
        EXPECT_TRUE(state == "A" || state == "B/A" || state == "A/B") << state;

        // The history lists only whole sets, and no half-made set shows in the destination.
        const BackupHistory history = BackupHistory::Load(data);
        for (const int index : history.ValidIndexes()) {
            const Version set = ReadVersion(DataFolder(history.Entry(index).path));
            EXPECT_TRUE(set.files == s_a.files && set.snapshots == s_a.snapshots) << history.Entry(index).path;
        }
        for (const std::string& name : DataFolder(m_dir.Path() / "t/dest").List().value_or({})) {
            if (!IsBackupSetPath(name))
                continue;
            const Version set = ReadVersion(DataFolder(m_dir.Path() / "t/dest" / name));
            EXPECT_TRUE(set.files == s_a.files && set.snapshots == s_a.snapshots) << name;
        }
        return state;
    }

    static int Trials() {
        const char* text = std::getenv("VARDO_CRASH_TRIALS");
        const int trials = text ? std::atoi(text) : 60;
        return trials > 0 ? trials : 60;
    }

    static inline test::TempDir* s_template = nullptr;
    static inline int s_month = 0;
    static inline Version s_a;
    static inline Version s_b;
    test::TempDir m_dir;
};

TEST_F(BackupCrashTest, KilledAtFileSystemStepsAndAtRandomMoments) {
    // A run to the end counts the steps and the time.
    Prepare();
    const auto start = std::chrono::steady_clock::now();
    s_killAt = 0;
    s_steps = 0;
    DataFolder::SetStepHook(&CountStep);
    Sequence(Data(), m_dir.Path() / "t");
    DataFolder::SetStepHook(nullptr);
    const long steps = s_steps;
    const auto duration =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_EQ(CheckFolder("uninterrupted"), "A/B");
    ASSERT_GT(steps, 50);

    // Kills at file-system steps: every step when the trials allow, else evenly spread; the rest at random times.
    const int trials = Trials();
    const long stepTrials = std::min<long>(steps, trials * 2 / 3);
    std::mt19937_64 random(20240305);
    std::map<std::string, int> states;
    for (long t = 0; t < stepTrials; ++t) {
        const long k = stepTrials == steps ? t + 1 : 1 + t * steps / stepTrials;
        Prepare();
        const int status = RunChild(k, {});
        ASSERT_TRUE(WIFSIGNALED(status)) << "step " << k << " of " << steps;
        ++states[CheckFolder("killed at step " + std::to_string(k))];
        if (HasFailure())
            return;
    }
    for (long t = stepTrials; t < trials; ++t) {
        const auto delay = std::chrono::microseconds(1 + random() % static_cast<unsigned long>(duration.count()));
        Prepare();
        (void)RunChild(0, delay);
        ++states[CheckFolder("killed after " + std::to_string(delay.count()) + " µs")];
        if (HasFailure())
            return;
    }
    std::string summary;
    for (const auto& [state, count] : states)
        summary += " " + state + ":" + std::to_string(count);
    std::printf("%d trials over %ld steps (%lld µs a run); states found:%s\n", trials, steps,
                static_cast<long long>(duration.count()), summary.c_str());
}

TEST_F(BackupCrashTest, FullDiskLeavesTheDataWhole) {
    for (const rlim_t limit : {rlim_t{4096}, rlim_t{20000}}) {
        Prepare();
        const int status = RunChild(0, {}, limit);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(CheckFolder("files limited to " + std::to_string(limit) + " bytes"), "A");
    }
}

} // namespace
} // namespace vardo
