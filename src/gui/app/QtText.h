#pragma once

// UTF-8 std::string ↔ QString at the border between core and the widgets.

#include <string>
#include <string_view>

#include <QString>

namespace vardo {

inline QString ToQt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

} // namespace vardo
