#include "core/store/NamesOption.h"

namespace vardo {

NamesOption NamesOption::FromBytes(std::string_view bytes) {
    NamesOption option;
    option.m_bytes = FixedRecord<kSize>::FromBytes(bytes);
    return option;
}

void NamesOption::SetLastNameFirst(bool on) {
    if (!on)
        m_bytes.SetU8(0, 0);
    else if (m_bytes.U8(0) == 0)
        m_bytes.SetU8(0, 1);
}

void NamesOption::Load(const DataFolder& folder, Prompter& prompter) {
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

Status NamesOption::Save(const DataFolder& folder, Prompter& prompter) const {
    if (Status guard = m_guard.Check(kFileName); !guard) {
        prompter.Message(guard.message(), Severity::Error);
        return guard;
    }
    if (Status written = folder.WriteAtomic(kFileName, m_bytes.Bytes()); !written)
        return ReportCannotCreate(folder, kFileName, prompter);
    return Status::Ok();
}

} // namespace vardo
