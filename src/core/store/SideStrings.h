#pragma once

// String-table ids of the texts the side data files show or use.

namespace vardo {

inline constexpr int kStrWeekendMeeting = 1002;   ///< "Zebranie w weekend"
inline constexpr int kStrMidweekMeeting = 1003;   ///< "Zebranie w tygodniu"
inline constexpr int kStrGroupDefaultName = 1133; ///< "Grupa #"
inline constexpr int kStrCannotCreateFile = 1231; ///< "Nie mogę utworzyć nowego pliku: %1. ..."

inline constexpr int kStrFilePreserved = 9201;
inline constexpr int kStrFileNotPreserved = 9202;
inline constexpr int kStrReasonPartialRecord = 9203;
inline constexpr int kStrReasonWrongSize = 9204;
inline constexpr int kStrReasonUnreadable = 9205;
inline constexpr int kStrReasonTooManyRecords = 9206;
inline constexpr int kStrWriteBlocked = 9207;
inline constexpr int kStrFileFull = 9208;
inline constexpr int kStrTextTooLong = 9209;
inline constexpr int kStrTextUnmappable = 9210;
inline constexpr int kStrCharacterNotStorable = 9211;
inline constexpr int kStrBadYearInRemCheck = 9212;
inline constexpr int kStrRemarksNotLoaded = 9213;
inline constexpr int kStrNoFreeKey = 9214;
inline constexpr int kStrRecordNotFound = 9215;

} // namespace vardo
