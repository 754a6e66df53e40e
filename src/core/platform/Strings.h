#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vardo {

/// The entries of the string table (resources/strings.inc), by name; the value is the entry's number.
enum class StrId : int {
#define VARDO_STRING(name, id, text) name = id,
#include "strings.inc"
#undef VARDO_STRING
};

/// Text of a string-table entry (UTF-8, Polish). The table is compiled in from resources/strings.inc.
std::string_view Str(StrId id);

/// True when the table has an entry numbered `id` (for the few places that compute a number).
bool HasStr(int id);

/// Replaces %1..%9 in pattern by the arguments in order; "%%" stays "%%", other text is copied.
/// A placeholder without an argument is left as it stands.
std::string FormatArgs(std::string_view pattern, std::initializer_list<std::string_view> args);

/// printf-style formatting into a std::string.
std::string FormatPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// Full month name, "styczeń".."grudzień"; monthIndex 0 = January (strings 3..14).
std::string_view MonthName(int monthIndex);
/// Three-letter month abbreviation "Sty".."Gru"; monthIndex 0 = January (strings 1203..1214).
std::string_view MonthAbbreviation(int monthIndex);
/// Weekday name "poniedziałek".."niedziela"; dayIndex 0 = Monday (strings 1252..1258).
std::string_view WeekdayName(int dayIndex);

/// The language tag of this build (string 1198, "polish").
std::string_view LanguageTag();

} // namespace vardo
