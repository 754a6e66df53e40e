// libFuzzer target for the older register format: any bytes convert as tdat7.bin (the first two bytes of the
// input choose how much of the rest is read as an older list file instead) without harm, and the converted
// register saves as a tdat9.bin that loads back to the same count.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/platform/Prompter.h"
#include "core/store/DatabaseFile.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/Tdat7Conversion.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vardo;
    static PublisherDatabase db;
    static PublisherDatabase reloaded;
    if (size < 3)
        return 0;
    const std::size_t split = (static_cast<std::size_t>(data[0]) | (static_cast<std::size_t>(data[1]) << 8)) % size;
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string_view legacy = rest.substr(0, std::min(split, rest.size()));
    const std::string_view list = rest.substr(legacy.size());
    const LegacyConversionContext context{static_cast<int>(data[2] % 200), static_cast<MonthIndex>(data[2] % 12),
                                          static_cast<YearByte>(data[2] % 200), 1 + data[2] % 12};

    LegacyYearTags tags{};
    const ParseOutcome outcome = ReadLegacyDatabaseBytes(db, legacy, context, tags);
    Check(db.Count() == outcome.records);
    for (std::uint8_t tag : tags)
        Check(tag == 0 || (tag <= context.currentYear && tag + 3 > context.currentYear));
    const ParseOutcome appended = AppendLegacyListBytes(db, list, PublisherCategory::Moved, tags, context);
    Check(appended.records <= kLegacyListCapacity);
    Check(db.CountCategory(PublisherCategory::Moved) >= appended.records);
    ScriptedPrompter prompter;
    FinishDatabaseLoad(db, &prompter);
    Check(db.Count() >= 1 && db.Count() <= kDatabaseCapacity);

    const std::string saved = DatabaseFileBytes(db);
    ReadDatabaseBytes(reloaded, saved);
    FinishDatabaseLoad(reloaded, &prompter);
    Check(reloaded.Count() == db.Count());
    return 0;
}
