#pragma once

// Small text rules the registry dialogs share.

#include <string>
#include <string_view>

namespace vardo {

/// The text without blanks (space, tab, CR, LF) at its right end.
inline std::string TrimmedRight(std::string_view text) {
    const auto end = text.find_last_not_of(" \t\r\n");
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

/// The text without blanks at either end.
inline std::string Trimmed(std::string_view text) {
    const auto begin = text.find_first_not_of(" \t\r\n");
    return begin == std::string_view::npos ? std::string() : TrimmedRight(text.substr(begin));
}

} // namespace vardo
