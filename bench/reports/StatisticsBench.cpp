// The statistics page and the activity summary of a 1500-person demo congregation: counting, layout on the
// recording canvas and rendering to PDF.

#include <filesystem>
#include <stdexcept>
#include <string>

#include <benchmark/benchmark.h>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/doc/StatisticsSources.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/reports/RecordingCanvas.h"
#include "render/ReportOutput.h"
#include "BenchKit.h"
#include "ReportBenchKit.h"

namespace {

using namespace vardo;

constexpr int kPeople = 1500;

class Demo {
public:
    Demo() : m_demo(std::filesystem::temp_directory_path() / "vardo-statistics-bench", kPeople, Date{2025, 3, 10}) {
        environment.fonts = ReportFonts(m_demo.Doc().LanguageTag());
        environment.today = m_demo.Today().Today();
        environment.options.datesInStatistics = true;
    }
    const CVardoDoc& Doc() const { return m_demo.Doc(); }
    std::filesystem::path Pdf() const { return std::filesystem::temp_directory_path() / "vardo-statistics-bench.pdf"; }

    ReportEnvironment environment;

private:
    bench::LoadedDemo m_demo;
};

Demo& TheDemo() {
    static Demo demo;
    return demo;
}

void BM_StatisticsCounts(benchmark::State& state) {
    Demo& demo = TheDemo();
    const StatisticsSource source = StatisticsSourceOf(demo.Doc());
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeCongregationCounts(source, demo.environment.today));
}
BENCHMARK(BM_StatisticsCounts)->Unit(benchmark::kMillisecond);

void BM_StatisticsLayout(benchmark::State& state) {
    Demo& demo = TheDemo();
    const auto report = MakeStatisticsReport(StatisticsSourceOf(demo.Doc()));
    for (auto _ : state) {
        RecordingCanvas canvas(600, 600);
        report->Draw(canvas, demo.environment);
        benchmark::DoNotOptimize(canvas.Texts().size());
    }
}
BENCHMARK(BM_StatisticsLayout)->Unit(benchmark::kMillisecond);

void BM_ActivityTable(benchmark::State& state) {
    Demo& demo = TheDemo();
    ActivityChoice choice;
    choice.source = state.range(0) == 0 ? ActivitySource::Register : ActivitySource::Branch;
    const ActivityData data = ActivityDataOf(demo.Doc());
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeActivity(data, choice));
}
BENCHMARK(BM_ActivityTable)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ActivityLayout(benchmark::State& state) {
    Demo& demo = TheDemo();
    const auto report = MakeActivityReport(ActivityDataOf(demo.Doc()), ActivityChoice{});
    for (auto _ : state) {
        RecordingCanvas canvas(600, 600);
        report->Draw(canvas, demo.environment);
        benchmark::DoNotOptimize(canvas.Fills().size());
    }
}
BENCHMARK(BM_ActivityLayout)->Unit(benchmark::kMillisecond);

void RenderPdf(benchmark::State& state, const Report& report) {
    Demo& demo = TheDemo();
    OutputOptions options;
    options.dpi = 600;
    for (auto _ : state) {
        const Result<int> pages = RenderReportToPdf(report, demo.environment, demo.Pdf(), options);
        if (!pages.ok())
            state.SkipWithError(pages.error().c_str());
    }
    std::filesystem::remove(demo.Pdf());
}

void BM_StatisticsPdf(benchmark::State& state) {
    RenderPdf(state, *MakeStatisticsReport(StatisticsSourceOf(TheDemo().Doc())));
}
BENCHMARK(BM_StatisticsPdf)->Unit(benchmark::kMillisecond);

void BM_ActivityPdf(benchmark::State& state) {
    RenderPdf(state, *MakeActivityReport(ActivityDataOf(TheDemo().Doc()), ActivityChoice{}));
}
BENCHMARK(BM_ActivityPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return vardo::bench::RunReportBenchmarks(argc, argv);
}
