#pragma once

// Monthly snapshots: before a month is initialised, the files of the data folder as last saved are copied
// to Roll/Vd9_<n>, n being the calendar number (1..12) of the month whose end they hold. The last six can be
// viewed read-only.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Date.h"
#include "core/platform/Result.h"

namespace vardo {

/// The twelve files of a backup and of a snapshot, in copying order.
inline constexpr std::array<std::string_view, 12> kBackupFileSet = {
    "tdat9.bin",  "xten7.dat",  "remark9.dat", "tappt.dat",   "emerg.dat",   "tcard.dat",
    "spneed.dat", "vardok.ini", "vdxcfg.cfg",  "bkstudy.dat", "meetin9.dat", "tlt15.dat"};

/// Snapshots the past-month menu offers (months 1..6 back).
inline constexpr int kViewableSnapshots = 6;

/// SnapshotNumber of the month `back` months before the working month index m: ((m − back) mod 12) + 1.
constexpr int SnapshotNumber(int workingMonthIndex, int back) {
    return ((workingMonthIndex - back) % 12 + 12) % 12 + 1;
}

/// "Roll/Vd9_<n>", relative to the data folder.
std::string SnapshotFolderName(int number);

/// A snapshot is present when its tdat9.bin opens for reading.
bool IsSnapshotPresent(const DataFolder& dataFolder, int number);

/// A snapshot is current (not to be written again) when its tdat9.bin is readable, larger than 500 bytes and
/// last modified in `workingYear` (the calendar year of the working month) or later.
bool IsSnapshotCurrent(const DataFolder& dataFolder, int number, int workingYear);

/// SnapshotMask: bit i (1..6) set when the snapshot of the month i months before `workingMonthIndex` is
/// present.
std::uint16_t ComputeSnapshotMask(const DataFolder& dataFolder, int workingMonthIndex);

/// The history entry of a written snapshot.
struct SnapshotHistoryEntry {
    /// "<month name of today> <day> <year> (Roll)".
    std::string text;
    /// Full path of the snapshot folder.
    std::filesystem::path path;
};

/// History text of a snapshot written on `today`.
std::string SnapshotHistoryText(const Date& today);

/// What writing a snapshot did.
struct SnapshotOutcome {
    int number = 0;
    /// The folder already held a current snapshot; nothing was written.
    bool keptCurrent = false;
    /// The files were copied; `entry` is to go to the backup history.
    bool written = false;
    SnapshotHistoryEntry entry;
    /// Why the snapshot could not be written in full (folder not created, a file not copied).
    Status status = Status::Ok();
};

/// Write snapshot, for the initialisation of month index `initialisedMonth` (0..11) in the working year
/// `workingYear`: the snapshot of the month before it (number initialisedMonth, 12 for January) is written
/// unless it is current. Each file of the set is copied from the data folder, replacing the snapshot's;
/// a file missing from the data folder is removed from the snapshot, so that no file of an older year stays
/// beside the new ones.
SnapshotOutcome WriteMonthlySnapshot(const DataFolder& dataFolder, int initialisedMonth, int workingYear,
                                     const Date& today);

} // namespace vardo
