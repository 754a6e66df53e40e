// libFuzzer target for vdmap.dat: any bytes are read or refused; what is read writes back as 840 bytes that
// read to the same mapping, and a restored mapping names only columns of the header.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzRegister.h"
#include "core/exchange/CsvImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vardo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto map = CsvColumnMap::FromFileBytes(bytes);
    if (!map) {
        fuzz::Check(size != CsvColumnMap::kFileSize);
        return 0;
    }
    const std::vector<std::string> header{"Imię", "Nazwisko", "Głosił(a)", "Kursy", "Godz.", "Uwagi"};
    const CsvColumnMap restored = map.value().RestoredFor(header);
    for (int t = 0; t < kCsvTargets; ++t)
        fuzz::Check(restored.column[static_cast<std::size_t>(t)] < static_cast<int>(header.size()));
    const std::string written = restored.FileBytes();
    fuzz::Check(written.size() == CsvColumnMap::kFileSize);
    const auto again = CsvColumnMap::FromFileBytes(written);
    fuzz::Check(again.ok() && again.value().column == restored.column);
    return 0;
}
