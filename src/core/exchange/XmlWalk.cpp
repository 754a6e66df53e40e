#include "core/exchange/XmlWalk.h"

#include <algorithm>

#include "core/exchange/XmlSyntax.h"

namespace vardo::xml {

XmlIndex FindSibling(const Tree& tree, XmlIndex from, std::string_view name) {
    for (XmlIndex i = from; i != 0; i = tree[i].next)
        if (tree.Matches(i, name))
            return i;
    return 0;
}

Node NextNode(const Tree& tree, XmlIndex parent, std::size_t from, XmlIndex next) {
    const std::string& text = tree.Source();
    const Range level = tree.Content(parent);
    while (from < level.end) {
        while (next != 0 && tree[next].start < from)
            next = tree[next].next;
        if (next != 0 && tree[next].start == from)
            return {XmlNodeType::Element, next, 0, 0};
        const std::size_t stop = next != 0 ? std::min<std::size_t>(tree[next].start, level.end) : level.end;
        const std::size_t runEnd = ScanTextRun(text, from, stop);
        XmlNodeType type = XmlNodeType::None;
        std::size_t end = runEnd;
        if (runEnd > from) {
            type = XmlNodeType::Text;
        } else if (from < stop) {
            const Token token = ScanMarkup(text, from);
            end = std::max(std::min(token.end, level.end), from + 1);
            switch (token.kind) {
            case Markup::Comment:
                type = XmlNodeType::Comment;
                break;
            case Markup::ProcessingInstruction:
                type = XmlNodeType::ProcessingInstruction;
                break;
            case Markup::CDataSection:
                type = XmlNodeType::CDataSection;
                break;
            case Markup::DocumentType:
                type = XmlNodeType::DocumentType;
                break;
            default:
                break; // stray end tags and cut-off markup are not nodes
            }
        } else {
            continue;
        }
        if (type != XmlNodeType::None)
            return {type, 0, static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(end - from)};
        from = end;
    }
    return {};
}

std::string NodeText(const Tree& tree, const Node& node) {
    if (node.type == XmlNodeType::None || node.type == XmlNodeType::Element)
        return tree.ElementText(node.element); // the offsets belong to a node left behind and may be stale
    const std::string_view body = std::string_view(tree.Source()).substr(node.offset, node.length);
    const auto inside = [&](std::size_t open, std::string_view close) {
        std::string_view inner = body.substr(std::min(open, body.size()));
        if (inner.ends_with(close) && body.size() >= open + close.size())
            inner.remove_suffix(close.size());
        return std::string(inner);
    };
    switch (node.type) {
    case XmlNodeType::Text: {
        std::string out;
        AppendDecoded(out, body);
        return out;
    }
    case XmlNodeType::CDataSection:
        return inside(9, "]]>");
    case XmlNodeType::Comment:
        return inside(4, "-->");
    case XmlNodeType::ProcessingInstruction:
        return inside(2, "?>");
    default:
        return std::string(body); // a document type whole
    }
}

} // namespace vardo::xml
