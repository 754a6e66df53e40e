#pragma once

// String-table ids of the people-editing texts that have no number of their own elsewhere.

namespace vardo {

inline constexpr int kStrAgeSummary = 44001;     ///< "Wiek: %1"
inline constexpr int kStrBaptismSummary = 44002; ///< "Od chrztu: %1"
inline constexpr int kStrYearsOne = 44003;       ///< "%1 rok"
inline constexpr int kStrYearsFew = 44004;       ///< "%1 lata"
inline constexpr int kStrYearsMany = 44005;      ///< "%1 lat"
inline constexpr int kStrTextCannotBeStored = 44006;
inline constexpr int kStrFieldFirstName = 44007;
inline constexpr int kStrFieldLastName = 44008;
inline constexpr int kStrFieldAddress = 44009;
inline constexpr int kStrFieldPhoneHome = 44010;
inline constexpr int kStrFieldPhoneMobile = 44011;
inline constexpr int kStrFieldPhoneWork = 44012;
inline constexpr int kStrFieldEmail = 44013;
inline constexpr int kStrFieldLongName = 44014;
inline constexpr int kStrFieldExtra = 44015;
inline constexpr int kStrDeletedListFull = 44016;

} // namespace vardo
