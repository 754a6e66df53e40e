#include "core/exchange/BackupHistory.h"

#include <algorithm>

#include "core/exchange/BackupFileSet.h"
#include "core/platform/CodePage.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

std::string_view Field(std::string_view record, std::size_t offset, std::size_t width) {
    std::string_view field = record.substr(offset, width);
    return field.substr(0, std::min(field.find('\0'), field.size()));
}

// Cuts UTF-8 text converted to Windows-1250 so that it leaves room for the terminating zero.
std::string TextBytes(std::string_view utf8) {
    std::string bytes = codepage::Utf8ToCp1250(utf8).text;
    if (bytes.size() > BackupHistory::kTextSize - 1)
        bytes.resize(BackupHistory::kTextSize - 1);
    return bytes;
}

} // namespace

bool BackupHistoryEntry::IsValid() const {
    if (path.empty())
        return false;
    const DataFolder folder{std::filesystem::path(path)};
    return folder.IsFolder("") && HoldsDatabase(folder);
}

BackupHistory BackupHistory::Load(const DataFolder& data) {
    const auto bytes = data.ReadAll(kFileName);
    return bytes ? Parse(bytes.value()) : BackupHistory();
}

BackupHistory BackupHistory::Parse(std::string_view bytes) {
    BackupHistory history;
    for (int i = 0; i < kEntries; ++i) {
        const std::size_t offset = static_cast<std::size_t>(i) * kEntrySize;
        if (offset + kEntrySize > bytes.size())
            break;
        const std::string_view record = bytes.substr(offset, kEntrySize);
        BackupHistoryEntry& entry = history.m_entries[static_cast<std::size_t>(i)];
        entry.text = codepage::Cp1250ToUtf8(Field(record, 0, kTextSize));
        entry.path = std::string(Field(record, kTextSize, kPathSize));
    }
    return history;
}

std::string BackupHistory::Serialize() const {
    std::string bytes(kEntries * kEntrySize, '\0');
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const std::string text = TextBytes(m_entries[i].text);
        bytes.replace(i * kEntrySize, text.size(), text);
        const std::string& path = m_entries[i].path;
        bytes.replace(i * kEntrySize + kTextSize, std::min(path.size(), kPathSize - 1), path, 0, kPathSize - 1);
    }
    return bytes;
}

Status BackupHistory::Save(const DataFolder& data) const {
    return data.WriteAtomic(kFileName, Serialize());
}

std::vector<int> BackupHistory::ValidIndexes() const {
    std::vector<int> indexes;
    for (int i = 0; i < kEntries; ++i)
        if (Entry(i).IsValid())
            indexes.push_back(i);
    return indexes;
}

Status BackupHistory::PushFront(const BackupHistoryEntry& entry) {
    // A cut path would name another folder; such an entry is not recorded at all.
    if (entry.path.size() > kPathSize - 1 || entry.path.find('\0') != std::string::npos)
        return Status::Fail(FormatArgs(Str(StrId::HistoryPathTooLong), {entry.path}));
    std::move_backward(m_entries.begin(), m_entries.end() - 1, m_entries.end());
    m_entries.front() = entry;
    return Status::Ok();
}

Status BackupHistory::Push(const DataFolder& data, const BackupHistoryEntry& entry) {
    BackupHistory history = Load(data);
    if (Status pushed = history.PushFront(entry); !pushed)
        return pushed;
    return history.Save(data);
}

std::string BackupHistoryText(const DateTime& now) {
    static constexpr const char* kWeekdays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                "Friday", "Saturday", "Sunday"};
    static constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};
    const int month = now.date.month >= 1 && now.date.month <= 12 ? now.date.month - 1 : 0;
    const int hour12 = now.hour % 12 == 0 ? 12 : now.hour % 12;
    return FormatPrintf("%s, %s %02d, %d %d:%02d %s", kWeekdays[now.date.DayOfWeek()], kMonths[month], now.date.day,
                        now.date.year, hour12, now.minute, now.hour < 12 ? "AM" : "PM");
}

} // namespace vardo
