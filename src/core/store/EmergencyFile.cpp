#include "core/store/EmergencyFile.h"

namespace vardo {

EmergencyContactRecord EmergencyContactRecord::FromBytes(std::string_view bytes) {
    EmergencyContactRecord record;
    record.m_bytes = FixedRecord<kSize>::FromBytes(bytes);
    return record;
}

EmergencyFile::Compaction EmergencyFile::Compact(std::string_view fileBytes, const KeyReferenced& referenced) {
    constexpr std::size_t kSize = EmergencyContactRecord::kSize;
    Compaction result;
    std::vector<bool> kept(0x10000, false);
    for (std::size_t offset = 0; offset + kSize <= fileBytes.size(); offset += kSize) {
        auto record = EmergencyContactRecord::FromBytes(fileBytes.substr(offset, kSize));
        if (kept[record.Key()])
            record.SetKey(0);
        if (!referenced(record.Key()))
            continue;
        kept[record.Key()] = true;
        result.keys.push_back(record.Key());
        result.bytes.append(record.Bytes());
    }
    result.changed = !result.keys.empty() && result.bytes != fileBytes;
    return result;
}

void EmergencyFile::CompactAtStartup(const DataFolder& folder, const KeyReferenced& referenced, Prompter& prompter) {
    m_keys.clear();
    const auto bytes = ReadForLoad(folder, prompter);
    if (!bytes)
        return;
    auto compaction = Compact(*bytes, referenced);
    if (compaction.keys.empty()) {
        // Nothing referenced: the file stays; new contacts take its positions from 0 on.
        return;
    }
    if (compaction.changed && !m_guard.Blocked()) {
        if (Status written = folder.WriteAtomic(kFileName, compaction.bytes); !written) {
            // The file stays as it was; its positions are the raw ones.
            m_keys = RawKeys(*bytes);
            return;
        }
    } else if (compaction.changed) {
        m_keys = RawKeys(*bytes);
        return;
    }
    m_keys = std::move(compaction.keys);
}

void EmergencyFile::LoadKeyTable(const DataFolder& folder, Prompter& prompter) {
    m_keys.clear();
    if (const auto bytes = ReadForLoad(folder, prompter))
        m_keys = RawKeys(*bytes);
}

std::optional<EmergencyContactRecord> EmergencyFile::Read(const DataFolder& folder, std::uint16_t key) const {
    auto bytes = ReadRecord(folder, key);
    if (!bytes)
        return std::nullopt;
    return EmergencyContactRecord::FromBytes(bytes.value());
}

Status EmergencyFile::Write(const DataFolder& folder, std::uint16_t key, const EmergencyContactRecord& record) const {
    return WriteRecord(folder, key, std::string(record.Bytes()));
}

Result<std::uint16_t> EmergencyFile::Add(const DataFolder& folder, const EmergencyContactRecord& record,
                                         const KeyReferenced& referenced) {
    return AddRecord(folder, std::string(record.Bytes()), referenced);
}

} // namespace vardo
