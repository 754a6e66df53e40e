#include "core/store/CardTotals.h"

namespace vardo {

CardTotals CardTotals::FromBytes(std::string_view bytes) {
    CardTotals totals;
    totals.m_bytes = FixedRecord<kSize>::FromBytes(bytes);
    return totals;
}

void CardTotals::Load(const DataFolder& folder, Prompter& prompter) {
    m_bytes.Clear();
    m_guard.Reset();
    auto content = ReadDataFile(folder, kFileName);
    if (!content) {
        m_guard.Preserve(folder, kFileName, ReasonUnreadable(content.error()), prompter);
        return;
    }
    if (!content.value())
        return;
    const std::string& bytes = *content.value();
    if (!bytes.empty() && bytes.size() != kSize)
        m_guard.Preserve(folder, kFileName, ReasonWrongSize(bytes.size(), kSize), prompter);
    m_bytes = FixedRecord<kSize>::FromBytes(bytes);
}

Status CardTotals::Save(const DataFolder& folder, Prompter& prompter) const {
    if (Status guard = m_guard.Check(kFileName); !guard) {
        prompter.Message(guard.message(), Severity::Error);
        return guard;
    }
    if (Status written = folder.WriteAtomic(kFileName, m_bytes.Bytes()); !written)
        return ReportCannotCreate(folder, kFileName, prompter);
    return Status::Ok();
}

} // namespace vardo
