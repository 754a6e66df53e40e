// libFuzzer target for the register file: any bytes load as tdat9.bin without harm; the loaded register is
// in name order with its index complete; what is saved loads back to the same count, and once loaded and
// saved a second time the file no longer changes (unless several overseer records keep swapping).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/platform/Prompter.h"
#include "core/store/DatabaseFile.h"
#include "core/store/PublisherDatabase.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

vardo::PublisherDatabase& Database() {
    static vardo::PublisherDatabase db;
    return db;
}

std::string LoadAndSave(std::string_view bytes, vardo::Prompter& prompter) {
    vardo::PublisherDatabase& db = Database();
    vardo::ReadDatabaseBytes(db, bytes);
    vardo::FinishDatabaseLoad(db, &prompter);
    return vardo::DatabaseFileBytes(db);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vardo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ScriptedPrompter prompter;
    PublisherDatabase& db = Database();

    const ParseOutcome outcome = ReadDatabaseBytes(db, bytes);
    const std::size_t records = (size + kRecordSize - 1) / kRecordSize;
    Check(outcome.records + outcome.dropped == static_cast<int>(records));
    Check(db.Count() == outcome.records && db.Count() <= kDatabaseCapacity);
    FinishDatabaseLoad(db, &prompter);

    Check(db.Count() >= 1);
    Check(db.Header().StorageMarker() == HeaderRecord::kPlainMarker);
    Check(static_cast<int>(db.Index().size()) == db.PersonCount());
    int overseers = 0;
    for (RecordNumber i = 1; i < db.Count(); ++i) {
        overseers += db.Record(i).Category() == PublisherCategory::CircuitOverseer ? 1 : 0;
        if (i + 1 < db.Count() && db.Record(i).Category() != PublisherCategory::CircuitOverseer)
            Check(db.CompareRecords(i, i + 1) <= 0);
        Check(db.Index()[static_cast<std::size_t>(i - 1)].recordNumber == i);
        (void)db.DisplayName(static_cast<PersonRef>(i), true);
    }
    std::size_t listed = 0;
    for (int c = 0; c < kListedCategories; ++c)
        listed += db.List(static_cast<PublisherCategory>(c)).size();
    Check(listed + static_cast<std::size_t>(overseers) <= db.Index().size());

    const std::string first = DatabaseFileBytes(db);
    Check(first.size() == static_cast<std::size_t>(db.Count()) * kRecordSize);
    const std::string second = LoadAndSave(first, prompter);
    Check(second.size() == first.size());
    if (overseers <= 1) {
        const std::string third = LoadAndSave(second, prompter);
        Check(third == second);
    }
    return 0;
}
