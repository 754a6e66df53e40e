#pragma once

// The files a backup, a restore and a monthly snapshot copy, and the copies themselves.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Date.h"
#include "core/platform/Result.h"
#include "core/exchange/MonthlySnapshot.h"

namespace vardo {

/// The twelve data files of the `BackupFileSet`, in backup order (tdat9.bin first).
const std::array<std::string_view, 12>& BackupFileNames();
/// The seven files of the older data version, deleted with the set when a folder other than the data folder
/// is cleared.
const std::array<std::string_view, 7>& OlderVersionFileNames();

/// Months of snapshots a backup carries (1..6 months back).
inline constexpr int kRollMonths = 6;
/// A folder counts as holding a copy when its tdat9.bin is larger than this many bytes.
inline constexpr std::uint64_t kMinimumDatabaseSize = 500;

/// Name of a backup set made at `now`: "Vd9_HHMM_20yyMonDD" ("Vd9_1430_2024Mar05").
std::string BackupSetName(const DateTime& now);
/// True when the last component of `path` (a final '/' or '\' ignored) begins with "Vd9_".
bool IsBackupSetPath(std::string_view path);
/// True when `folder`'s tdat9.bin is larger than kMinimumDatabaseSize bytes.
bool HoldsDatabase(const DataFolder& folder);

/// Sum of the sizes of the twelve files in `folder`; a missing file counts 0.
std::uint64_t FileSetSize(const DataFolder& folder);

/// Told the name of each file before it is copied.
using CopyProgress = std::function<void(std::string_view fileName)>;

/// Copies the twelve files from `from` into the existing folder `to`, replacing files there; a missing source
/// is skipped. Each copy is checked against its source (size and checksum); the first copy that fails or
/// differs ends the copy with a message naming the file.
Status CopyFileSet(const DataFolder& from, const DataFolder& to, const CopyProgress& progress = {});

/// Deletes the twelve files of `folder` (and, with `withOlderVersion`, the seven older-version files);
/// missing files are no error.
Status ClearFileSet(const DataFolder& folder, bool withOlderVersion);

/// Roll copy out of the data folder: for each month i (1..6) whose bit is set in `snapshotMask`, the snapshot
/// <data>/Roll/Vd9_<n> is copied into <target>/Roll/Vd9_<n>. <target>/Roll is created in any case.
Status CopyRollOut(const DataFolder& data, const DataFolder& target, int workingMonthIndex, std::uint16_t snapshotMask,
                   const CopyProgress& progress = {});
/// Roll copy into a folder: for each of the six months whose snapshot in <source>/Roll/Vd9_<n> has a
/// tdat9.bin, the snapshot is copied into <target>/Roll/Vd9_<n>. Returns the mask of the months copied.
Result<std::uint16_t> CopyRollIn(const DataFolder& source, const DataFolder& target, int workingMonthIndex,
                                 const CopyProgress& progress = {});

} // namespace vardo
