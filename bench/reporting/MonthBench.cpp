// Initialising a month on a full register (1500 persons), its snapshot included, beside the floor of the
// same disk work done plainly: a copy of the twelve snapshot files and one save of the register.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/exchange/MonthlySnapshot.h"
#include "core/store/DatabaseFile.h"
#include "BenchKit.h"

namespace {

using namespace vardo;
namespace fs = std::filesystem;

constexpr Date kToday{2024, 3, 10};

// A demo data folder of 1500 persons, made once per run.
const fs::path& DemoFolder() {
    static const fs::path folder = bench::MakeDemoFolder("vardo-month-bench-", 1500, kToday);
    return folder;
}

// The choice that initialises the working month of `doc` and leaves it open.
MonthChoice InitialiseChoice(const CVardoDoc& doc) {
    const WorkingMonth& month = doc.GetWorkingMonth();
    MonthChoice choice;
    choice.month = month.monthIndex;
    choice.yearIndex = month.yearIndex;
    choice.monthCount = month.monthCount;
    choice.initialise = true;
    choice.states[choice.month] = MonthState::Open;
    return choice;
}

void BM_InitialiseMonth(benchmark::State& state) {
    const DataFolder folder(DemoFolder());
    ScriptedPrompter prompter;
    for (auto _ : state) {
        state.PauseTiming();
        (void)folder.RemoveFolder("Roll", true);
        CVardoDoc doc;
        if (!doc.Load(folder, FixedClock(kToday), prompter, bench::Quiet()))
            state.SkipWithError("load failed");
        const MonthChoice choice = InitialiseChoice(doc);
        state.ResumeTiming();
        if (!doc.ApplyMonthChoice(choice, FixedClock(kToday), prompter))
            state.SkipWithError("initialisation failed");
        benchmark::DoNotOptimize(doc.Database().Header());
        state.PauseTiming();
        doc.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InitialiseMonth)->Unit(benchmark::kMillisecond);

// Viewing the month before from its snapshot: the reload of the document from Roll/Vd9_<n>.
void BM_ViewPastMonth(benchmark::State& state) {
    const DataFolder folder(DemoFolder());
    ScriptedPrompter prompter;
    {
        (void)folder.RemoveFolder("Roll", true);
        CVardoDoc doc;
        if (!doc.Load(folder, FixedClock(kToday), prompter, bench::Quiet()))
            std::abort();
        const MonthChoice choice = InitialiseChoice(doc);
        if (!doc.ApplyMonthChoice(choice, FixedClock(kToday), prompter))
            std::abort();
        doc.Close();
    }
    for (auto _ : state) {
        state.PauseTiming();
        CVardoDoc doc;
        if (!doc.Load(folder, FixedClock(kToday), prompter, bench::Quiet()))
            state.SkipWithError("load failed");
        state.ResumeTiming();
        if (!doc.LoadPastMonth(1, prompter))
            state.SkipWithError("no snapshot to view");
        benchmark::DoNotOptimize(doc.Database().Header());
        state.PauseTiming();
        doc.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ViewPastMonth)->Unit(benchmark::kMillisecond);

void BM_FloorCopyTwelveFilesAndSaveRegister(benchmark::State& state) {
    const DataFolder folder(DemoFolder());
    ScriptedPrompter prompter;
    CVardoDoc doc;
    if (!doc.Load(folder, FixedClock(kToday), prompter, bench::Quiet()))
        state.SkipWithError("load failed");
    DatabaseFile file;
    for (auto _ : state) {
        state.PauseTiming();
        (void)folder.RemoveFolder("Floor", true);
        state.ResumeTiming();
        (void)folder.CreateFolder("Floor");
        for (std::string_view name : kBackupFileSet)
            if (folder.Exists(name))
                (void)folder.Copy(name, "Floor/" + std::string(name));
        if (!file.SaveDatabase(doc.Database(), folder, doc.GetWorkingMonth().monthIndex, doc.DocumentWord(), false,
                               prompter))
            state.SkipWithError("save failed");
    }
    (void)folder.RemoveFolder("Floor", true);
    doc.Close();
}
BENCHMARK(BM_FloorCopyTwelveFilesAndSaveRegister)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(bench::ProcessTempFolder("vardo-month-bench-"));
    return 0;
}
