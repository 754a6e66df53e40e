#pragma once

// String-table ids of the month cycle.

namespace vardo {

inline constexpr int kStrReportDeadline = 1233;    ///< "Uwaga:  Sprawozdanie należy wysłać ..."
inline constexpr int kStrConfirmErase = 1296;      ///< "Czy na pewno chcesz skasować %s? ..." (printf, twice)
inline constexpr int kStrEraseLateReports = 1349;  ///< "Klicknij OK by wymazać %d raport(y)   " (printf)
inline constexpr int kStrContinueMonth = 1451;     ///< "KONTYNUUJ wprowadzanie sprawozdań za %1"
inline constexpr int kStrStartMonth = 1452;        ///< "INICJUJ RAPORTOWANIE za %1"
inline constexpr int kStrRestartMonth = 1454;      ///< "INICJUJ i ponownie wprowadź sprawozdania za %1"
inline constexpr int kStrSnapshotFailed = 9600;    ///< snapshot not written: go on? (%1 folder, %2 reason)
inline constexpr int kStrInitialiseStopped = 9601; ///< initialisation stopped, nothing changed
inline constexpr int kStrPastMonthReadOnly = 9602; ///< a change refused while a past month is viewed
inline constexpr int kStrSnapshotMissing = 9603;   ///< no snapshot of month %1 (folder %2)
inline constexpr int kStrViewPastReports = 9604;   ///< "Zobacz poprzednie raporty"
inline constexpr int kStrBackToMonth = 9605;       ///< "%1 ->": back to the working month
inline constexpr int kStrMonthAlreadyOpen = 9606;  ///< the working month %1 is open already
inline constexpr int kStrMonthNotOpen = 9607;      ///< the working month %1 is not open: cannot close
inline constexpr int kStrMonthButtonAbsent = 9608; ///< the month dialog does not offer that button now
inline constexpr int kStrMonthDialogTitle = 9609;  ///< "Księgowanie czasu"
inline constexpr int kStrDeadlineButton = 9610;    ///< "Uwaga !"

} // namespace vardo
