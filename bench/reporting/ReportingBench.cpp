// Storing one report through the report window's rules, alone and followed by the save of the whole data
// folder, on the demo congregation.

#include <filesystem>
#include <stdexcept>
#include <string>

#include <benchmark/benchmark.h>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/reporting/ReportEntry.h"
#include "BenchKit.h"

namespace {

using namespace vardo;

class DemoFolder {
public:
    explicit DemoFolder(int people)
        : m_demo(std::filesystem::temp_directory_path() / ("vardo-reporting-bench-" + std::to_string(people)), people,
                 Date{2025, 3, 10}) {}

    // A report of the first active publisher, alternating its studies so that every store changes data.
    void StoreOne(int studies) {
        ReportingContext context = m_demo.Doc().MakeReportingContext(m_demo.Prompts());
        const RecordNumber record = m_demo.Doc().Database().List(PublisherCategory::Publisher).front().recordNumber;
        ReportEntry entry(context, record);
        entry.SetParticipation(true);
        entry.SetStudiesText(std::to_string(studies));
        if (!entry.Store())
            throw std::runtime_error("store");
    }
    void Save() {
        if (!m_demo.Doc().Save(m_demo.Prompts()))
            throw std::runtime_error("save");
    }

private:
    bench::LoadedDemo m_demo;
};

void BM_StoreReport(benchmark::State& state) {
    DemoFolder folder(static_cast<int>(state.range(0)));
    int studies = 0;
    for (auto _ : state)
        folder.StoreOne(++studies % 2);
}
BENCHMARK(BM_StoreReport)->Arg(150)->Arg(kDemoMaxPeople);

void BM_StoreReportAndSave(benchmark::State& state) {
    DemoFolder folder(static_cast<int>(state.range(0)));
    int studies = 0;
    for (auto _ : state) {
        folder.StoreOne(++studies % 2);
        folder.Save();
    }
}
BENCHMARK(BM_StoreReportAndSave)->Arg(150)->Arg(kDemoMaxPeople)->Unit(benchmark::kMillisecond);

} // namespace
