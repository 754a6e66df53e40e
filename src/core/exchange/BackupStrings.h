#pragma once

// String-table ids of the backup and restore texts.

namespace vardo {

inline constexpr int kStrBackupSection = 1363;      ///< "Kopia Zapasowa"
inline constexpr int kStrBackupPathKey = 1364;      ///< "Ścieżka"
inline constexpr int kStrRestoreCaption = 1365;     ///< "Przywracanie"
inline constexpr int kStrRestoreSourceGroup = 1366; ///< which folder holds the backup to restore
inline constexpr int kStrBackupDestGroup = 1367;    ///< "Miejsce zapisania Kopi Zapasowej "
inline constexpr int kStrClickOkToBackup = 1368;    ///< "Kliknij OK by utworzyć Kopię Zapasową.: %1"
inline constexpr int kStrClickOkToRestore = 1369;   ///< "Kliknij OK by przywrócić Kopię Zapasową.: %1"
inline constexpr int kStrSpaceNeeded = 1370;        ///< "Wymagana przestrzeń"
inline constexpr int kStrNotABackupPlace = 1371;    ///< a backup set refused as destination
inline constexpr int kStrRestoringFile = 1372;      ///< "Przywracam plik %1"
inline constexpr int kStrBackingUpFile = 1373;      ///< "Backing up file: %1"
inline constexpr int kStrBackupCreated = 1379;      ///< "Kopia zapasowa jest utworzona!"
inline constexpr int kStrRetryInOneMinute = 1380;   ///< "Ponów przywracanie w 1 minute."
inline constexpr int kStrClose = 1381;              ///< "Zamknij"
inline constexpr int kStrUndoRestoreText = 1382;    ///< click OK to undo the last restore
inline constexpr int kStrCheckingBackups = 1394;    ///< "Czekaj ...\n\nSprawdzam Kopie"
inline constexpr int kStrBackupFirst = 1412;        ///< back up before an import?

inline constexpr int kStrBackupCaption = 9400;        ///< "Kopia"
inline constexpr int kStrRestoreRolledBack = 9401;    ///< interrupted restore undone
inline constexpr int kStrRestoreRolledForward = 9402; ///< interrupted restore completed
inline constexpr int kStrRecoveryFailed = 9403;       ///< "%1": the reason
inline constexpr int kStrCopyDiffers = 9404;          ///< "%1": the file
inline constexpr int kStrBackupFailed = 9405;         ///< "%1": the reason
inline constexpr int kStrRestoreFailed = 9406;        ///< "%1": the reason
inline constexpr int kStrNoReadableBackup = 9407;     ///< "%1": the folder
inline constexpr int kStrWrongBackupPassword = 9408;  ///< restore refused
inline constexpr int kStrHistoryPathTooLong = 9409;   ///< "%1": the path
inline constexpr int kStrBackupIncomplete = 9410;     ///< "%1": the set, "%2": the file

} // namespace vardo
