#pragma once

// The simple path language of CXmlDoc::FindNext: "/a/b" from the top, "a/b" from the parent, "//b" anywhere after
// the main position, and per step one test "[n]" (the n-th of that name among its siblings, from 1) or "[@attr]"
// / "[@attr='value']".

#include <string_view>

#include "core/exchange/XmlTree.h"

namespace vardo::xml {

/// True when `name` is a path rather than a plain element name.
inline bool IsPath(std::string_view name) {
    return name.find_first_of("/[") != std::string_view::npos;
}

/// What a path found: the element and the parent whose level it is on.
struct PathMatch {
    XmlIndex parent = 0;
    XmlIndex element = 0; ///< 0: nothing matches, or the path is malformed
};

/// Evaluates `path` from the positions `parent` and `main` (0: none). A relative path whose steps lead back to
/// `parent` continues after `main`; "//" searches in document order after `main` (from the first child of
/// `parent` when there is no main position).
PathMatch FindPath(const Tree& tree, XmlIndex parent, XmlIndex main, std::string_view path);

} // namespace vardo::xml
