// Loading (read, restore, sort, index) and saving the register at typical and full size, with a plain
// fsync'd write of the same bytes beside the save for comparison.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/store/DatabaseFile.h"
#include "core/store/PublisherDatabase.h"
#include "BenchNames.h"

namespace {

using namespace vardo;

constexpr const char* kMaleFirst[] = {"Jan",     "Piotr",  "Krzysztof", "Andrzej",  "Tomasz", "Paweł",
                                      "Michał",  "Marcin", "Łukasz",    "Grzegorz", "Józef",  "Wojciech",
                                      "Mateusz", "Rafał",  "Stanisław", "Zbigniew", "Jerzy",  "Bartłomiej"};
constexpr const char* kFemaleFirst[] = {"Anna",   "Maria",    "Katarzyna", "Małgorzata", "Agnieszka", "Barbara",
                                        "Ewa",    "Krystyna", "Elżbieta",  "Zofia",      "Joanna",    "Łucja",
                                        "Dorota", "Jadwiga",  "Halina",    "Teresa",     "Żaneta",    "Grażyna"};
constexpr const auto& kLast = vardo::bench::kLastNames;
constexpr const char* kStreets[] = {"Kwiatowa",  "Polna",        "Leśna",       "Słoneczna",  "Krótka",
                                    "Szkolna",   "Ogrodowa",     "Lipowa",      "Łąkowa",     "Brzozowa",
                                    "Kościelna", "Sienkiewicza", "Mickiewicza", "Kościuszki", "Długa",
                                    "Parkowa",   "Źródlana",     "Zielona",     "Wrzosowa",   "Świerkowa"};

std::string FeminineOf(const std::string& last) {
    for (const char* ending : {"ski", "cki", "dzki"}) {
        const std::string e(ending);
        if (last.size() > e.size() && last.compare(last.size() - e.size(), e.size(), e) == 0)
            return last.substr(0, last.size() - 1) + "a";
    }
    return last;
}

// A deterministic congregation of `persons` people (the last one the circuit overseer), as saved: sorted,
// texts scrambled.
std::string RegisterBytes(int persons) {
    std::mt19937 random(20240301u + static_cast<unsigned>(persons));
    auto pick = [&random](auto& array) { return array[random() % std::size(array)]; };
    PublisherDatabase db;
    db.SetCount(1);
    for (int i = 0; i < persons; ++i) {
        PublisherRecord r;
        const bool female = random() % 2 == 0;
        const std::string last = pick(kLast);
        r.SetFirstName(female ? pick(kFemaleFirst) : pick(kMaleFirst));
        r.SetLastName(female ? FeminineOf(last) : last);
        r.SetAddress("ul. " + std::string(pick(kStreets)) + " " + std::to_string(1 + random() % 120) + "/" +
                     std::to_string(1 + random() % 40) + ", 00-" + std::to_string(100 + random() % 900) + " Warszawa");
        r.SetPhone2(std::to_string(500000000 + random() % 300000000));
        const int birthYear = 1935 + static_cast<int>(random() % 75);
        r.SetBirthDate(
            RecordDateText(birthYear, 1 + static_cast<int>(random() % 12), 1 + static_cast<int>(random() % 28)));
        r.SetBaptismDate(RecordDateText(std::min(2023, birthYear + 12 + static_cast<int>(random() % 30)),
                                        1 + static_cast<int>(random() % 12), 1 + static_cast<int>(random() % 28)));
        r.SetHope('O');
        r.SetGroup(1 + static_cast<int>(random() % 12));
        r.SetId(static_cast<PublisherId>(100 + i));
        r.SetNeedsFlags(PublisherRecord::kNeedsInitialised);
        r.SetFemale(female);
        r.SetMale(!female);
        const unsigned roll = random() % 100;
        PublisherCategory category = PublisherCategory::Publisher;
        if (i == persons - 1)
            category = PublisherCategory::CircuitOverseer;
        else if (roll >= 80)
            category = static_cast<PublisherCategory>(1 + roll % 4);
        r.SetCategory(category);
        if (category == PublisherCategory::CircuitOverseer)
            r.SetId(kCircuitOverseerId);
        for (int m = 0; m < 12; ++m) {
            for (int s = 0; s < 2; ++s) {
                if (category != PublisherCategory::Publisher)
                    continue;
                ReportCell cell;
                cell.SetPioneer(random() % 10 == 0 ? PioneerCode::Regular : PioneerCode::None);
                cell.hours = static_cast<std::uint16_t>(cell.Pioneer() == PioneerCode::Regular ? 50 + random() % 30
                                                                                               : random() % 20);
                cell.returnVisits = static_cast<std::uint16_t>(random() % 8);
                cell.SetBibleStudies(static_cast<int>(random() % 3));
                cell.SetQuarterHours(static_cast<int>(random() % 4));
                cell.SetFlag(true);
                r.SetCell(m, s, cell);
            }
        }
        // Placed directly: a register read from a file may hold more than an editing session may add.
        db.Record(db.Count()) = r;
        db.SetCount(db.Count() + 1);
    }
    db.SortRecords();
    db.Header().SetSavedMonthNibble(2);
    return DatabaseFileBytes(db);
}

// Same bytes, persons in shuffled order (an older file, or one written by another program).
std::string Shuffled(const std::string& bytes) {
    std::vector<std::string> records;
    for (std::size_t at = kRecordSize; at < bytes.size(); at += kRecordSize)
        records.push_back(bytes.substr(at, kRecordSize));
    std::shuffle(records.begin(), records.end(), std::mt19937(7));
    std::string out = bytes.substr(0, kRecordSize);
    for (const std::string& r : records)
        out += r;
    return out;
}

class ScratchFolder {
public:
    ScratchFolder() : m_path(std::filesystem::temp_directory_path() / ("vardo-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

DatabaseLoadContext February2024() {
    DatabaseLoadContext context;
    context.yearIndex = 24;
    context.workingMonthIndex = 1;
    context.startupMonthIndex = 1;
    context.currentYear = 24;
    context.todayMonth = 3;
    return context;
}

void BM_LoadSortIndex(benchmark::State& state) {
    const int persons = static_cast<int>(state.range(0));
    const bool shuffled = state.range(1) != 0;
    ScratchFolder scratch;
    const DataFolder folder(scratch.Path());
    std::string bytes = RegisterBytes(persons);
    if (shuffled)
        bytes = Shuffled(bytes);
    if (!folder.WriteAtomic("tdat9.bin", bytes)) {
        state.SkipWithError("cannot write the register");
        return;
    }
    PublisherDatabase db;
    DatabaseFile file;
    ScriptedPrompter prompter;
    for (auto _ : state) {
        file.LoadDatabase(db, folder, February2024(), prompter);
        benchmark::DoNotOptimize(db.Index().data());
    }
    if (db.PersonCount() != persons)
        state.SkipWithError("register not loaded whole");
    state.counters["persons"] = db.PersonCount();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_LoadSortIndex)
    ->ArgNames({"persons", "shuffled"})
    ->Args({150, 0})
    ->Args({1509, 0})
    ->Args({1509, 1})
    ->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    const int persons = static_cast<int>(state.range(0));
    ScratchFolder scratch;
    const DataFolder folder(scratch.Path());
    if (!folder.WriteAtomic("tdat9.bin", RegisterBytes(persons))) {
        state.SkipWithError("cannot write the register");
        return;
    }
    PublisherDatabase db;
    DatabaseFile file;
    ScriptedPrompter prompter;
    file.LoadDatabase(db, folder, February2024(), prompter);
    for (auto _ : state) {
        if (!file.SaveDatabase(db, folder, 1, 0, false, prompter)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * db.Count() *
                            static_cast<std::int64_t>(kRecordSize));
}
BENCHMARK(BM_Save)->ArgName("persons")->Arg(150)->Arg(1509)->Unit(benchmark::kMillisecond);

// The floor for a save: the same bytes written to one file and fsync'd.
void BM_RawWriteFsync(benchmark::State& state) {
    const int persons = static_cast<int>(state.range(0));
    ScratchFolder scratch;
    const std::string bytes = RegisterBytes(persons);
    const std::string path = (scratch.Path() / "raw.bin").string();
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            ::fsync(fd) != 0) {
            state.SkipWithError("raw write failed");
            if (fd >= 0)
                ::close(fd);
            break;
        }
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_RawWriteFsync)->ArgName("persons")->Arg(150)->Arg(1509)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
