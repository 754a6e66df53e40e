#pragma once

// Restoring a backup set into the data folder, the undo of the last restore, and the recovery of a restore
// that was interrupted.
//
// A restore is all or nothing. The incoming set is staged in <data>/restore_new and the current data in
// <data>/unrestore_tmp; a journal file in the data folder then records that the switch begins, the staged
// files are renamed into place, unrestore_tmp becomes unrestore (the undo folder) and the journal is
// removed. An interruption before the switch is rolled back, one during it is completed, by
// RecoverInterruptedRestore at the next opening of the folder.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/exchange/BackupFileSet.h"
#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"

namespace vardo {

inline constexpr std::string_view kUndoRestoreFolder = "unrestore";
inline constexpr std::string_view kUndoRestoreTempFolder = "unrestore_tmp";
inline constexpr std::string_view kRestoreStageFolder = "restore_new";
inline constexpr std::string_view kRestoreJournal = "restore.jnl";

struct RestoreRequest {
    DataFolder data;    ///< the data folder
    std::string source; ///< the folder of the backup set; <data>/unrestore undoes the last restore
    int workingMonthIndex = 0;
    /// Asks for the password of a protected backup (the backup's stored password, UTF-8); true when the
    /// right one was given. Without it a protected backup is refused.
    std::function<bool(std::string_view storedPassword)> checkPassword;
    CopyProgress progress; ///< told every file name before it is copied
};

struct RestoreOutcome {
    enum class Kind {
        Restored,      ///< the data folder holds the set; the replaced data is in unrestore
        NoDatabase,    ///< the source has no readable register; nothing changed
        WrongPassword, ///< the backup's password was not given; nothing changed
        Failed,        ///< nothing changed (or the switch will be completed at the next opening)
    };
    Kind kind = Kind::Failed;
    bool undo = false;   ///< the source was the undo folder
    std::string message; ///< the text for the user when not Restored
};

/// Restores the backup set at `request.source`: the password gate of the set's register, then the twelve
/// files, and the six months' snapshots when the set has a Roll folder (a set without one keeps the data
/// folder's snapshots). The older-version files of the data folder stay. Every copy is checked.
RestoreOutcome RestoreBackup(const RestoreRequest& request);

/// True when <data>/unrestore holds a register to go back to (tdat9.bin larger than 500 bytes).
bool CanUndoRestore(const DataFolder& data);

enum class RecoveryResult { Nothing, RolledBack, Completed, Failed };

/// Finishes or rolls back a restore or undo that was interrupted, as its journal says, and tells the user
/// through `prompter`. Call before anything reads the data folder. On Failed the folder must not be used.
RecoveryResult RecoverInterruptedRestore(const DataFolder& data, Prompter& prompter);

} // namespace vardo
