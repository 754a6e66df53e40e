#include "core/platform/Strings.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace vardo {
namespace {

struct Entry {
    int id;
    std::string_view text;
};

constexpr Entry kEntries[] = {
#define VARDO_STRING(name, id, text) {id, text},
#include "strings.inc"
#undef VARDO_STRING
};

const std::vector<Entry>& SortedEntries() {
    static const std::vector<Entry> sorted = [] {
        std::vector<Entry> v(std::begin(kEntries), std::end(kEntries));
        std::stable_sort(v.begin(), v.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
        return v;
    }();
    return sorted;
}

const Entry* Find(int id) {
    const auto& entries = SortedEntries();
    auto it = std::lower_bound(entries.begin(), entries.end(), id, [](const Entry& e, int v) { return e.id < v; });
    return it != entries.end() && it->id == id ? &*it : nullptr;
}

} // namespace

std::string_view Str(StrId id) {
    const Entry* entry = Find(static_cast<int>(id));
    return entry ? entry->text : std::string_view{};
}

bool HasStr(int id) {
    return Find(id) != nullptr;
}

std::string FormatArgs(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char next = pattern[i + 1];
            if (next >= '1' && next <= '9') {
                const auto index = static_cast<std::size_t>(next - '1');
                if (index < args.size()) {
                    out.append(*(args.begin() + index));
                    ++i;
                    continue;
                }
            }
        }
        out.push_back(c);
    }
    return out;
}

std::string FormatPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (length > 0) {
        out.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<std::size_t>(length));
    }
    va_end(args);
    return out;
}

std::string_view MonthName(int monthIndex) {
    return monthIndex >= 0 && monthIndex < 12
               ? Str(static_cast<StrId>(static_cast<int>(StrId::MonthJanuary) + monthIndex))
               : "";
}

std::string_view MonthAbbreviation(int monthIndex) {
    return monthIndex >= 0 && monthIndex < 12
               ? Str(static_cast<StrId>(static_cast<int>(StrId::AbbrJanuary) + monthIndex))
               : "";
}

std::string_view WeekdayName(int dayIndex) {
    return dayIndex >= 0 && dayIndex < 7 ? Str(static_cast<StrId>(static_cast<int>(StrId::Monday) + dayIndex)) : "";
}

std::string_view LanguageTag() {
    return Str(StrId::LanguageTag);
}

} // namespace vardo
