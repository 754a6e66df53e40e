#pragma once

// String-table ids of the month cycle, report entry, history and pioneer lists.

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

inline constexpr int kStrChangeMonth = 1022;        ///< "Zmień &miesiąc (spóźnione sprawozdania)"
inline constexpr int kStrMinisterialServant = 1023; ///< "Sługa pomocniczy"
inline constexpr int kStrElder = 1024;              ///< "Starszy"
inline constexpr int kStrBaptizedBrother = 1025;    ///< "Ochrzczony Brat"
inline constexpr int kStrAlreadyEntered = 1029;     ///< "- UWAGA -   Już księgowałeś czas za %1 dla : %2."
inline constexpr int kStrNotAddedToReport = 1030;   ///< "Zmiany nie będą dodane do sprawozdania za miesiąc %1."
inline constexpr int kStrVisibleInReport = 1031;    ///< "Wszystkie zmiany będą widoczne w sprawozdaniu za ..."
inline constexpr int kStrRemarksFull = 1032;        ///< "Zabrakło miejsca na UWAGI"
inline constexpr int kStrAddButton = 1043;          ///< "<<<    &Dodaj    <<<"
inline constexpr int kStrRemoveButton = 1044;       ///< ">>>  &Usuń  >>>"
inline constexpr int kStrGroupLabel = 1058;         ///< "Grupa"
inline constexpr int kStrTotalsPublishers = 1060;   ///< "Głosiciele"
inline constexpr int kStrActivePublishers = 1139;   ///< "Głosiciele czynni"
inline constexpr int kStrAuxiliaryPioneers = 1145;  ///< "Pionierzy Pomocniczy"
inline constexpr int kStrRegularPioneers = 1142;    ///< "Pionierzy stali"
inline constexpr int kStrEntryListTitle = 1188;     ///< "%1 Księgowanie Czasu"
inline constexpr int kStrSpecialNotIncluded = 1194; ///< "Pionierzy specjalni NIE SĄ WŁĄCZANI ..."
inline constexpr int kStrSpecialPioneer = 1282;     ///< "Pionier specjalny"
inline constexpr int kStrSpecialPioneers = 1403;    ///< "Pionierzy specjalni"
inline constexpr int kStrAddReportFrom = 1408;      ///< "Dodaj raport z %1 ->"
inline constexpr int kStrHoursLabel = 1417;         ///< "Godz."
inline constexpr int kStrStudiesLabel = 1419;       ///< "Kursy b."
inline constexpr int kStrTotalsPioneers = 1446;     ///< "Pionierzy (Peł i Spe)"
inline constexpr int kStrCloseMonthButton = 1450;   ///< "ZAMKNIJ listę raportów za %1 (raportowanie ZAKOŃCZONE)"
inline constexpr int kStrTotalsActive = 1490;       ///< "Głosiciele czynni"
inline constexpr int kStrParticipationTip = 1495;   ///< "W danym miesiącu brał udział w ..."
inline constexpr int kStrFieldMissionary = 1497;    ///< "Misjonarz terenowy"
inline constexpr int kStrRegularPioneer = 9700;     ///< "Pionier Stały"
inline constexpr int kStrIntegerRange = 9701;       ///< "Please enter an integer between %1 and %2."
inline constexpr int kStrTotalsHint = 9702;         ///< "Sumy powinny pasować do sprawozdań ..."
inline constexpr int kStrBadHoursText = 9703;       ///< hours text that is no number with .25/.5/.75
inline constexpr int kStrMonthNotStored = 9704;     ///< a month outside the 24 stored months
inline constexpr int kStrManyHoursPublisher = 9710; ///< plausibility: hours over 100
inline constexpr int kStrManyHoursPioneer = 9711;   ///< plausibility: hours over 150
inline constexpr int kStrManyStudies = 9712;        ///< plausibility: studies over 20
inline constexpr int kStrHoursInNewFormat = 9713;   ///< plausibility: a publisher's hours, newer format
inline constexpr int kStrBeforeBaptism = 9714;      ///< plausibility: month before the baptism
inline constexpr int kStrAfterMoving = 9715;        ///< plausibility: month after moving away
inline constexpr int kStrWarningPrefix = 9716;      ///< "Uwaga: "

} // namespace vardo
