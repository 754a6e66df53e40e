#include "core/store/NamesOption.h"

#include "core/store/FixedFile.h"

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
    LoadFixedFile(folder, kFileName, m_bytes, m_guard, prompter);
}

Status NamesOption::Save(const DataFolder& folder, Prompter& prompter) const {
    return SaveFixedFile(folder, kFileName, m_bytes.Bytes(), m_guard, prompter);
}

} // namespace vardo
