#include "core/store/SpecialNeedsFile.h"

namespace vardo {

SpecialNeedsRecord SpecialNeedsRecord::FromBytes(std::string_view bytes) {
    SpecialNeedsRecord record;
    record.m_bytes = FixedRecord<kSize>::FromBytes(bytes);
    return record;
}

std::vector<std::uint16_t> SpecialNeedsFile::BuildKeyTable(std::string_view fileBytes,
                                                           const KeyReferenced& referenced) {
    constexpr std::size_t kSize = SpecialNeedsRecord::kSize;
    std::vector<std::uint16_t> keys;
    keys.reserve(fileBytes.size() / kSize);
    std::vector<bool> inTable(0x10000, false);
    for (std::size_t offset = 0; offset + kSize <= fileBytes.size(); offset += kSize) {
        std::uint16_t key = SpecialNeedsRecord::FromBytes(fileBytes.substr(offset, kSize)).Key();
        if (inTable[key] || !referenced(key))
            key = 0;
        inTable[key] = true;
        keys.push_back(key);
    }
    return keys;
}

void SpecialNeedsFile::LoadKeyTable(const DataFolder& folder, const KeyReferenced& referenced, Prompter& prompter) {
    m_keys.clear();
    if (const auto bytes = ReadForLoad(folder, prompter))
        m_keys = BuildKeyTable(*bytes, referenced);
}

std::optional<SpecialNeedsRecord> SpecialNeedsFile::Read(const DataFolder& folder, std::uint16_t key) const {
    auto bytes = ReadRecord(folder, key);
    if (!bytes)
        return std::nullopt;
    return SpecialNeedsRecord::FromBytes(bytes.value());
}

Status SpecialNeedsFile::Write(const DataFolder& folder, std::uint16_t key, const SpecialNeedsRecord& record) const {
    return WriteRecord(folder, key, std::string(record.Bytes()));
}

Result<std::uint16_t> SpecialNeedsFile::Add(const DataFolder& folder, const SpecialNeedsRecord& record,
                                            const KeyReferenced& referenced) {
    return AddRecord(folder, std::string(record.Bytes()), referenced);
}

} // namespace vardo
