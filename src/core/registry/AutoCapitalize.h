#pragma once

// Capitalisation of the first letter of a name while it is typed.

#include <optional>
#include <string>
#include <string_view>

namespace vardo {

/// Longest first or last name the editor accepts, in characters.
inline constexpr int kNameLength = 14;

/// True when the language capitalises names while typing: every tag except "turkish", "french", "greek",
/// "tha", "rus" and the tags that begin with 'U'.
bool CapitalizesNames(std::string_view languageTag);

/// The edit that auto-capitalisation makes to a name field. When `cut` the caret goes to the end;
/// otherwise the text has as many characters as before and the caret stays where it was.
struct NameEdit {
    std::string text;
    bool cut = false;
};

/// Applies the typing rule to a name (UTF-8): a first character that is a lower-case letter (a..z and the
/// Polish letters ą ć ę ł ń ó ś ź ż) becomes upper case; a text longer than kNameLength characters is cut
/// to that length. nullopt when nothing changes.
std::optional<NameEdit> AutoCapitalize(std::string_view name);

/// Number of characters (code points) of UTF-8 text.
int CharacterCount(std::string_view utf8);
/// The first `count` characters of UTF-8 text.
std::string FirstCharacters(std::string_view utf8, int count);

} // namespace vardo
