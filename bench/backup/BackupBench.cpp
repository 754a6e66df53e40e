// Backup and restore of a full congregation (1500 persons) with six monthly snapshots, beside plain copies
// of the same files: one without and one with an fsync of every file.

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/exchange/Backup.h"
#include "core/exchange/Restore.h"

namespace {

using namespace vardo;
namespace fs = std::filesystem;

const FixedClock kClock({2024, 3, 5}, 14, 30, 0);

struct Fixture {
    fs::path root;
    DataFolder data;
    int month = 0;

    Fixture() {
        root = fs::temp_directory_path() / ("vardo-backup-bench-" + std::to_string(::getpid()));
        fs::remove_all(root);
        data = DataFolder(root / "data");
        ScriptedPrompter prompter;
        DemoOptions options;
        options.people = 1500;
        (void)WriteDemoCongregation(data, kClock, options, prompter);
        CVardoDoc doc;
        StartupOptions startup;
        startup.showStartupNote = false;
        (void)doc.Load(data, kClock, prompter, startup);
        month = doc.GetWorkingMonth().monthIndex;
        doc.Close();
        for (int i = 1; i <= kRollMonths; ++i) {
            const std::string folder = SnapshotFolderName(SnapshotNumber(month, i));
            (void)data.CreateFolder(folder);
            (void)CopyFileSet(data, data.Sub(folder));
        }
    }
    ~Fixture() { fs::remove_all(root); }

    // Every file a backup copies, relative to the data folder.
    std::vector<std::string> Files() const {
        std::vector<std::string> files;
        for (const std::string_view name : BackupFileNames())
            files.emplace_back(name);
        for (int i = 1; i <= kRollMonths; ++i)
            for (const std::string_view name : BackupFileNames())
                files.push_back(SnapshotFolderName(SnapshotNumber(month, i)) + "/" + std::string(name));
        return files;
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void PlainCopy(const Fixture& f, const fs::path& target, bool sync) {
    for (const std::string& file : f.Files()) {
        const fs::path to = target / file;
        fs::create_directories(to.parent_path());
        fs::copy_file(f.data.Root() / file, to, fs::copy_options::overwrite_existing);
        if (sync) {
            const int fd = ::open(to.c_str(), O_RDONLY);
            ::fsync(fd);
            ::close(fd);
        }
    }
}

void BM_PlainCopy(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        PlainCopy(f, f.root / "plain", state.range(0) != 0);
        state.PauseTiming();
        fs::remove_all(f.root / "plain");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlainCopy)->Arg(0)->Arg(1)->ArgName("fsync")->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_Backup(benchmark::State& state) {
    Fixture& f = Shared();
    fs::create_directories(f.root / "dest");
    for (auto _ : state) {
        BackupRequest request;
        request.data = f.data;
        request.destination = (f.root / "dest").string();
        request.now = kClock.Now();
        request.workingMonthIndex = f.month;
        request.snapshotMask = ComputeSnapshotMask(f.data, f.month);
        const BackupOutcome outcome = MakeBackup(request);
        if (outcome.kind != BackupOutcome::Kind::Created)
            state.SkipWithError(outcome.message.c_str());
        state.PauseTiming();
        fs::remove_all(outcome.folder);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Backup)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_Restore(benchmark::State& state) {
    Fixture& f = Shared();
    const fs::path set = f.root / "sets" / "Vd9_0900_2024Feb01";
    PlainCopy(f, set, false);
    for (auto _ : state) {
        RestoreRequest request;
        request.data = f.data;
        request.source = set.string();
        request.workingMonthIndex = f.month;
        const RestoreOutcome outcome = RestoreBackup(request);
        if (outcome.kind != RestoreOutcome::Kind::Restored)
            state.SkipWithError(outcome.message.c_str());
    }
}
BENCHMARK(BM_Restore)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
