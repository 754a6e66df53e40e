#include "core/exchange/XmlResult.h"

#include "core/exchange/XmlSyntax.h"

namespace vardo::xml {

void AppendResultItem(std::string& out, std::string_view item, ResultAttributes attributes) {
    out += '<';
    out += item;
    for (const auto& [name, value] : attributes) {
        out += ' ';
        out += name;
        out += "=\"";
        AppendEscapedAttribute(out, value);
        out += '"';
    }
    out += "/>";
}

} // namespace vardo::xml
