#include "core/store/MeetingAttendance.h"

#include <cstring>

#include "core/platform/Strings.h"
#include "core/store/FixedFile.h"

namespace vardo {

MeetingRecord MeetingRecord::FromBytes(std::string_view bytes) {
    MeetingRecord record;
    record.m_bytes = FixedRecord<kSize>::FromBytes(bytes);
    return record;
}

void MeetingRecord::ReplaceName(std::string_view utf8) {
    std::string bytes =
        sidetext::Encode(sidetext::CutToCharacters(utf8, kNameWidth - 1), kNameWidth - 1).value_or(std::string());
    bytes.push_back('\0');
    std::memcpy(m_bytes.Data(), bytes.data(), bytes.size());
}

MeetingAttendance MeetingAttendance::FromBytes(std::string_view bytes) {
    MeetingAttendance attendance;
    attendance.m_loadedCount = 0;
    for (std::size_t i = 0; i < kRecords && (i + 1) * MeetingRecord::kSize <= bytes.size(); ++i) {
        attendance.m_records[i] = MeetingRecord::FromBytes(bytes.substr(i * MeetingRecord::kSize));
        ++attendance.m_loadedCount;
    }
    attendance.SetNames();
    return attendance;
}

void MeetingAttendance::SetNames() {
    Record(MeetingKind::Midweek).ReplaceName(Str(StrId::MidweekMeeting));
    Record(MeetingKind::Weekend).ReplaceName(Str(StrId::WeekendMeeting));
}

std::string MeetingAttendance::FileBytes() const {
    std::string bytes;
    for (const auto& record : m_records)
        bytes.append(record.Bytes());
    return bytes;
}

void MeetingAttendance::Load(const DataFolder& folder, Prompter& prompter) {
    m_records = {};
    m_loadedCount = static_cast<int>(kRecords);
    m_guard.Reset();
    SetNames();
    const auto bytes = ReadRecordsForLoad(folder, kFileName, MeetingRecord::kSize, m_guard, prompter);
    if (!bytes)
        return;
    if (bytes->size() % MeetingRecord::kSize == 0 && bytes->size() > kRecords * MeetingRecord::kSize)
        m_guard.Preserve(folder, kFileName, ReasonTooManyRecords(bytes->size() / MeetingRecord::kSize, kRecords),
                         prompter);
    WriteGuard guard = m_guard;
    *this = FromBytes(*bytes);
    m_guard = guard;
}

Status MeetingAttendance::Save(const DataFolder& folder, Prompter& prompter) const {
    return SaveFixedFile(folder, kFileName, FileBytes(), m_guard, prompter);
}

} // namespace vardo
