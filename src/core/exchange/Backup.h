#pragma once

// Making a backup set, and the question to make one before an import.

#include <cstdint>
#include <string>

#include "core/exchange/BackupFileSet.h"
#include "core/platform/Clock.h"
#include "core/platform/DataFolder.h"
#include "core/platform/Date.h"
#include "core/platform/IniFile.h"
#include "core/platform/Prompter.h"

namespace vardo {

/// What a backup needs. The caller saves the document first, so that the files on disk are current.
struct BackupRequest {
    DataFolder data;         ///< the data folder
    std::string destination; ///< the folder that receives the set (UTF-8; a final '/' or '\' is allowed)
    DateTime now;            ///< the time the set's name and history text are made from
    int workingMonthIndex = 0;
    std::uint16_t snapshotMask = 0; ///< months whose snapshots go along (see ComputeSnapshotMask)
    CopyProgress progress;          ///< told every file name before it is copied
};

struct BackupOutcome {
    enum class Kind {
        Created,      ///< the set is complete and in the history
        FolderExists, ///< a set of the same minute exists there; nothing copied
        Failed,       ///< nothing left behind; `message` says why
    };
    Kind kind = Kind::Failed;
    std::string folder;  ///< the full path of the set (also when it exists already)
    std::string message; ///< the reason of a failure; for Created, a history entry that could not be written
};

/// Prefix of the folder a set is written into before it is renamed to its name; such a folder is never listed
/// and leftovers of an interruption are removed by the next backup to the same destination.
inline constexpr std::string_view kBackupTempPrefix = ".vardo-backup-";

/// Makes the set <destination>/Vd9_HHMM_20yyMonDD: the twelve files, the snapshots of `snapshotMask` under
/// Roll, every copy checked against its source. The set is written into a temporary folder beside it and
/// renamed into place only when complete, then pushed onto the data folder's `buhist.dat`.
BackupOutcome MakeBackup(const BackupRequest& request);

/// Full path of the set a backup at `now` makes in `destination`: exactly one '/' before the name.
std::string BackupSetPath(std::string_view destination, const DateTime& now);

/// The backup keys of the settings file: section "Kopia Zapasowa", keys "Ścieżka" (the last destination)
/// and "Last" (the date of the last backup, "YYYY-MM-DD").
std::string LastBackupDestination(const IniFile& settings);
std::string LastBackupDate(const IniFile& settings);
void RecordBackupInSettings(IniFile& settings, std::string_view destination, const Date& date);

/// The question before an import: when the last backup is not from today, asks 1412 (Yes/No). True when the
/// user wants a backup first (the caller then saves and opens the backup dialog); the import goes on either
/// way.
bool AskBackupBeforeImport(const Clock& clock, const IniFile& settings, Prompter& prompter);

} // namespace vardo
