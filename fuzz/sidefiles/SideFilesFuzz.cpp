// libFuzzer target for the side data files: the first byte chooses the file, the rest are its bytes. Any
// bytes load without harm, and what the loaders keep is written back unchanged where no rule changes it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/AppointmentTable.h"
#include "core/store/CardTotals.h"
#include "core/store/EmergencyFile.h"
#include "core/store/ExtensionFile.h"
#include "core/store/GroupTable.h"
#include "core/store/LegacySideFiles.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/NamesOption.h"
#include "core/store/ParticipationFlags.h"
#include "core/store/RemarkTable.h"
#include "core/store/SpecialNeedsFile.h"

namespace {

using namespace vardo;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::string WholeRecords(std::string_view bytes, std::size_t size) {
    return std::string(bytes.substr(0, bytes.size() / size * size));
}

std::vector<PublisherRecord> Persons() {
    std::vector<PublisherRecord> persons(40);
    for (std::size_t i = 0; i < persons.size(); ++i) {
        persons[i].SetId(static_cast<PublisherId>(i < 3 ? i : 100 + i % 30));
        persons[i].SetEmergencyKey(static_cast<std::uint16_t>(10 + i));
        persons[i].SetRow(MonthRow::Hours, static_cast<MonthIndex>(i % 12), static_cast<YearSlot>(i % 2), 1);
    }
    return persons;
}

void Extension(std::string_view bytes) {
    const auto owners = ExtensionFile::ParseOwnerList(bytes);
    Check(owners.size() == bytes.size() / ExtensionRecord::kSize);
    for (std::size_t n = 0; n < owners.size() && n < 50; ++n) {
        const std::string_view raw = bytes.substr(n * ExtensionRecord::kSize, ExtensionRecord::kSize);
        auto record = ExtensionRecord::FromFileBytes(raw);
        (void)record.LongName();
        (void)record.Email();
        (void)record.Extra();
        Check(record.ContentBits() >= 0 && record.ContentBits() < 16);
        std::string expected(raw);
        expected[66] = expected[117] = expected[189] = '\0';
        Check(record.FileBytes() == expected);
        const std::string longName = record.LongName();
        if (record.SetLongName(longName).ok())
            Check(record.LongName() == longName);
    }
}

void Keyed(std::string_view bytes) {
    auto referenced = [](std::uint16_t key) { return key % 3 == 0; };
    const auto compaction = EmergencyFile::Compact(bytes, referenced);
    Check(compaction.bytes.size() == compaction.keys.size() * EmergencyContactRecord::kSize);
    const auto again = EmergencyFile::Compact(compaction.bytes, referenced);
    Check(!compaction.keys.empty() ? !again.changed : true);
    const auto keys = SpecialNeedsFile::BuildKeyTable(bytes, referenced);
    Check(keys.size() == bytes.size() / SpecialNeedsRecord::kSize);
    if (bytes.size() >= EmergencyContactRecord::kSize) {
        const auto contact = EmergencyContactRecord::FromBytes(bytes);
        (void)contact.Name();
        (void)contact.Information();
        (void)contact.HomePhone();
    }
}

void Appointments(std::string_view bytes) {
    auto table = AppointmentTable::FromBytes(bytes);
    std::string whole;
    for (const auto& entry : table.Entries())
        whole.append(entry.Bytes());
    Check(whole == WholeRecords(bytes, AppointmentEntry::kSize));
    const std::string saved = table.SaveBytes();
    Check(AppointmentTable::FromBytes(saved).SaveBytes() == saved);
    if (!table.Entries().empty()) {
        const auto& first = table.Entries().front();
        (void)table.SetAppointment(first.Id(), first.Type(), first.StartDate());
        Check(table.GetAppointment(first.Id(), first.Type()) == first.StartDate() || first.Id() == 0 ||
              first.Type() == 0);
    }
}

void Remarks(std::string_view bytes) {
    const std::string compacted = RemarkTable::CompactBytes(bytes);
    Check(compacted.size() % RemarkEntry::kSize == 0);
    Check(RemarkTable::CompactBytes(compacted) == compacted);
    auto persons = Persons();
    RemarkTable table;
    (void)table.LoadBytes(bytes, persons);
    std::string image(bytes);
    for (std::size_t n = 0; n < table.Count(); ++n)
        RemarkTable::ApplyWriteRule(image, table.Entry(n));
    // In-place rewrites keep a partial last entry; appends replace it.
    Check(image.size() >= WholeRecords(bytes, RemarkEntry::kSize).size());
}

void Participation(std::string_view bytes) {
    auto persons = Persons();
    ParticipationFlags::Apply(bytes, persons);
    const auto before = persons;
    const auto collected = ParticipationFlags::Collect(persons, 24, 2);
    Check(collected.bytes.size() % ParticipationFlags::kEntrySize == 0);
    ParticipationFlags::Apply(collected.bytes, persons);
    // Flags of cells with no hours come back; cells with hours may only lose theirs.
    for (std::size_t i = 0; i < persons.size(); ++i)
        for (int cell = 0; cell < kMonthCells; ++cell) {
            const MonthIndex m = cell / kYearSlots;
            const YearSlot s = cell % kYearSlots;
            if (persons[i].Hours(m, s) == 0 && before[i].StudyWord(m, s) < 4096)
                Check(persons[i].StudyWord(m, s) == before[i].StudyWord(m, s));
        }
}

void WholeFiles(std::string_view bytes) {
    const auto totals = CardTotals::FromBytes(bytes);
    Check(totals.Bytes().substr(0, bytes.size() < CardTotals::kSize ? bytes.size() : CardTotals::kSize) ==
          bytes.substr(0, CardTotals::kSize));
    const auto option = NamesOption::FromBytes(bytes);
    Check(option.Bytes().size() == NamesOption::kSize);

    const auto groups = GroupTable::FromFileBytes(bytes);
    for (int g = 0; g < GroupTable::kMaxGroups; ++g) {
        (void)groups.table.DisplayName(g);
        (void)groups.table.Overseer(g);
        (void)groups.table.Time(g);
    }
    if (!groups.converted) {
        std::string expected(bytes.substr(0, GroupTable::kSize));
        expected.resize(GroupTable::kSize, '\0');
        Check(groups.table.FileBytes() == expected);
    }

    const auto attendance = MeetingAttendance::FromBytes(bytes);
    Check(attendance.FileBytes().size() == 2 * MeetingRecord::kSize);
    Check(MeetingAttendance::FromBytes(attendance.FileBytes()).FileBytes() == attendance.FileBytes());
}

void Legacy(std::string_view bytes) {
    legacy::ConversionMonth when;
    when.yearIndex = static_cast<int>(bytes.size() % 40);
    when.calendarYear = 2000 + when.yearIndex;
    when.todayMonthNumber = static_cast<int>(bytes.size() % 12) + 1;
    when.workingMonthIndex = static_cast<MonthIndex>(bytes.size() % 12);
    when.workingMonthCarried = bytes.size() % 2 == 0;
    auto persons = Persons();
    legacy::ConvertLateMarkers(bytes, persons, when);
    (void)legacy::ConvertCardTotals(bytes, bytes.substr(bytes.size() / 2), when);
    for (const auto& entry : legacy::ConvertRemarks(bytes, when))
        Check(entry.MonthByte() >= 1 && entry.MonthByte() <= 12 && entry.SlotByte() <= 1);
    (void)legacy::ConvertMeetings(bytes, when).FileBytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 7) {
    case 0:
        Extension(bytes);
        break;
    case 1:
        Keyed(bytes);
        break;
    case 2:
        Appointments(bytes);
        break;
    case 3:
        Remarks(bytes);
        break;
    case 4:
        Participation(bytes);
        break;
    case 5:
        WholeFiles(bytes);
        break;
    default:
        Legacy(bytes);
        break;
    }
    return 0;
}
