#pragma once

// Walking one level of a document: its elements by name along the sibling chain, and all its nodes (elements,
// text, CDATA sections, comments, processing instructions, document types) in document order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/exchange/CXmlDoc.h"
#include "core/exchange/XmlTree.h"

namespace vardo::xml {

/// From `from` along the sibling chain (`from` included), the first element that matches `name` (Tree::Matches);
/// 0 when there is none.
XmlIndex FindSibling(const Tree& tree, XmlIndex from, std::string_view name);

/// A node of a level.
struct Node {
    XmlNodeType type = XmlNodeType::None; ///< None: the level ends first
    XmlIndex element = 0;                 ///< the element, when `type` is Element
    std::uint32_t offset = 0;             ///< where the node lies in the text, when it is not an element
    std::uint32_t length = 0;
};

/// The first node of the level inside `parent` (0: the top level) that begins at or after the offset `from`.
/// `next` is the first child of `parent` that may begin there: the search for elements starts from it. Stray end
/// tags and cut-off markup are passed over.
Node NextNode(const Tree& tree, XmlIndex parent, std::size_t from, XmlIndex next);

/// Content of a node: a text decoded; the inside of a CDATA section, comment or processing instruction; a
/// document type whole; for an element (or None) the element's text, Tree::ElementText.
std::string NodeText(const Tree& tree, const Node& node);

} // namespace vardo::xml
