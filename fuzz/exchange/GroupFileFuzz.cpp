// libFuzzer target for received group report files (.t19): any bytes are read without harm; what is read
// goes through the preview and the import; a refused file changes nothing, and an import changes only the
// matched publishers.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzRegister.h"
#include "core/exchange/GroupReportFile.h"
#include "core/exchange/ReportImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vardo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::FuzzRegister reg;
    const PublisherDatabase::Snapshot before = reg.database.TakeSnapshot();

    const Result<GroupReportData> read = ReadGroupReportFile(bytes);
    if (!read) {
        fuzz::Check(!read.error().empty());
        return 0;
    }
    fuzz::Check(read.value().persons.size() <= static_cast<std::size_t>(GroupReportLayout::kMaxPersons));
    fuzz::Check(read.value().remarks.size() <= static_cast<std::size_t>(GroupReportLayout::kMaxRemarks) + 1);
    const auto persons = IncomingFromGroupFile(read.value(), reg.context);
    if (!persons) {
        fuzz::Check(reg.database.TakeSnapshot().persons == before.persons);
        return 0;
    }
    ReportImport import(reg.context, ImportSource::GroupFile, persons.value());
    for (std::size_t i = 0; i < import.Entries().size(); ++i)
        (void)import.Preview(i);
    const Result<int> stored = import.Import();
    if (!stored)
        fuzz::Check(reg.database.TakeSnapshot().persons == before.persons);
    fuzz::Check(reg.database.Count() == before.count);
    return 0;
}
