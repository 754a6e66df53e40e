#include "core/store/AppointmentTable.h"

#include <set>
#include <utility>

#include "core/platform/Strings.h"
#include "core/store/FixedFile.h"

namespace vardo {
namespace {

constexpr std::size_t kStartOffset = 6;
constexpr std::size_t kEndOffset = 15;
constexpr std::size_t kDateWidth = 9;
constexpr std::uint16_t kConsent = static_cast<std::uint16_t>(AppointmentType::Consent);

} // namespace

AppointmentEntry AppointmentEntry::FromBytes(std::string_view bytes) {
    AppointmentEntry entry;
    entry.m_bytes = FixedRecord<kSize>::FromBytes(bytes);
    return entry;
}

Status AppointmentEntry::SetStartDate(std::string_view text) {
    return m_bytes.SetText(kStartOffset, kDateWidth, kDateMax, sidetext::CutToCharacters(text, kDateMax));
}

Status AppointmentEntry::SetEndDate(std::string_view text) {
    return m_bytes.SetText(kEndOffset, kDateWidth, kDateMax, sidetext::CutToCharacters(text, kDateMax));
}

std::vector<AppointmentEntry> AppointmentTable::Parse(std::string_view bytes) {
    std::vector<AppointmentEntry> entries;
    entries.reserve(bytes.size() / AppointmentEntry::kSize);
    for (std::size_t offset = 0; offset + AppointmentEntry::kSize <= bytes.size(); offset += AppointmentEntry::kSize)
        entries.push_back(AppointmentEntry::FromBytes(bytes.substr(offset, AppointmentEntry::kSize)));
    return entries;
}

AppointmentTable AppointmentTable::FromBytes(std::string_view bytes) {
    AppointmentTable table;
    table.m_entries = Parse(bytes);
    return table;
}

void AppointmentTable::Load(const DataFolder& folder, Prompter& prompter) {
    m_entries.clear();
    if (const auto bytes = ReadRecordsForLoad(folder, kFileName, AppointmentEntry::kSize, m_guard, prompter))
        m_entries = Parse(*bytes);
}

std::string AppointmentTable::SaveBytes() const {
    std::string bytes;
    std::set<std::pair<PublisherId, std::uint16_t>> written;
    for (const auto& entry : m_entries) {
        if (entry.IsFree())
            continue;
        const auto start = sidetext::Trim(sidetext::UpToNul(entry.Bytes().substr(kStartOffset, kDateWidth)));
        if (start.size() <= 7 && entry.Type() != kConsent)
            continue;
        if (!written.insert({entry.Id(), entry.Type()}).second)
            continue;
        bytes.append(entry.Bytes());
    }
    return bytes;
}

Status AppointmentTable::Save(const DataFolder& folder, Prompter& prompter) const {
    if (m_entries.empty())
        return Status::Ok();
    return SaveFixedFile(folder, kFileName, SaveBytes(), m_guard, prompter);
}

AppointmentEntry* AppointmentTable::Find(PublisherId id, std::uint16_t type) {
    for (auto& entry : m_entries)
        if (entry.Id() == id && entry.Type() == type)
            return &entry;
    return nullptr;
}

const AppointmentEntry* AppointmentTable::Find(PublisherId id, std::uint16_t type) const {
    for (const auto& entry : m_entries)
        if (entry.Id() == id && entry.Type() == type)
            return &entry;
    return nullptr;
}

Result<AppointmentEntry*> AppointmentTable::FindOrAppend(PublisherId id, std::uint16_t type) {
    if (auto* entry = Find(id, type))
        return entry;
    if (m_entries.size() >= kCapacity)
        return Result<AppointmentEntry*>::Fail(
            FormatArgs(Str(StrId::FileFull), {kFileName, std::to_string(kCapacity)}));
    AppointmentEntry entry;
    entry.SetId(id);
    entry.SetType(type);
    m_entries.push_back(entry);
    return &m_entries.back();
}

Status AppointmentTable::SetAppointment(PublisherId id, std::uint16_t type, std::string_view startDate) {
    if (id == 0 || type == 0)
        return Status::Ok();
    auto entry = FindOrAppend(id, type);
    if (!entry)
        return entry.status();
    return entry.value()->SetStartDate(startDate);
}

Status AppointmentTable::SetAppointmentEnd(PublisherId id, std::uint16_t type, std::string_view endDate) {
    if (id == 0 || type == 0)
        return Status::Ok();
    auto entry = FindOrAppend(id, type);
    if (!entry)
        return entry.status();
    return entry.value()->SetEndDate(endDate);
}

std::string AppointmentTable::GetAppointment(PublisherId id, std::uint16_t type) const {
    const auto* entry = Find(id, type);
    return entry ? entry->StartDate() : std::string();
}

std::string AppointmentTable::GetAppointmentEnd(PublisherId id, std::uint16_t type) const {
    const auto* entry = Find(id, type);
    return entry ? entry->EndDate() : std::string();
}

bool AppointmentTable::HasConsent(PublisherId id) const {
    return Find(id, kConsent) != nullptr;
}

void AppointmentTable::ClearConsent(PublisherId id) {
    for (auto& entry : m_entries)
        if (entry.Id() == id && entry.Type() == kConsent)
            entry.SetType(0);
}

} // namespace vardo
