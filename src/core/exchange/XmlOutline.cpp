#include "core/exchange/XmlOutline.h"

#include <string_view>

namespace vardo {
namespace {

/// Appends text with tabs as \t and line breaks (LF, CR LF or a lone CR) as \n, so that it stays on one line.
void AppendOneLine(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
}

} // namespace

std::string XmlOutline(const CXmlDoc& doc) {
    std::string out;
    AppendOneLine(out, doc.GetResult());
    out += '\n';
    std::size_t depth = 0;
    XmlIndex element = doc.FirstChildElement(0);
    while (element != 0) {
        out += std::to_string(depth);
        out += '\t';
        out += doc.ElementName(element);
        out += '\t';
        bool firstAttribute = true;
        for (const XmlAttribute& attribute : doc.ElementAttributes(element)) {
            if (!firstAttribute)
                out += ' ';
            firstAttribute = false;
            out += attribute.name;
            out += "=\"";
            AppendOneLine(out, attribute.value);
            out += '"';
        }
        out += '\t';
        AppendOneLine(out, doc.ElementText(element));
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
