#include "core/exchange/XmlEdit.h"

#include <algorithm>
#include <new>

#include "core/exchange/XmlSyntax.h"

namespace vardo::xml {
namespace {

constexpr std::uint32_t kMaxIndentLevels = 32;

} // namespace

std::string_view LineBreakOf(std::string_view text) {
    const std::size_t lineFeed = text.find('\n');
    return lineFeed == std::string_view::npos || (lineFeed > 0 && text[lineFeed - 1] == '\r') ? "\r\n" : "\n";
}

bool Editor::Replace(std::size_t at, std::size_t count, std::string_view bytes) {
    if (m_text.size() - count + bytes.size() > kMaxText)
        return false;
    try {
        m_text.replace(at, count, bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void Editor::ShiftSubtree(XmlIndex root, std::int64_t delta) {
    XmlIndex i = root;
    for (;;) {
        m_index[i].start = static_cast<std::uint32_t>(m_index[i].start + delta);
        if (m_index[i].firstChild != 0) {
            i = m_index[i].firstChild;
            continue;
        }
        while (i != root && m_index[i].next == 0)
            i = m_index[i].parent;
        if (i == root)
            return;
        i = m_index[i].next;
    }
}

void Editor::ShiftAfter(XmlIndex following, XmlIndex parent, std::int64_t delta) {
    for (XmlIndex s = following; s != 0; s = m_index[s].next)
        ShiftSubtree(s, delta);
    for (XmlIndex x = parent;; x = m_index[x].parent) {
        m_index[x].length = static_cast<std::uint32_t>(m_index[x].length + delta);
        if (x == 0)
            return;
        for (XmlIndex s = m_index[x].next; s != 0; s = m_index[s].next)
            ShiftSubtree(s, delta);
    }
}

void Editor::LinkAfter(XmlIndex element, XmlIndex parent, XmlIndex after) {
    ElementSlot& slot = m_index[element];
    slot.parent = parent;
    const XmlIndex first = m_index[parent].firstChild;
    if (after == 0) {
        if (first == 0) {
            m_index[parent].firstChild = element;
            slot.prev = element;
            slot.next = 0;
        } else {
            slot.next = first;
            slot.prev = m_index[first].prev;
            m_index[first].prev = element;
            m_index[parent].firstChild = element;
        }
        return;
    }
    slot.prev = after;
    slot.next = m_index[after].next;
    if (slot.next != 0)
        m_index[slot.next].prev = element;
    else
        m_index[first].prev = element;
    m_index[after].next = element;
}

void Editor::Unlink(XmlIndex element) {
    const ElementSlot& slot = m_index[element];
    ElementSlot& parent = m_index[slot.parent];
    const XmlIndex first = parent.firstChild;
    if (element == first) {
        parent.firstChild = slot.next;
        if (slot.next != 0)
            m_index[slot.next].prev = slot.prev;
        return;
    }
    m_index[slot.prev].next = slot.next;
    if (slot.next != 0)
        m_index[slot.next].prev = slot.prev;
    else
        m_index[first].prev = slot.prev;
}

void Editor::FreeSubtree(XmlIndex root) {
    // Post-order, so that every link still needed is read before its entry goes on the free chain.
    XmlIndex i = root;
    while (m_index[i].firstChild != 0)
        i = m_index[i].firstChild;
    for (;;) {
        XmlIndex next = 0;
        if (i != root) {
            next = m_index[i].next;
            if (next != 0) {
                while (m_index[next].firstChild != 0)
                    next = m_index[next].firstChild;
            } else {
                next = m_index[i].parent;
            }
        }
        m_index.Free(i);
        if (next == 0)
            return;
        i = next;
    }
}

bool Editor::OpenEmptyElement(XmlIndex element) {
    ElementSlot& slot = m_index[element];
    const std::size_t tagEnd = slot.start + m_tree.StartTagLength(element);
    if (tagEnd < slot.start + 3 || m_text[tagEnd - 2] != '/')
        return false;
    std::string replacement = "></";
    replacement += m_tree.Name(element);
    replacement += '>';
    if (!Replace(tagEnd - 2, 2, replacement))
        return false;
    const std::size_t delta = replacement.size() - 2;
    slot.SetTagLengths(tagEnd - 1 - slot.start, replacement.size() - 1);
    slot.length = static_cast<std::uint32_t>(slot.length + delta);
    slot.levelFlags &= ~ElementSlot::kEmpty;
    ShiftAfter(slot.next, slot.parent, static_cast<std::int64_t>(delta));
    return true;
}

XmlIndex Editor::AppendElement(XmlIndex parent, XmlIndex main, std::string_view name, std::string_view text,
                               bool lines) {
    if (!IsWritableName(name))
        return 0;
    const XmlIndex first = m_index[parent].firstChild;
    const XmlIndex after = main != 0 ? main : (first != 0 ? m_index[first].prev : 0);
    const std::uint32_t level = parent == 0 ? 0 : m_index[parent].Level() + 1;
    const auto indent = [&](std::uint32_t depth) {
        return std::string(m_eol) + std::string(2 * std::min(depth, kMaxIndentLevels), ' ');
    };

    std::string element = "<";
    element += name;
    std::size_t startTag = element.size() + 2;
    if (text.empty()) {
        element += "/>";
    } else {
        element += '>';
        startTag = element.size();
        AppendEscapedText(element, text);
        element += "</";
        element += name;
        element += '>';
    }

    const XmlIndex e = m_index.Allocate();
    if (e == 0)
        return 0;
    if (parent != 0 && m_index[parent].Has(ElementSlot::kEmpty) && !OpenEmptyElement(parent)) {
        m_index.Free(e);
        return 0;
    }
    std::size_t at;
    std::string before;
    std::string behind;
    if (after != 0) {
        at = m_index[after].End();
        if (lines)
            before = indent(level);
    } else if (parent == 0) {
        at = m_text.size();
        if (lines && !m_text.empty() && m_text.back() != '\n')
            before = m_eol;
        if (lines)
            behind = m_eol;
    } else {
        at = m_tree.Content(parent).end;
        if (lines) {
            before = indent(level);
            behind = indent(level - 1);
        }
    }
    const std::string insertion = before + element + behind;
    if (!Replace(at, 0, insertion)) {
        m_index.Free(e);
        return 0;
    }
    ElementSlot& slot = m_index[e];
    slot.start = static_cast<std::uint32_t>(at + before.size());
    slot.length = static_cast<std::uint32_t>(element.size());
    slot.SetTagLengths(text.empty() ? element.size() : startTag, text.empty() ? 0 : name.size() + 3);
    slot.levelFlags = ElementSlot::kEnded | (text.empty() ? ElementSlot::kEmpty : 0);
    slot.SetLevel(level);
    LinkAfter(e, parent, after);
    ShiftAfter(slot.next, parent, static_cast<std::int64_t>(insertion.size()));
    return e;
}

bool Editor::SetAttribute(XmlIndex element, std::string_view name, std::string_view value) {
    if (!IsWritableName(name))
        return false;
    const std::size_t tagLength = m_tree.StartTagLength(element);
    const Range area = m_tree.AttributeArea(element);

    std::string quoted = "\"";
    AppendEscapedAttribute(quoted, value);
    quoted += '"';
    std::size_t at = area.end;
    std::size_t count = 0;
    std::string replacement;
    AttributeScanner scanner(m_text, area.begin, area.end);
    AttributeSpan span;
    bool found = false;
    while (!found && scanner.Next(span))
        found = std::string_view(m_text).substr(span.nameBegin, span.nameEnd - span.nameBegin) == name;
    if (found && span.hasValue) {
        at = span.rawBegin;
        count = span.rawEnd - span.rawBegin;
        replacement = quoted;
    } else if (found) {
        at = span.nameEnd;
        replacement = "=" + quoted;
    } else {
        replacement += ' ';
        replacement += name;
        replacement += '=';
        replacement += quoted;
    }
    if (!Replace(at, count, replacement))
        return false;
    const auto delta = static_cast<std::int64_t>(replacement.size()) - static_cast<std::int64_t>(count);
    ElementSlot& changed = m_index[element];
    changed.SetTagLengths(static_cast<std::size_t>(static_cast<std::int64_t>(tagLength) + delta),
                          changed.tagLengths >> ElementSlot::kEndTagShift);
    changed.length = static_cast<std::uint32_t>(changed.length + delta);
    for (XmlIndex c = changed.firstChild; c != 0; c = m_index[c].next)
        ShiftSubtree(c, delta);
    ShiftAfter(changed.next, changed.parent, delta);
    return true;
}

XmlIndex Editor::RemoveElement(XmlIndex element) {
    const ElementSlot slot = m_index[element];
    const XmlIndex first = m_index[slot.parent].firstChild;
    const XmlIndex previous = element == first ? 0 : slot.prev;
    // Take the line break and indentation before the element along, but nothing before the previous sibling or
    // the parent's content.
    const std::size_t floor = previous != 0 ? m_index[previous].End() : m_tree.Content(slot.parent).begin;
    std::size_t begin = slot.start;
    std::size_t b = begin;
    while (b > floor && (m_text[b - 1] == ' ' || m_text[b - 1] == '\t'))
        --b;
    if (b > floor && m_text[b - 1] == '\n') {
        --b;
        if (b > floor && m_text[b - 1] == '\r')
            --b;
        begin = b;
    }
    const std::size_t end = slot.End();
    Unlink(element);
    FreeSubtree(element);
    m_text.erase(begin, end - begin);
    ShiftAfter(slot.next, slot.parent, -static_cast<std::int64_t>(end - begin));
    return previous;
}

} // namespace vardo::xml
