// libFuzzer target for tpmap.dat: any bytes read as at most 300 pairs, which write back and read again to
// the same pairs.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzRegister.h"
#include "core/exchange/CsvImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vardo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CsvNameMap map = CsvNameMap::FromFileBytes(bytes);
    fuzz::Check(map.pairs.size() <= CsvNameMap::kMaxPairs);
    const CsvNameMap again = CsvNameMap::FromFileBytes(map.FileBytes());
    fuzz::Check(again.pairs == map.pairs);
    return 0;
}
