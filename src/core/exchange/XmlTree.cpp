#include "core/exchange/XmlTree.h"

#include <algorithm>

namespace vardo::xml {
namespace {

bool AllSpace(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsSpace);
}

} // namespace

std::size_t Tree::StartTagLength(XmlIndex element) const {
    const ElementSlot& slot = m_index[element];
    const std::uint32_t stored = slot.tagLengths & ElementSlot::kStartTagMask;
    if (stored != ElementSlot::kStartTagMask)
        return stored;
    const Token token = ScanMarkup(m_text, slot.start);
    return std::min<std::size_t>(token.end - slot.start, slot.length);
}

std::size_t Tree::EndTagLength(XmlIndex element) const {
    const ElementSlot& slot = m_index[element];
    if (!slot.Has(ElementSlot::kEnded) || slot.Has(ElementSlot::kEmpty))
        return 0;
    const std::uint32_t stored = slot.tagLengths >> ElementSlot::kEndTagShift;
    if (stored != ElementSlot::kEndTagMask)
        return stored;
    // An end tag holds no '<', so the last one in the element begins it.
    const std::size_t lt = std::string_view(m_text).substr(slot.start, slot.length).rfind('<');
    return lt == std::string_view::npos ? 0 : slot.length - lt;
}

Range Tree::Content(XmlIndex element) const {
    if (element == 0)
        return {0, m_text.size()};
    const ElementSlot& slot = m_index[element];
    if (slot.Has(ElementSlot::kEmpty))
        return {slot.End(), slot.End()};
    const std::size_t begin = slot.start + StartTagLength(element);
    const std::size_t end = slot.End() - EndTagLength(element);
    return {begin, std::max(begin, end)};
}

Range Tree::AttributeArea(XmlIndex element) const {
    const ElementSlot& slot = m_index[element];
    const std::size_t tagEnd = slot.start + StartTagLength(element);
    return {slot.start + 1 + Name(element).size(), tagEnd - (slot.Has(ElementSlot::kEmpty) ? 2 : 1)};
}

bool Tree::FindAttribute(XmlIndex element, std::string_view name, std::string* value) const {
    if (!IsElement(element))
        return false;
    const Range area = AttributeArea(element);
    AttributeScanner scanner(m_text, area.begin, area.end);
    AttributeSpan span;
    while (scanner.Next(span)) {
        if (std::string_view(m_text).substr(span.nameBegin, span.nameEnd - span.nameBegin) != name)
            continue;
        if (value != nullptr)
            AppendDecoded(*value, std::string_view(m_text).substr(span.valueBegin, span.valueEnd - span.valueBegin));
        return true;
    }
    return false;
}

std::vector<XmlAttribute> Tree::Attributes(XmlIndex element) const {
    std::vector<XmlAttribute> attributes;
    if (!IsElement(element))
        return attributes;
    const Range area = AttributeArea(element);
    AttributeScanner scanner(m_text, area.begin, area.end);
    AttributeSpan span;
    while (scanner.Next(span)) {
        XmlAttribute attribute;
        attribute.name.assign(m_text, span.nameBegin, span.nameEnd - span.nameBegin);
        AppendDecoded(attribute.value,
                      std::string_view(m_text).substr(span.valueBegin, span.valueEnd - span.valueBegin));
        attributes.push_back(std::move(attribute));
    }
    return attributes;
}

std::string Tree::ElementText(XmlIndex element) const {
    std::string out;
    if (!IsElement(element))
        return out;
    const Range content = Content(element);
    const bool hasChildren = m_index[element].firstChild != 0;
    XmlIndex child = m_index[element].firstChild;
    std::size_t pos = content.begin;
    while (pos < content.end) {
        while (child != 0 && m_index[child].start < pos)
            child = m_index[child].next;
        if (child != 0 && m_index[child].start == pos) {
            pos = m_index[child].End();
            child = m_index[child].next;
            continue;
        }
        const std::size_t stop = child != 0 ? std::min<std::size_t>(m_index[child].start, content.end) : content.end;
        const std::size_t runEnd = ScanTextRun(m_text, pos, stop);
        if (runEnd > pos) {
            const std::string_view run = std::string_view(m_text).substr(pos, runEnd - pos);
            if (!hasChildren || !AllSpace(run))
                AppendDecoded(out, run);
            pos = runEnd;
            continue;
        }
        if (pos >= stop)
            continue;
        const Token token = ScanMarkup(m_text, pos);
        const std::size_t end = std::max(std::min(token.end, content.end), pos + 1);
        if (token.kind == Markup::CDataSection) {
            const std::size_t innerEnd = (!token.unterminated && token.end <= content.end) ? end - 3 : end;
            if (pos + 9 < innerEnd)
                out.append(m_text, pos + 9, innerEnd - pos - 9);
        }
        pos = end;
    }
    return out;
}

XmlIndex Tree::NextInDocument(XmlIndex i) const {
    if (m_index[i].firstChild != 0)
        return m_index[i].firstChild;
    while (i != 0) {
        if (m_index[i].next != 0)
            return m_index[i].next;
        i = m_index[i].parent;
    }
    return 0;
}

} // namespace vardo::xml
