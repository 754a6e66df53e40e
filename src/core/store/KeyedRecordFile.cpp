#include "core/store/KeyedRecordFile.h"

#include <algorithm>
#include <memory>

#include "core/platform/Strings.h"
#include "core/store/FixedFile.h"

namespace vardo {
namespace {

KeyReferenced KeysOf(std::span<const PublisherRecord> persons, std::uint16_t (PublisherRecord::*key)() const) {
    auto keys = std::make_shared<std::vector<std::uint16_t>>();
    keys->reserve(persons.size());
    for (const auto& person : persons)
        keys->push_back((person.*key)());
    std::sort(keys->begin(), keys->end());
    return [keys](std::uint16_t k) { return std::binary_search(keys->begin(), keys->end(), k); };
}

void PutKey(std::string& bytes, std::uint16_t key) {
    bytes[0] = static_cast<char>(key & 0xFF);
    bytes[1] = static_cast<char>(key >> 8);
}

} // namespace

KeyReferenced EmergencyKeysOf(std::span<const PublisherRecord> persons) {
    return KeysOf(persons, &PublisherRecord::EmergencyKey);
}

KeyReferenced SpecialNeedsKeysOf(std::span<const PublisherRecord> persons) {
    return KeysOf(persons, &PublisherRecord::SpecialNeedsKey);
}

std::optional<std::size_t> KeyedRecordFile::PositionOf(std::uint16_t key) const {
    if (key < kFirstKey)
        return std::nullopt;
    const auto it = std::find(m_keys.begin(), m_keys.end(), key);
    if (it == m_keys.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - m_keys.begin());
}

std::optional<std::uint16_t> KeyedRecordFile::NextFreeKey(const KeyReferenced& referenced) const {
    std::vector<std::uint16_t> used(m_keys);
    std::sort(used.begin(), used.end());
    for (std::uint32_t key = kFirstKey; key <= 0xFFFF; ++key) {
        const auto k = static_cast<std::uint16_t>(key);
        if (!std::binary_search(used.begin(), used.end(), k) && !referenced(k))
            return k;
    }
    return std::nullopt;
}

std::optional<std::string> KeyedRecordFile::ReadForLoad(const DataFolder& folder, Prompter& prompter) {
    return ReadRecordsForLoad(folder, m_fileName, m_recordSize, m_guard, prompter);
}

std::vector<std::uint16_t> KeyedRecordFile::RawKeys(std::string_view bytes) const {
    std::vector<std::uint16_t> keys;
    keys.reserve(bytes.size() / m_recordSize);
    for (std::size_t offset = 0; offset + m_recordSize <= bytes.size(); offset += m_recordSize)
        keys.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                                  (static_cast<unsigned char>(bytes[offset + 1]) << 8)));
    return keys;
}

Result<std::string> KeyedRecordFile::ReadRecord(const DataFolder& folder, std::uint16_t key) const {
    const auto position = PositionOf(key);
    if (!position)
        return Result<std::string>::Fail(FormatArgs(Str(StrId::RecordNotFound), {m_fileName, std::to_string(key)}));
    auto bytes = folder.ReadAll(m_fileName);
    if (!bytes)
        return Result<std::string>::Fail(bytes.error());
    const std::size_t offset = *position * m_recordSize;
    if (offset + m_recordSize > bytes.value().size())
        return Result<std::string>::Fail(FormatArgs(Str(StrId::RecordNotFound), {m_fileName, std::to_string(key)}));
    return bytes.value().substr(offset, m_recordSize);
}

Status KeyedRecordFile::WriteRecord(const DataFolder& folder, std::uint16_t key, std::string bytes) const {
    if (Status guard = m_guard.Check(m_fileName); !guard)
        return guard;
    const auto position = PositionOf(key);
    if (!position)
        return Status::Fail(FormatArgs(Str(StrId::RecordNotFound), {m_fileName, std::to_string(key)}));
    bytes.resize(m_recordSize, '\0');
    PutKey(bytes, key);
    return folder.WriteAt(m_fileName, *position * m_recordSize, bytes);
}

Result<std::uint16_t> KeyedRecordFile::AddRecord(const DataFolder& folder, std::string bytes,
                                                 const KeyReferenced& referenced) {
    if (Status guard = m_guard.Check(m_fileName); !guard)
        return Result<std::uint16_t>::Fail(guard);
    const auto key = NextFreeKey(referenced);
    if (!key)
        return Result<std::uint16_t>::Fail(FormatArgs(Str(StrId::NoFreeKey), {m_fileName}));
    bytes.resize(m_recordSize, '\0');
    PutKey(bytes, *key);

    const auto freeSlot = std::find(m_keys.begin(), m_keys.end(), std::uint16_t{0});
    const std::size_t position = static_cast<std::size_t>(freeSlot - m_keys.begin());
    if (freeSlot == m_keys.end() && m_keys.size() >= m_capacity)
        return Result<std::uint16_t>::Fail(FormatArgs(Str(StrId::FileFull), {m_fileName, std::to_string(m_capacity)}));

    // Appending goes to the end of the whole records, so a partial last record (preserved at load) cannot
    // shift the records that follow.
    Status written = position == 0 && !folder.Exists(m_fileName)
                         ? folder.WriteAtomic(m_fileName, bytes)
                         : folder.WriteAt(m_fileName, position * m_recordSize, bytes);
    if (!written)
        return Result<std::uint16_t>::Fail(written);
    if (freeSlot == m_keys.end())
        m_keys.push_back(*key);
    else
        *freeSlot = *key;
    return *key;
}

} // namespace vardo
