#pragma once

// The result markup of the XML engine: what a load, a parse or a save met, as a string of empty elements such as
// <read encoding="UTF-8" length="120"/><lone_end_tag tagname="b" .../>.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace vardo::xml {

using ResultAttributes = std::initializer_list<std::pair<std::string_view, std::string>>;

/// Appends <item name="value" .../>, the values escaped for a double-quoted attribute.
void AppendResultItem(std::string& out, std::string_view item, ResultAttributes attributes = {});

} // namespace vardo::xml
