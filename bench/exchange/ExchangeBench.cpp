// Data exchange on a full register (1500 persons, 24 stored months each): the XML publisher list written
// for every person and read back, the import of a full active list (300, the most a list holds) into an
// empty folder, a .t19 of a 127-person group through the preview and import, and a CSV of 1500 lines.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/exchange/CsvImport.h"
#include "core/exchange/GroupReportFile.h"
#include "core/exchange/PublistDocument.h"
#include "core/exchange/ReportImport.h"
#include "BenchKit.h"
#include "BenchMain.h"

namespace {

using namespace vardo;
namespace fs = std::filesystem;

constexpr Date kToday{2025, 3, 10};

const fs::path& DemoFolder() {
    static const fs::path folder = bench::MakeDemoFolder("vardo-exchange-bench-", 1500, kToday);
    return folder;
}

/// The demo register, loaded once.
CVardoDoc& Demo() {
    static CVardoDoc doc;
    static ScriptedPrompter prompter;
    if (!doc.IsLoaded() && !doc.Load(DataFolder(DemoFolder()), FixedClock(kToday), prompter, bench::Quiet()))
        std::abort();
    return doc;
}

PublistExportSource SourceOf(CVardoDoc& doc) {
    return {
        doc.Database(),
        doc.Side().remarks,
        doc.GetWorkingMonth(),
        [&doc](const PublisherRecord& p) { return doc.Side().extensions.Read(doc.Folder(), p.ExtensionKey(), p.Id()); },
        {},
        {}};
}

std::vector<RecordNumber> Everyone(const CVardoDoc& doc) {
    std::vector<RecordNumber> all;
    for (RecordNumber r = 1; r < doc.Database().Count(); ++r)
        all.push_back(r);
    return all;
}

void BM_PublistExport1500(benchmark::State& state) {
    CVardoDoc& doc = Demo();
    const std::vector<RecordNumber> all = Everyone(doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildPublist(SourceOf(doc), PublistKind::Active, all, kToday));
}
BENCHMARK(BM_PublistExport1500)->Unit(benchmark::kMillisecond);

void BM_PublistReadAndWalk1500(benchmark::State& state) {
    CVardoDoc& doc = Demo();
    const std::string xml = BuildPublist(SourceOf(doc), PublistKind::Active, Everyone(doc), kToday);
    for (auto _ : state) {
        CXmlDoc parsed;
        parsed.LoadBuffer(xml);
        auto persons = ReadPublistPersons(parsed, PublistKind::Active, doc.Database());
        benchmark::DoNotOptimize(persons);
    }
}
BENCHMARK(BM_PublistReadAndWalk1500)->Unit(benchmark::kMillisecond);

void BM_PublistImport300IntoEmptyFolder(benchmark::State& state) {
    CVardoDoc& demo = Demo();
    std::vector<RecordNumber> active;
    for (const IndexEntry& e : demo.Database().List(PublisherCategory::Publisher))
        active.push_back(e.recordNumber);
    const std::string xml = BuildPublist(SourceOf(demo), PublistKind::Active, active, kToday);
    const fs::path empty = fs::temp_directory_path() / ("vardo-exchange-empty-" + std::to_string(::getpid()));
    ScriptedPrompter prompter;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(empty);
        fs::create_directories(empty);
        CVardoDoc doc;
        if (!doc.Load(DataFolder(empty), FixedClock(kToday), prompter, bench::Quiet()))
            state.SkipWithError("load failed");
        CXmlDoc parsed;
        parsed.LoadBuffer(xml);
        PublistImportChoice choice;
        for (int i = 0; i < static_cast<int>(active.size()); ++i)
            choice.positions.push_back(i);
        RegistryContext context = doc.MakeRegistryContext(prompter);
        state.ResumeTiming();
        const auto imported = ImportPublist(parsed, PublistKind::Active, choice, context, doc.Side().remarks);
        if (!imported || imported.value() != static_cast<int>(active.size()))
            state.SkipWithError("import failed");
    }
    fs::remove_all(empty);
}
BENCHMARK(BM_PublistImport300IntoEmptyFolder)->Unit(benchmark::kMillisecond);

void BM_GroupFileImport127(benchmark::State& state) {
    CVardoDoc& doc = Demo();
    const WorkingMonth& working = doc.GetWorkingMonth();
    // A group of 127: the first 127 active publishers moved into a group of their own (200) for the file.
    PublisherDatabase::Snapshot before = doc.Database().TakeSnapshot();
    int moved = 0;
    for (const IndexEntry& e : doc.Database().List(PublisherCategory::Publisher))
        if (moved++ < 127)
            doc.Database().Record(e.recordNumber).SetGroup(200);
    GroupFileSource source{doc.Database(), doc.Side().remarks, {}, {}, [&](MonthIndex m) { return working.SlotOf(m); }};
    auto bytes = WriteGroupReportFile(
        source, {.group = 200, .month = working.monthIndex, .slot = working.SlotOf(working.monthIndex)});
    doc.Database().RestoreSnapshot(before);
    if (!bytes)
        std::abort();
    // Every person returns hours and studies for the month.
    std::string& file = bytes.value();
    const std::size_t cell =
        2 * static_cast<std::size_t>(CellPosition(working.monthIndex, working.SlotOf(working.monthIndex)));
    for (std::size_t r = 0; r < 127; ++r) {
        const std::size_t at = 816 + 816 * r + 528 + cell;
        file[at] = 3;
        file[at + 1] = 0x08;
    }
    ScriptedPrompter prompter;
    for (auto _ : state) {
        state.PauseTiming();
        const PublisherDatabase::Snapshot clean = doc.Database().TakeSnapshot();
        state.ResumeTiming();
        ReportingContext context = doc.MakeReportingContext(prompter);
        const auto data = ReadGroupReportFile(file);
        const auto persons = IncomingFromGroupFile(data.value(), context);
        ReportImport import(context, ImportSource::GroupFile, persons.value());
        if (import.Entries().size() != 127 || !import.Import())
            state.SkipWithError("import failed");
        state.PauseTiming();
        doc.Database().RestoreSnapshot(clean);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GroupFileImport127)->Unit(benchmark::kMillisecond);

void BM_CsvImport1500Lines(benchmark::State& state) {
    CVardoDoc& doc = Demo();
    std::string csv = "Imię;Nazwisko;Głosił(a);Kursy;Godz.;Uwagi\r\n";
    for (RecordNumber r = 1; r < doc.Database().Count() && r <= 1500; ++r) {
        const PublisherRecord& p = doc.Database().Record(r);
        csv += p.FirstName() + ";" + p.LastName() + ";1;" + std::to_string(r % 5) + ";" + std::to_string(r % 60) +
               ";\"uwaga " + std::to_string(r) + "\"\r\n";
    }
    const std::vector<std::string> header{"Imię", "Nazwisko", "Głosił(a)", "Kursy", "Godz.", "Uwagi"};
    CsvColumnMap map;
    map.Map(CsvTarget::FirstName, 0, header);
    map.Map(CsvTarget::LastName, 1, header);
    map.Map(CsvTarget::Participated, 2, header);
    map.Map(CsvTarget::Studies, 3, header);
    map.Map(CsvTarget::Hours, 4, header);
    map.Map(CsvTarget::Remark, 5, header);
    ScriptedPrompter prompter;
    for (auto _ : state) {
        state.PauseTiming();
        const PublisherDatabase::Snapshot clean = doc.Database().TakeSnapshot();
        const RemarkTable remarks = doc.Side().remarks;
        state.ResumeTiming();
        ReportingContext context = doc.MakeReportingContext(prompter);
        const auto table = ParseCsv(csv);
        const CsvReports reports = BuildCsvReports(table.value(), map, CsvNameMap{}, context);
        ReportImport import(context, ImportSource::Csv, reports.persons);
        if (!import.Import())
            state.SkipWithError("import failed");
        state.PauseTiming();
        doc.Database().RestoreSnapshot(clean);
        doc.Side().remarks = remarks;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CsvImport1500Lines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const int code = bench::RunBenchmarks(argc, argv);
    std::error_code error;
    fs::remove_all(bench::ProcessTempFolder("vardo-exchange-bench-"), error);
    return code;
}
