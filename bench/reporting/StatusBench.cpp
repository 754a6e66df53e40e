// The status recount the main panel shows and every status view, on a register of 1500 persons.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/reporting/StatusViews.h"

namespace {

using namespace vardo;
namespace fs = std::filesystem;

constexpr Date kToday{2024, 3, 10};

// A loaded demo document of 1500 persons, made once per run.
CVardoDoc& Demo() {
    static CVardoDoc* doc = [] {
        const fs::path path = fs::temp_directory_path() / ("vardo-status-bench-" + std::to_string(::getpid()));
        fs::remove_all(path);
        ScriptedPrompter prompter;
        DemoOptions options;
        options.people = 1500;
        if (!WriteDemoCongregation(DataFolder(path), FixedClock(kToday), options, prompter))
            std::abort();
        auto* loaded = new CVardoDoc;
        StartupOptions quiet;
        quiet.showStartupNote = false;
        if (!loaded->Load(DataFolder(path), FixedClock(kToday), prompter, quiet))
            std::abort();
        return loaded;
    }();
    return *doc;
}

StatusData DataOf(CVardoDoc& doc) {
    const WorkingMonth& month = doc.GetWorkingMonth();
    return {doc.Database(),    doc.Side().appointments,
            doc.GetSettings(), StatusBasis::Of(month, doc.Database().Header(), &doc.Side().remarks),
            month.todayYear,   month.todayMonth};
}

void BM_StatusRecount(benchmark::State& state) {
    CVardoDoc& doc = Demo();
    const StatusData data = DataOf(doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(RecountStatus(doc.Database(), data.basis));
}
BENCHMARK(BM_StatusRecount)->Unit(benchmark::kMillisecond);

void BM_StatusView(benchmark::State& state) {
    CVardoDoc& doc = Demo();
    const StatusData data = DataOf(doc);
    StatusQuery query;
    query.kind = static_cast<StatusViewKind>(state.range(0));
    const std::vector<StatusPeriod> periods = PeriodsOf(query.kind);
    if (!periods.empty())
        query.period = periods.back();
    query.month = data.basis.month.monthIndex;
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto view = BuildStatusView(data, query);
        lines = view.size();
        benchmark::DoNotOptimize(view.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_StatusView)->DenseRange(0, kStatusViewKinds - 1)->Unit(benchmark::kMillisecond);

void BM_QuickResults(benchmark::State& state) {
    CVardoDoc& doc = Demo();
    const StatusData data = DataOf(doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(QuickResults(data));
}
BENCHMARK(BM_QuickResults)->Unit(benchmark::kMillisecond);

} // namespace
