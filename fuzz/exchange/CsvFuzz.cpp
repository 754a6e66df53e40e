// libFuzzer target for CSV report files: any bytes parse or are refused with the message; the mapped lines
// go through the preview and the import; a failed import changes nothing.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzRegister.h"
#include "core/exchange/CsvImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vardo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Result<CsvTable> table = ParseCsv(bytes);
    if (!table) {
        fuzz::Check(!table.error().empty());
        return 0;
    }
    fuzz::Check(table.value().header.size() >= 4 && !table.value().rows.empty());
    fuzz::FuzzRegister reg;
    const PublisherDatabase::Snapshot before = reg.database.TakeSnapshot();
    for (int layout = 0; layout < 2; ++layout) {
        CsvColumnMap map;
        const auto& header = table.value().header;
        if (layout == 0) {
            map.Map(CsvTarget::FirstName, 0, header);
            map.Map(CsvTarget::LastName, 1, header);
        } else {
            map.Map(CsvTarget::NameLastFirst, 0, header);
            map.participatedWhenHours = true;
        }
        map.Map(CsvTarget::Participated, 2, header);
        map.Map(CsvTarget::Hours, 3, header);
        map.Map(CsvTarget::Studies, static_cast<int>(header.size()) - 2, header);
        map.Map(CsvTarget::Remark, static_cast<int>(header.size()) - 1, header);
        const CsvReports reports = BuildCsvReports(table.value(), map, CsvNameMap{}, reg.context);
        for (const IncomingPerson& person : reports.persons) {
            const ReportCell cell = person.values.Cell(1, 1);
            fuzz::Check(cell.hours <= 739 && cell.BibleStudies() <= 499);
        }
        ReportImport import(reg.context, ImportSource::Csv, reports.persons);
        const Result<int> stored = import.Import();
        if (!stored)
            fuzz::Check(reg.database.TakeSnapshot().persons == before.persons);
    }
    return 0;
}
