#pragma once

// In-place editing of a parsed document: new elements, attributes and removals are spliced into the text and the
// element index is shifted to match, without parsing again.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/exchange/ElementIndex.h"
#include "core/exchange/XmlTree.h"

namespace vardo::xml {

/// The line break that new elements take: a bare LF when the text's first line break is one, else CR LF.
std::string_view LineBreakOf(std::string_view text);

/// Edits a document text and its element index together. A failed edit changes neither. The text never grows
/// past kMaxText.
class Editor {
public:
    /// `eol` is the line break written around new elements; it must outlive the editor.
    Editor(std::string& text, ElementIndex& index, std::string_view eol)
        : m_text(text), m_index(index), m_tree(text, index), m_eol(eol) {}

    /// Inserts <name>text</name> (text escaped; <name/> when it is empty) after `main`, or as the last child of
    /// `parent` (0: the top level) when `main` is 0. With `lines` it goes on a line of its own, indented by two
    /// spaces per level (at most 32 levels). Returns the new element; 0 when `name` is not a writable name, or
    /// memory or the size limit ran out.
    XmlIndex AppendElement(XmlIndex parent, XmlIndex main, std::string_view name, std::string_view text, bool lines);
    /// Sets or replaces an attribute of `element`; the value is escaped. False when `name` is not a writable name,
    /// or memory or the size limit ran out.
    bool SetAttribute(XmlIndex element, std::string_view name, std::string_view value);
    /// Removes `element` with its content and the line break and indentation before it. Returns its previous
    /// sibling; 0 when it was the first.
    XmlIndex RemoveElement(XmlIndex element);

private:
    bool Replace(std::size_t at, std::size_t count, std::string_view bytes);
    void ShiftSubtree(XmlIndex root, std::int64_t delta);
    /// Shifts the siblings from `following` on, and every element after `parent`, by `delta`; grows `parent` and
    /// its ancestors by it.
    void ShiftAfter(XmlIndex following, XmlIndex parent, std::int64_t delta);
    void LinkAfter(XmlIndex element, XmlIndex parent, XmlIndex after);
    void Unlink(XmlIndex element);
    void FreeSubtree(XmlIndex root);
    /// Rewrites <name/> as <name></name>, so that children can go in.
    bool OpenEmptyElement(XmlIndex element);

    std::string& m_text;
    ElementIndex& m_index;
    Tree m_tree;
    std::string_view m_eol;
};

} // namespace vardo::xml
