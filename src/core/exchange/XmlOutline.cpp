#include "core/exchange/XmlOutline.h"

#include <string_view>

namespace vardo {
namespace {

/// Appends text escaped so that it stays on one line and reads back unambiguously: backslashes, tabs, line feeds
/// and carriage returns (and with `quotes` double quotes) as backslash sequences. A CR LF pair is written as \r\n,
/// so that the text comes back byte for byte.
void AppendEscaped(std::string& out, std::string_view text, bool quotes) {
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '"':
            out += quotes ? "\\\"" : "\"";
            break;
        default:
            out += c;
            break;
        }
    }
}

} // namespace

std::string XmlOutline(const CXmlDoc& doc) {
    std::string out;
    AppendEscaped(out, doc.GetResult(), false);
    out += '\n';
    std::size_t depth = 0;
    XmlIndex element = doc.FirstChildElement(0);
    while (element != 0) {
        out += std::to_string(depth);
        out += '\t';
        AppendEscaped(out, doc.ElementName(element), false);
        out += '\t';
        bool firstAttribute = true;
        for (const XmlAttribute& attribute : doc.ElementAttributes(element)) {
            if (!firstAttribute)
                out += ' ';
            firstAttribute = false;
            AppendEscaped(out, attribute.name, false);
            out += "=\"";
            AppendEscaped(out, attribute.value, true);
            out += '"';
        }
        out += '\t';
        AppendEscaped(out, doc.ElementText(element), false);
        out += '\n';

        if (const XmlIndex child = doc.FirstChildElement(element); child != 0) {
            element = child;
            ++depth;
            continue;
        }
        while (element != 0 && doc.NextSiblingElement(element) == 0) {
            element = doc.ParentElement(element);
            --depth;
        }
        if (element != 0)
            element = doc.NextSiblingElement(element);
    }
    return out;
}

} // namespace vardo
