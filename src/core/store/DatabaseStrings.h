#pragma once

// Texts of the publisher database: string-table ids and the few fixed texts that have no id.

#include <string_view>

namespace vardo {

inline constexpr int kStrDatabaseFileName = 1439;       ///< "tdat9.bin"
inline constexpr int kStrLegacyDatabaseFileName = 1341; ///< "tdat7.bin"

inline constexpr int kStrRegisterFull = 9301;   ///< register holds 1509 persons
inline constexpr int kStrListFull = 9302;       ///< "Lista %1 jest pełna ..."
inline constexpr int kStrListPublishers = 9303; ///< list names for kStrListFull
inline constexpr int kStrListInactive = 9304;
inline constexpr int kStrListNonPublishers = 9305;
inline constexpr int kStrListMoved = 9306;
inline constexpr int kStrListDeleted = 9307;
inline constexpr int kStrRegisterFullOnLoad = 9308; ///< persons of a legacy file left unread
inline constexpr int kStrUnstorableTexts = 9309;    ///< texts the file cannot hold as they are
inline constexpr int kStrFieldFirstName = 9310;     ///< field names 9310..9317 in TextField order
inline constexpr int kStrDamagedLegacyFile = 9318;  ///< damaged file that is never written
inline constexpr int kStrLegacyListTooLong = 9319;  ///< legacy list beyond 300 records
inline constexpr int kStrBeyondPersonRef = 9320;    ///< person beyond the reach of a PersonRef

inline constexpr std::string_view kTextNoMemory = "Couldn't allocate memory";
inline constexpr std::string_view kTextDuplicateName = "Powtórzona nazwa";
inline constexpr std::string_view kTextOverwriteQuestion = "Nadpisać nowe informacje ?";
inline constexpr std::string_view kTextDuplicateOverseer = "Oh no, duplicate co!  Check LoadNumx()";

} // namespace vardo
