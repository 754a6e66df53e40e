#include "core/store/CardTotals.h"

#include "core/store/FixedFile.h"

namespace vardo {

CardTotals CardTotals::FromBytes(std::string_view bytes) {
    CardTotals totals;
    totals.m_bytes = FixedRecord<kSize>::FromBytes(bytes);
    return totals;
}

void CardTotals::Load(const DataFolder& folder, Prompter& prompter) {
    LoadFixedFile(folder, kFileName, m_bytes, m_guard, prompter);
}

Status CardTotals::Save(const DataFolder& folder, Prompter& prompter) const {
    return SaveFixedFile(folder, kFileName, m_bytes.Bytes(), m_guard, prompter);
}

} // namespace vardo
