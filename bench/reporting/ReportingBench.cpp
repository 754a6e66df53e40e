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

namespace {

using namespace vardo;

class DemoFolder {
public:
    explicit DemoFolder(int people)
        : m_path(std::filesystem::temp_directory_path() / ("vardo-reporting-bench-" + std::to_string(people))) {
        std::filesystem::remove_all(m_path);
        DemoOptions options;
        options.people = people;
        if (!WriteDemoCongregation(DataFolder(m_path), m_clock, options, m_prompter))
            throw std::runtime_error("demo folder");
        StartupOptions startup;
        startup.showStartupNote = false;
        if (!m_doc.Load(DataFolder(m_path), m_clock, m_prompter, startup))
            throw std::runtime_error("load");
    }
    ~DemoFolder() {
        m_doc.Close();
        std::filesystem::remove_all(m_path);
    }

    // A report of the first active publisher, alternating its studies so that every store changes data.
    void StoreOne(int studies) {
        ReportingContext context = m_doc.MakeReportingContext(m_prompter);
        const RecordNumber record = m_doc.Database().List(PublisherCategory::Publisher).front().recordNumber;
        ReportEntry entry(context, record);
        entry.SetParticipation(true);
        entry.SetStudiesText(std::to_string(studies));
        if (!entry.Store())
            throw std::runtime_error("store");
    }
    void Save() {
        if (!m_doc.Save(m_prompter))
            throw std::runtime_error("save");
    }

private:
    std::filesystem::path m_path;
    FixedClock m_clock{Date{2025, 3, 10}};
    ScriptedPrompter m_prompter;
    CVardoDoc m_doc;
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
