#pragma once

// String-table ids of the report-entry, history and pioneer-list texts.

namespace vardo {

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
