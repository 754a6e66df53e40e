#pragma once

// Reading a parsed document: where an element's tags, name, attributes and content lie in the text, and what
// they hold.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/CXmlDoc.h"
#include "core/exchange/ElementIndex.h"
#include "core/exchange/XmlSyntax.h"

namespace vardo::xml {

inline constexpr std::size_t kMaxText = 0xFFFFFFFEu; ///< longest document text: offsets in the index are 32-bit

/// Offsets [begin, end) of the document text.
struct Range {
    std::size_t begin = 0;
    std::size_t end = 0;
};

/// A read-only view of a document text and its element index. It refers to both, so it sees every change made to
/// them. Element numbers given to it must name elements in use (or 0, the document, where that is said).
class Tree {
public:
    Tree(const std::string& text, const ElementIndex& index) : m_text(text), m_index(index) {}

    const std::string& Source() const { return m_text; }
    const ElementSlot& operator[](XmlIndex i) const { return m_index[i]; }
    bool IsElement(XmlIndex i) const { return m_index.IsElement(i); }

    /// Length of the start tag, measured again when it is too long for the index to hold.
    std::size_t StartTagLength(XmlIndex element) const;
    /// Length of the end tag; 0 for an empty or unended element.
    std::size_t EndTagLength(XmlIndex element) const;
    std::string_view Name(XmlIndex element) const {
        const std::size_t begin = m_index[element].start + 1;
        return std::string_view(m_text).substr(begin, ScanName(m_text.data(), begin, m_text.size()) - begin);
    }
    /// True when the element is named `name`; an empty name and "*" match any element.
    bool Matches(XmlIndex element, std::string_view name) const {
        return name.empty() || name == "*" || Name(element) == name;
    }
    /// Between the start and the end tag; the whole text for the document (0).
    Range Content(XmlIndex element) const;
    /// From just past the element name to the '/' of "/>" or the closing '>'.
    Range AttributeArea(XmlIndex element) const;

    /// True when the element (anything but an element in use gives false) has the attribute; its decoded value
    /// is appended to `*value` unless that is null.
    bool FindAttribute(XmlIndex element, std::string_view name, std::string* value) const;
    /// The attributes in document order, values decoded; none for anything but an element in use.
    std::vector<XmlAttribute> Attributes(XmlIndex element) const;
    /// The text content as CXmlDoc::GetText gives it; empty for anything but an element in use.
    std::string ElementText(XmlIndex element) const;
    /// The element after `i` in document order (first child, else next sibling of it or of an ancestor); 0 at the
    /// end.
    XmlIndex NextInDocument(XmlIndex i) const;

private:
    const std::string& m_text;
    const ElementIndex& m_index;
};

} // namespace vardo::xml
