#include "core/exchange/BackupFileSet.h"

#include <filesystem>
#include <system_error>

#include "core/platform/Strings.h"
#include "core/store/AppointmentTable.h"
#include "core/store/CardTotals.h"
#include "core/store/EmergencyFile.h"
#include "core/store/ExtensionFile.h"
#include "core/store/GroupTable.h"
#include "core/store/MeetingAttendance.h"
#include "core/store/NamesOption.h"
#include "core/store/ParticipationFlags.h"
#include "core/store/RemarkTable.h"
#include "core/store/SpecialNeedsFile.h"

namespace vardo {
namespace {

constexpr std::string_view kDatabaseName = "tdat9.bin";
constexpr std::string_view kSettingsName = "vardok.ini";

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

Status VerifiedCopy(const DataFolder& from, const DataFolder& to, std::string_view name) {
    // DataFolder::Copy takes a relative target against the source folder; give it the full path.
    std::error_code ec;
    const std::string target = std::filesystem::absolute(to.Resolve(name), ec).string();
    if (Status copied = from.Copy(name, target); !copied)
        return copied;
    const auto sourceSize = from.Size(name);
    const auto targetSize = to.Size(name);
    const auto sourceSum = from.Checksum(name);
    const auto targetSum = to.Checksum(name);
    if (!sourceSize || !targetSize || !sourceSum || !targetSum || sourceSize.value() != targetSize.value() ||
        sourceSum.value() != targetSum.value())
        return Status::Fail(FormatArgs(Str(StrId::CopyDiffers), {target}));
    return Status::Ok();
}

} // namespace

const std::array<std::string_view, 12>& BackupFileNames() {
    static const std::array<std::string_view, 12> names = {kDatabaseName,
                                                           ExtensionFile::kFileName,
                                                           RemarkTable::kFileName,
                                                           AppointmentTable::kFileName,
                                                           EmergencyFile::kFileName,
                                                           MeetingAttendance::kFileName,
                                                           CardTotals::kFileName,
                                                           SpecialNeedsFile::kFileName,
                                                           kSettingsName,
                                                           NamesOption::kFileName,
                                                           GroupTable::kFileName,
                                                           ParticipationFlags::kFileName};
    return names;
}

const std::array<std::string_view, 7>& OlderVersionFileNames() {
    static const std::array<std::string_view, 7> names = {"tdat7.bin",  "remark7.dat", "oddmo7.dat", "tinac7.dat",
                                                          "tmove7.dat", "tnopu7.dat",  "tdele7.dat"};
    return names;
}

std::string BackupSetName(const DateTime& now) {
    // The months as the C library's %b gives them in its default locale.
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int month = now.date.month >= 1 && now.date.month <= 12 ? now.date.month - 1 : 0;
    return FormatPrintf("Vd9_%02d%02d_20%02d%s%02d", now.hour, now.minute, ((now.date.year % 100) + 100) % 100,
                        kMonths[month], now.date.day);
}

bool IsBackupSetPath(std::string_view path) {
    while (!path.empty() && IsSeparator(path.back()))
        path.remove_suffix(1);
    std::size_t start = path.size();
    while (start > 0 && !IsSeparator(path[start - 1]))
        --start;
    return path.substr(start).starts_with("Vd9_");
}

bool HoldsDatabase(const DataFolder& folder) {
    const auto size = folder.Size(kDatabaseName);
    return size && size.value() > kMinimumDatabaseSize;
}

std::uint64_t FileSetSize(const DataFolder& folder) {
    std::uint64_t total = 0;
    for (const std::string_view name : BackupFileNames())
        if (const auto size = folder.Size(name))
            total += size.value();
    return total;
}

Status CopyFileSet(const DataFolder& from, const DataFolder& to, const CopyProgress& progress) {
    for (const std::string_view name : BackupFileNames()) {
        if (!from.Exists(name))
            continue;
        if (progress)
            progress(name);
        if (Status copied = VerifiedCopy(from, to, name); !copied)
            return copied;
    }
    return Status::Ok();
}

Status ClearFileSet(const DataFolder& folder, bool withOlderVersion) {
    for (const std::string_view name : BackupFileNames())
        if (Status removed = folder.Remove(name); !removed)
            return removed;
    if (withOlderVersion)
        for (const std::string_view name : OlderVersionFileNames())
            if (Status removed = folder.Remove(name); !removed)
                return removed;
    return Status::Ok();
}

Status CopyRollOut(const DataFolder& data, const DataFolder& target, int workingMonthIndex, std::uint16_t snapshotMask,
                   const CopyProgress& progress) {
    if (Status created = target.CreateFolder("Roll"); !created)
        return created;
    for (int i = 1; i <= kRollMonths; ++i) {
        if ((snapshotMask & (1u << i)) == 0)
            continue;
        const std::string folder = SnapshotFolderName(SnapshotNumber(workingMonthIndex, i));
        if (Status created = target.CreateFolder(folder); !created)
            return created;
        if (Status copied = CopyFileSet(data.Sub(folder), target.Sub(folder), progress); !copied)
            return copied;
    }
    return Status::Ok();
}

Result<std::uint16_t> CopyRollIn(const DataFolder& source, const DataFolder& target, int workingMonthIndex,
                                 const CopyProgress& progress) {
    if (Status created = target.CreateFolder("Roll"); !created)
        return Result<std::uint16_t>::Fail(created);
    std::uint16_t copiedMask = 0;
    for (int i = 1; i <= kRollMonths; ++i) {
        const std::string folder = SnapshotFolderName(SnapshotNumber(workingMonthIndex, i));
        const DataFolder from = source.Sub(folder);
        if (!from.Exists(kDatabaseName) || from.IsFolder(kDatabaseName))
            continue;
        if (Status created = target.CreateFolder(folder); !created)
            return Result<std::uint16_t>::Fail(created);
        if (Status copied = CopyFileSet(from, target.Sub(folder), progress); !copied)
            return Result<std::uint16_t>::Fail(copied);
        copiedMask = static_cast<std::uint16_t>(copiedMask | (1u << i));
    }
    return copiedMask;
}

} // namespace vardo
