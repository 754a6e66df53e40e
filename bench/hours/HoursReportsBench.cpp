// Laying out and rendering the averages, 12-month hours, service-year and pioneer-hours reports and the
// pioneer progress page of a full register (1500 persons, 1200 active with two years of reports) to PDF.

#include <array>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "core/reporting/ActivityStatus.h"
#include "core/reports/HoursReports.h"
#include "core/reports/PioneerProgress.h"
#include "core/reports/RecordingCanvas.h"
#include "render/ReportOutput.h"
#include "ReportBenchKit.h"

namespace vardo {
namespace {

struct FullRegister {
    FullRegister() {
        db.SetCount(1501);
        const WorkingMonth month = WorkingMonthFor(2025, 3, 5);
        bench::Lcg next(4711);
        static constexpr std::array kFirst = {"Adam",   "Anna",  "Barbara", "Cezary", "Dorota",
                                              "Edward", "Filip", "Grażyna", "Jan",    "Zofia"};
        static constexpr std::array kLast = {"Nowak",     "Kowalski", "Wiśniewski",  "Wójcik",
                                             "Kowalczyk", "Kamiński", "Lewandowski", "Zieliński",
                                             "Szymański", "Woźniak",  "Dąbrowski",   "Kozłowski"};
        for (RecordNumber r = 1; r < 1501; ++r) {
            PublisherRecord& p = db.Record(r);
            const int i = r - 1;
            p.SetFirstName(kFirst[next(kFirst.size())]);
            p.SetLastName(std::string(kLast[next(kLast.size())]) + std::to_string(i));
            p.SetId(static_cast<PublisherId>(100 + i));
            p.SetCategory(i < 1200 ? PublisherCategory::Publisher : PublisherCategory::Inactive);
            p.SetGroup(1 + i % 20);
            if (next(12) == 0)
                p.SetAppointment(Appointment::Elder);
            else if (next(10) == 0)
                p.SetAppointment(Appointment::MinisterialServant);
            const bool pioneer = next(8) == 0;
            for (int step = 0; step < 24; ++step) {
                const WalkMonth m = MonthBack(month, step);
                ReportCell cell;
                const bool auxiliary = !pioneer && next(20) == 0;
                cell.SetPioneer(pioneer     ? PioneerCode::Regular
                                : auxiliary ? PioneerCode::Auxiliary
                                            : PioneerCode::None);
                if (pioneer || auxiliary || m.count <= kNewReportFormatStart) {
                    cell.hours = static_cast<std::uint16_t>(pioneer     ? 45 + next(30)
                                                            : auxiliary ? 30 + next(10)
                                                                        : next(15));
                    cell.SetQuarterHours(static_cast<int>(next(4)));
                }
                cell.SetBibleStudies(static_cast<int>(next(3)));
                cell.SetFlag(next(10) != 0);
                p.SetCell(m.month, m.slot, cell);
            }
        }
        db.SortRecords();
        db.RebuildIndex();
        groups.SetCount(20);
        source.database = &db;
        source.groups = &groups;
        source.workingMonth = month;
    }

    PublisherDatabase db;
    GroupTable groups;
    HoursSource source;
};

const FullRegister& Register() {
    static const FullRegister full;
    return full;
}

constexpr std::array kKinds = {ReportKind::AveragesCongregation, ReportKind::HoursCongregation,
                               ReportKind::HoursAuxiliaryPioneers, ReportKind::ServiceYearCongregation,
                               ReportKind::PioneerHours};

ReportKind KindOf(const benchmark::State& state) {
    return kKinds[static_cast<std::size_t>(state.range(0))];
}

void BM_HoursLayout(benchmark::State& state) {
    const auto report = MakeHoursReport(KindOf(state), Register().source, 0);
    const int pages = bench::MeasureLayout(state, *report);
    state.SetLabel(std::string(ReportKindName(KindOf(state))) + ", " + std::to_string(pages) + " pages");
}

void BM_HoursPdf(benchmark::State& state) {
    const auto report = MakeHoursReport(KindOf(state), Register().source, 0);
    const auto path = std::filesystem::temp_directory_path() / "vardo-hours-bench.pdf";
    const int pages = bench::MeasurePdf(state, *report, path).value_or(0);
    state.SetLabel(std::string(ReportKindName(KindOf(state))) + ", " + bench::PagesAndSize(pages, path));
}

// The pioneer progress window's figures for every regular pioneer and its page with the bars.
void BM_PioneerProgress(benchmark::State& state) {
    const FullRegister& full = Register();
    const auto path = std::filesystem::temp_directory_path() / "vardo-progress-bench.pdf";
    int pages = 0;
    std::size_t pioneers = 0;
    for (auto _ : state) {
        PioneerProgressPresenter presenter(full.db, full.source.workingMonth, false);
        presenter.Choose(0);
        pioneers = presenter.View().pioneers.size();
        if (state.range(0) == 1) {
            const Result<int> result =
                RenderReportToPdf(*MakePioneerProgressReport(presenter.View()), ReportEnvironment{}, path);
            if (!result.ok()) {
                state.SkipWithError(result.error().c_str());
                break;
            }
            pages = result.value();
        } else {
            RecordingCanvas canvas(600, 600);
            pages = DrawPioneerProgress(canvas, ReportEnvironment{}, presenter.View());
        }
    }
    std::error_code error;
    std::filesystem::remove(path, error);
    state.SetLabel(std::string(state.range(0) == 1 ? "pdf, " : "layout, ") + std::to_string(pioneers) + " pioneers, " +
                   std::to_string(pages) + " pages");
}

BENCHMARK(BM_HoursLayout)->DenseRange(0, kKinds.size() - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HoursPdf)->DenseRange(0, kKinds.size() - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PioneerProgress)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vardo

int main(int argc, char** argv) {
    return vardo::bench::RunReportBenchmarks(argc, argv);
}
