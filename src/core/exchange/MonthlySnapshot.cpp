#include "core/exchange/MonthlySnapshot.h"

#include <chrono>
#include <ctime>

#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr std::uint64_t kMinCurrentSize = 500;

std::string DatabaseFileOf(int number) {
    return SnapshotFolderName(number) + "/tdat9.bin";
}

// Local calendar year of a file time.
int LocalYear(DataFolder::FileTime time) {
    const auto system = std::chrono::file_clock::to_sys(time);
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr)
        return 0;
    return local.tm_year + 1900;
}

} // namespace

std::string SnapshotFolderName(int number) {
    return "Roll/Vd9_" + std::to_string(number);
}

bool IsSnapshotPresent(const DataFolder& dataFolder, int number) {
    return static_cast<bool>(dataFolder.ReadAll(DatabaseFileOf(number)));
}

bool IsSnapshotCurrent(const DataFolder& dataFolder, int number, int workingYear) {
    const std::string name = DatabaseFileOf(number);
    const auto size = dataFolder.Size(name);
    if (!size || size.value() <= kMinCurrentSize)
        return false;
    const auto modified = dataFolder.ModificationTime(name);
    if (!modified || !IsSnapshotPresent(dataFolder, number))
        return false;
    return LocalYear(modified.value()) - 2000 >= workingYear - 2000;
}

std::uint16_t ComputeSnapshotMask(const DataFolder& dataFolder, int workingMonthIndex) {
    std::uint16_t mask = 0;
    for (int back = 1; back <= kViewableSnapshots; ++back)
        if (IsSnapshotPresent(dataFolder, SnapshotNumber(workingMonthIndex, back)))
            mask = static_cast<std::uint16_t>(mask | (1u << back));
    return mask;
}

std::string SnapshotHistoryText(const Date& today) {
    return FormatPrintf("%s %d %d (Roll)", std::string(MonthName(today.month - 1)).c_str(), today.day, today.year);
}

SnapshotOutcome WriteMonthlySnapshot(const DataFolder& dataFolder, int initialisedMonth, int workingYear,
                                     const Date& today) {
    SnapshotOutcome outcome;
    outcome.number = initialisedMonth == 0 ? 12 : initialisedMonth;
    if (IsSnapshotCurrent(dataFolder, outcome.number, workingYear)) {
        outcome.keptCurrent = true;
        return outcome;
    }
    const std::string folder = SnapshotFolderName(outcome.number);
    if (const Status created = dataFolder.CreateFolder(folder); !created) {
        outcome.status = created;
        return outcome;
    }
    std::string failures;
    for (std::string_view file : kBackupFileSet) {
        const std::string target = folder + "/" + std::string(file);
        const Status copied = dataFolder.Exists(file) ? dataFolder.Copy(file, target) : dataFolder.Remove(target);
        if (!copied)
            failures += (failures.empty() ? "" : "\n") + copied.message();
    }
    if (!failures.empty()) {
        outcome.status = Status::Fail(failures);
        return outcome;
    }
    outcome.written = true;
    outcome.entry.text = SnapshotHistoryText(today);
    outcome.entry.path = dataFolder.Resolve(folder);
    return outcome;
}

} // namespace vardo
