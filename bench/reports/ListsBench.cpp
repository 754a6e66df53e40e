// Laying out and rendering the contact lists of a full register (1509 persons) to PDF.

#include <array>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

#include <benchmark/benchmark.h>

#include "core/reports/Lists.h"
#include "core/reports/RecordingCanvas.h"
#include "render/ReportOutput.h"
#include "BenchNames.h"
#include "ReportBenchKit.h"

namespace vardo {
namespace {

constexpr std::array kFirstNames = {"Adam",  "Anna",    "Barbara",    "Cezary", "Dorota", "Edward", "Ewa",
                                    "Filip", "Grażyna", "Henryk",     "Irena",  "Jan",    "Joanna", "Krzysztof",
                                    "Łucja", "Marek",   "Małgorzata", "Piotr",  "Zofia",  "Żaneta"};
// The first 78 of the shared surnames, on which this register was made.
const std::span<const char* const> kLastNames = std::span(bench::kLastNames).first(78);

// A deterministic register filled to capacity: 1200 active publishers, 150 inactive, 100 non-publishers,
// 40 moved and 19 deleted; 20 groups, elders, servants, pioneers, families and e-mail addresses.
struct FullRegister {
    FullRegister() {
        db.SetCount(kDatabaseCapacity);
        const WorkingMonth month = WorkingMonthFor(2024, 3, 5);
        bench::Lcg next(12345);
        for (RecordNumber r = 1; r < kDatabaseCapacity; ++r) {
            PublisherRecord& p = db.Record(r);
            const int i = r - 1;
            p.SetFirstName(kFirstNames[next(kFirstNames.size())]);
            p.SetLastName(kLastNames[next(kLastNames.size())]);
            p.SetId(static_cast<PublisherId>(100 + i));
            p.SetCategory(i < 1200   ? PublisherCategory::Publisher
                          : i < 1350 ? PublisherCategory::Inactive
                          : i < 1450 ? PublisherCategory::NonPublisher
                          : i < 1490 ? PublisherCategory::Moved
                                     : PublisherCategory::Deleted);
            p.SetGroup(1 + i % 20);
            p.SetAddress("ul. " + std::string(kLastNames[next(kLastNames.size())]) + "a " +
                         std::to_string(1 + next(120)) + " m. " + std::to_string(1 + next(60)) + ", 30-" +
                         std::to_string(100 + next(800)) + " Kraków");
            if (next(3) != 0)
                p.SetPhone1("12 " + std::to_string(100 + next(900)) + " " + std::to_string(10 + next(90)) + " " +
                            std::to_string(10 + next(90)));
            p.SetPhone2(std::to_string(500 + next(300)) + " " + std::to_string(100 + next(900)) + " " +
                        std::to_string(100 + next(900)));
            if (next(4) == 0)
                p.SetPhone3("22 " + std::to_string(100 + next(900)) + " " + std::to_string(1000 + next(9000)));
            if (next(12) == 0)
                p.SetAppointment(Appointment::Elder);
            else if (next(10) == 0)
                p.SetAppointment(Appointment::MinisterialServant);
            if (next(8) == 0)
                p.SetRow(MonthRow::Pioneer, month.monthIndex, month.SlotOf(month.monthIndex), 2);
            if (i % 5 == 0 && i < 1200)
                p.SetHeadOfFamily(true);
            else if (i % 5 <= 2 && i < 1450)
                p.SetFamilyHead(static_cast<PublisherId>(100 + i - i % 5));
            if (next(2) == 0)
                emails[p.Id()] = "osoba" + std::to_string(i) + "@przyklad.pl";
        }
        db.SortRecords();
        db.RebuildIndex();
        groups.SetCount(20);
        for (int g = 0; g < 20; ++g) {
            (void)groups.SetOverseer(g, "Jan Kowalski");
            (void)groups.SetAssistant(g, "Piotr Nowak");
            groups.SetMeetingDay(g, g % 7);
            (void)groups.SetTime(g, "18:00");
        }
        source.database = &db;
        source.groups = &groups;
        source.workingMonth = month;
        source.emails = emails;
    }

    PublisherDatabase db;
    GroupTable groups;
    EmailTable emails;
    ListSource source;
};

const FullRegister& Register() {
    static const FullRegister full;
    return full;
}

constexpr std::array kKinds = {ReportKind::PhoneCongregation,   ReportKind::AddressCongregation,
                               ReportKind::ContactCongregation, ReportKind::PhoneEmailCongregation,
                               ReportKind::GroupListsAll,       ReportKind::PhoneEldersServants,
                               ReportKind::AddressInactive};

ReportKind KindOf(const benchmark::State& state) {
    return kKinds[static_cast<std::size_t>(state.range(0))];
}

// Layout and drawing of the whole sheet at printer resolution, without a painter.
void BM_ListLayout(benchmark::State& state) {
    const auto report = MakeListReport(KindOf(state), Register().source, 0);
    const int pages = bench::MeasureLayout(state, *report);
    state.SetLabel(std::string(ReportKindName(KindOf(state))) + ", " + std::to_string(pages) + " pages");
}

// The whole report rendered to a PDF file at 600 dpi, every page.
void BM_ListPdf(benchmark::State& state) {
    const auto report = MakeListReport(KindOf(state), Register().source, 0);
    const auto path = std::filesystem::temp_directory_path() / "vardo-lists-bench.pdf";
    const int pages = bench::MeasurePdf(state, *report, path).value_or(0);
    state.SetLabel(std::string(ReportKindName(KindOf(state))) + ", " + bench::PagesAndSize(pages, path));
}

BENCHMARK(BM_ListLayout)->DenseRange(0, kKinds.size() - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListPdf)->DenseRange(0, kKinds.size() - 1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vardo

int main(int argc, char** argv) {
    return vardo::bench::RunReportBenchmarks(argc, argv);
}
