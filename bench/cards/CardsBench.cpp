// The monthly outputs of a 1500-person register: every record card to PDF beside a bare QPdfWriter writing
// the same number of pages of comparable text, the congregation analysis to PDF, and the month totals.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <benchmark/benchmark.h>

#include "core/reporting/LateReportList.h"
#include "core/reporting/MonthTotals.h"
#include "core/reports/Analysis.h"
#include "core/reports/RecordCard.h"
#include "core/store/GroupTable.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/RemarkTable.h"
#include "render/QPainterCanvas.h"
#include "render/ReportOutput.h"
#include "ReportBenchKit.h"

namespace vardo {
namespace {

constexpr int kPersons = 1500;
constexpr std::array kFirstNames = {"Adam",    "Anna",   "Barbara", "Cezary", "Dorota", "Edward", "Ewa",   "Filip",
                                    "Grażyna", "Henryk", "Irena",   "Jan",    "Joanna", "Łucja",  "Marek", "Zofia"};
constexpr std::array kLastNames = {"Nowak",     "Kowalski",  "Wiśniewski", "Wójcik",    "Kowalczyk", "Kamiński",
                                   "Zieliński", "Szymański", "Woźniak",    "Dąbrowski", "Kozłowski", "Mazur",
                                   "Krawczyk",  "Grabowski", "Pawłowski",  "Michalski", "Zając",     "Król"};

// 1500 persons on the active list, 20 groups, two years of reports: publishers, auxiliary and regular pioneers.
struct Register {
    Register() {
        db.SetCount(kPersons + 1);
        month = WorkingMonthFor(2025, 3, 5);
        bench::Lcg lcg(4711);
        const auto next = [&lcg](unsigned range) { return static_cast<int>(lcg(range)); };
        for (RecordNumber r = 1; r <= kPersons; ++r) {
            PublisherRecord& p = db.Record(r);
            p.SetFirstName(kFirstNames[static_cast<std::size_t>(next(kFirstNames.size()))]);
            p.SetLastName(kLastNames[static_cast<std::size_t>(next(kLastNames.size()))]);
            p.SetId(static_cast<PublisherId>(100 + r));
            p.SetCategory(PublisherCategory::Publisher);
            p.SetGroup(1 + r % 20);
            p.SetBirthDate(" 5051980");
            if (next(5) != 0)
                p.SetBaptismDate(" 6061999");
            p.SetMale(r % 2 == 0);
            p.SetFemale(r % 2 != 0);
            p.SetHope('O');
            const int kind = next(10); // 0 regular pioneer, 1 auxiliary now and then, else publisher
            for (int back = 0; back < 24; ++back) {
                const int count = month.monthCount - back;
                const MonthIndex m = MonthIndexOf(static_cast<MonthCount>(count));
                ReportCell cell;
                if (next(12) == 0)
                    continue; // no report this month
                cell.SetFlag(true);
                cell.SetBibleStudies(next(3));
                if (kind == 0) {
                    cell.SetPioneer(PioneerCode::Regular);
                    cell.hours = static_cast<std::uint16_t>(40 + next(50));
                } else if (kind == 1 && next(3) == 0) {
                    cell.SetPioneer(PioneerCode::Auxiliary);
                    cell.hours = static_cast<std::uint16_t>(15 + next(40));
                }
                p.SetCell(m, SlotOfMonthCount(static_cast<MonthCount>(count)), cell);
            }
        }
        db.SortRecords();
        db.RebuildIndex();
        groups.SetCount(20);
    }

    PublisherDatabase db;
    GroupTable groups;
    RemarkTable remarks;
    LateReportList late;
    MeetingAttendance attendance;
    WorkingMonth month;
};

const Register& Full() {
    static const Register full;
    return full;
}

CardSource Cards() {
    CardSource source;
    source.database = &Full().db;
    source.groups = &Full().groups;
    source.remarks = &Full().remarks;
    source.workingMonth = Full().month;
    return source;
}

std::filesystem::path BenchFile(const char* name) {
    return std::filesystem::temp_directory_path() / name;
}

void Label(benchmark::State& state, int pages, const std::filesystem::path& path) {
    state.SetLabel(bench::PagesAndSize(pages, path));
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
}

// Every card of the register, one per page, to a 600-dpi PDF.
void BM_AllCardsPdf(benchmark::State& state) {
    const CardSource source = Cards();
    std::vector<RecordNumber> records;
    for (const IndexEntry& entry : Full().db.List(PublisherCategory::Publisher))
        records.push_back(entry.recordNumber);
    const auto report = MakeCardsReport(source, records);
    const auto path = BenchFile("vardo-cards-bench.pdf");
    if (const auto pages = bench::MeasurePdf(state, *report, path))
        Label(state, *pages, path);
}

// The floor: a bare QPdfWriter writing as many pages, each with about as many texts, lines and boxes as a
// card (a title, 16 header texts, 80 table texts, 30 lines, 10 boxes) in the same fonts.
void BM_BarePdfFloor(benchmark::State& state) {
    InstallFontSubstitutions();
    const int pages = static_cast<int>(Full().db.List(PublisherCategory::Publisher).size());
    const auto path = BenchFile("vardo-floor-bench.pdf");
    const QString file = QString::fromStdString(path.string());
    for (auto _ : state) {
        QPdfWriter writer(file);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        QFont title(QStringLiteral("Calibri"));
        title.setPointSizeF(15);
        title.setBold(true);
        QFont text(QStringLiteral("Calibri"));
        text.setPointSizeF(10);
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            painter.setFont(title);
            painter.drawText(1200, 600, QStringLiteral("ZBOROWE ZESTAWIENIE SPRAWOZDAŃ GŁOSICIELA"));
            painter.setFont(text);
            for (int i = 0; i < 16; ++i)
                painter.drawText(300 + (i % 4) * 1000, 800 + (i / 4) * 150,
                                 QStringLiteral("Imię i nazwisko: Jan Kowalski %1").arg(page + i));
            for (int i = 0; i < 10; ++i)
                painter.drawRect(300 + i * 400, 1300, 60, 60);
            for (int row = 0; row < 16; ++row) {
                painter.drawLine(300, 1500 + row * 150, 4650, 1500 + row * 150);
                for (int c = 0; c < 5; ++c)
                    painter.drawText(500 + c * 800, 1600 + row * 150, QString::number(page * 7 + row * 3 + c));
            }
            for (int c = 0; c < 14; ++c)
                painter.drawLine(300 + c * 300, 1500, 300 + c * 300, 3900);
        }
        painter.end();
    }
    Label(state, pages, path);
}

// The congregation analysis of the 1500 persons (sections, marks, summary, branch table) to PDF.
void BM_AnalysisPdf(benchmark::State& state) {
    AnalysisSource source;
    source.database = &Full().db;
    source.groups = &Full().groups;
    source.remarks = &Full().remarks;
    source.lateReports = &Full().late;
    source.attendance = &Full().attendance;
    source.workingMonth = Full().month;
    const auto report = MakeAnalysisReport(source, AnalysisVariant{});
    const auto path = BenchFile("vardo-analysis-bench.pdf");
    if (const auto pages = bench::MeasurePdf(state, *report, path))
        Label(state, *pages, path);
}

void BM_ComputeMonthTotals(benchmark::State& state) {
    const Register& full = Full();
    for (auto _ : state) {
        const MonthTotals totals = ComputeMonthTotals(full.db, full.late, full.month);
        benchmark::DoNotOptimize(totals);
    }
    state.SetLabel(std::to_string(full.db.List(PublisherCategory::Publisher).size()) + " persons");
}

BENCHMARK(BM_AllCardsPdf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_BarePdfFloor)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_AnalysisPdf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ComputeMonthTotals)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vardo

int main(int argc, char** argv) {
    return vardo::bench::RunReportBenchmarks(argc, argv);
}
