// The pieces the report benchmarks share: a repeatable number stream for the made-up registers, the
// layout and PDF loops over one report, and a main that keeps the render runtime up while they run.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "core/reports/RecordingCanvas.h"
#include "render/ReportOutput.h"

namespace vardo::bench {

// A linear congruential stream: the same seed gives the same register on every machine.
class Lcg {
public:
    explicit Lcg(unsigned seed) : m_seed(seed) {}
    unsigned operator()(unsigned range) {
        m_seed = m_seed * 1103515245u + 12345u;
        return (m_seed >> 16) % range;
    }

private:
    unsigned m_seed;
};

// Lays `report` out and draws it at printer resolution on the recording canvas each iteration; its pages.
inline int MeasureLayout(benchmark::State& state, const Report& report) {
    const ReportEnvironment environment = ForPrinting(ReportEnvironment{}, true);
    int pages = 0;
    for (auto _ : state) {
        RecordingCanvas canvas(600, 600);
        pages = report.CountPages(canvas, environment);
        report.Draw(canvas, environment);
        benchmark::DoNotOptimize(canvas.Texts().size());
    }
    return pages;
}

// Renders `report` to the PDF file `path` each iteration; its pages, or nullopt once the benchmark is
// skipped with the error of a failed run.
inline std::optional<int> MeasurePdf(benchmark::State& state, const Report& report, const std::filesystem::path& path) {
    int pages = 0;
    for (auto _ : state) {
        const Result<int> result = RenderReportToPdf(report, ReportEnvironment{}, path);
        if (!result.ok()) {
            state.SkipWithError(result.error().c_str());
            return std::nullopt;
        }
        pages = result.value();
    }
    return pages;
}

// "N pages, S KiB" of the file at `path`, which is removed.
inline std::string PagesAndSize(int pages, const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    std::filesystem::remove(path, error);
    return std::to_string(pages) + " pages, " + std::to_string(size / 1024) + " KiB";
}

// The main of a report benchmark program.
inline int RunReportBenchmarks(int argc, char** argv) {
    const RenderRuntime runtime;
    return RunBenchmarks(argc, argv);
}

} // namespace vardo::bench
