#include "core/exchange/XmlParser.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

#include "core/exchange/XmlResult.h"
#include "core/exchange/XmlSyntax.h"

namespace vardo::xml {
namespace {

constexpr std::uint64_t kItemsPerKind = 1000; // result items of one kind of parse error listed one by one

/// One pass over the text that builds the element index. Elements still open sit on an explicit stack; the
/// names of open elements are counted only once an end tag has failed to match the innermost one, so that a
/// well-formed document never pays for it and a hostile one cannot make the matching quadratic.
class Parser {
public:
    Parser(std::string_view text, ElementIndex& index, std::vector<OpenElement>& stack, std::string& result)
        : m_text(text), m_index(index), m_stack(stack), m_result(result) {}

    /// False when the index cannot grow.
    bool Run() {
        const char* const t = m_text.data();
        const std::size_t n = m_text.size();
        std::size_t pos = 0;
        while (pos < n) {
            const void* found = std::memchr(t + pos, '<', n - pos);
            if (found == nullptr)
                break;
            const auto lt = static_cast<std::size_t>(static_cast<const char*>(found) - t);
            const char next = lt + 1 < n ? t[lt + 1] : '\0';
            if (IsNameStart(next)) {
                const std::size_t nameEnd = ScanName(t, lt + 2, n);
                const std::size_t end = ScanStartTagEnd(t, nameEnd, n);
                if (end == kNone) {
                    Unterminated(Markup::StartTag, lt);
                    break;
                }
                const bool empty = end - 2 >= nameEnd && t[end - 2] == '/';
                if (!Open(lt, nameEnd - lt - 1, end - lt, empty))
                    return false;
                pos = end;
            } else if (next == '/') {
                if (ClosesTop(lt)) {
                    pos = lt + 3 + m_stack.back().nameLength;
                    Pop(lt, pos, true);
                    continue;
                }
                const std::size_t nameEnd = ScanName(t, lt + 2, n);
                const void* close = std::memchr(t + nameEnd, '>', n - nameEnd);
                if (close == nullptr) {
                    Unterminated(Markup::EndTag, lt);
                    break;
                }
                const auto end = static_cast<std::size_t>(static_cast<const char*>(close) - t) + 1;
                Close(lt, std::string_view(t + lt + 2, nameEnd - lt - 2), end);
                pos = end;
            } else {
                const Token token = ScanMarkup(m_text, lt);
                if (token.unterminated) {
                    Unterminated(token.kind, lt);
                    break;
                }
                if (!IsMarkup(token.kind))
                    Syntax(token.kind, lt);
                pos = token.end;
            }
        }
        while (!m_stack.empty())
            Pop(n, n, false);
        ElementSlot& document = m_index[0];
        document.length = static_cast<std::uint32_t>(n);
        if (m_lastTop != 0)
            m_index[document.firstChild].prev = m_lastTop;
        FlushCounts();
        if (m_topCount == 0)
            AppendResultItem(m_result, "no_root_element");
        else if (m_topCount > 1)
            AppendResultItem(m_result, "root_has_sibling");
        return true;
    }

private:
    enum Kind {
        kUnterminated,
        kFirstTag,
        kExclamation,
        kDoctype,
        kComment,
        kCData,
        kLoneEnd,
        kUnended,
        kKinds,
    };
    static constexpr std::array<std::string_view, kKinds> kKindNames = {
        "unterminated_tag_syntax", "first_tag_syntax",     "exclamation_tag_syntax", "doctype_tag_syntax",
        "comment_tag_syntax",      "cdata_section_syntax", "lone_end_tag",           "unended_start_tag",
    };

    bool Admit(Kind kind) { return ++m_counts[kind] <= kItemsPerKind; }

    void FlushCounts() {
        for (std::size_t k = 0; k < kKinds; ++k)
            if (m_counts[k] > kItemsPerKind)
                AppendResultItem(m_result, kKindNames[k], {{"count", std::to_string(m_counts[k] - kItemsPerKind)}});
    }

    std::string_view NameOf(const OpenElement& open) const {
        return m_text.substr(m_index[open.element].start + 1, open.nameLength);
    }

    bool Open(std::size_t lt, std::size_t nameLength, std::size_t tagLength, bool empty) {
        const XmlIndex e = m_index.Allocate();
        if (e == 0)
            return false;
        const std::size_t depth = m_stack.size();
        const XmlIndex parent = depth != 0 ? m_stack.back().element : 0;
        XmlIndex& lastChild = depth != 0 ? m_stack.back().lastChild : m_lastTop;
        ElementSlot& slot = m_index[e];
        slot.start = static_cast<std::uint32_t>(lt);
        slot.SetTagLengths(tagLength, 0);
        slot.SetLevel(depth);
        slot.parent = parent;
        if (lastChild == 0) {
            m_index[parent].firstChild = e;
        } else {
            m_index[lastChild].next = e;
            slot.prev = lastChild;
        }
        lastChild = e;
        if (depth == 0)
            ++m_topCount;
        if (empty) {
            slot.length = static_cast<std::uint32_t>(tagLength);
            slot.levelFlags |= ElementSlot::kEnded | ElementSlot::kEmpty;
        } else {
            m_stack.push_back({e, static_cast<std::uint32_t>(nameLength), 0});
            if (m_countingNames)
                ++m_openNames[NameOf(m_stack.back())];
        }
        return true;
    }

    /// The common case: "</name>" at `lt` closes the innermost open element, told without scanning the name.
    bool ClosesTop(std::size_t lt) const {
        if (m_stack.empty())
            return false;
        const OpenElement& top = m_stack.back();
        const std::size_t close = lt + 2 + top.nameLength;
        if (close >= m_text.size() || m_text[close] != '>')
            return false;
        // Names are short: a plain loop beats a call to memcmp here.
        const char* open = m_text.data() + m_index[top.element].start + 1;
        const char* name = m_text.data() + lt + 2;
        for (std::size_t i = 0; i < top.nameLength; ++i)
            if (open[i] != name[i])
                return false;
        return true;
    }

    void Close(std::size_t lt, std::string_view name, std::size_t end) {
        if (!m_stack.empty() && NameOf(m_stack.back()) == name) {
            Pop(lt, end, true); // "</name >"
            return;
        }
        if (!m_countingNames) {
            m_countingNames = true;
            for (const OpenElement& open : m_stack)
                ++m_openNames[NameOf(open)];
        }
        const auto counted = m_openNames.find(name);
        if (counted == m_openNames.end() || counted->second == 0) {
            if (Admit(kLoneEnd))
                AppendResultItem(
                    m_result, "lone_end_tag",
                    {{"tagname", std::string(name)}, {"offset", std::to_string(lt)}, {"offset2", std::to_string(end)}});
            return;
        }
        while (NameOf(m_stack.back()) != name)
            Pop(lt, lt, false);
        Pop(lt, end, true);
    }

    /// Closes the innermost open element: by its end tag [lt, end), or (not `ended`) at `lt` without one.
    [[gnu::always_inline]] void Pop(std::size_t lt, std::size_t end, bool ended) {
        const OpenElement top = m_stack.back();
        m_stack.pop_back();
        if (m_countingNames)
            --m_openNames[NameOf(top)];
        ElementSlot& slot = m_index[top.element];
        if (ended) {
            slot.length = static_cast<std::uint32_t>(end - slot.start);
            const std::size_t endTag = std::min<std::size_t>(end - lt, ElementSlot::kEndTagMask);
            slot.tagLengths |= static_cast<std::uint32_t>(endTag) << ElementSlot::kEndTagShift;
            slot.levelFlags |= ElementSlot::kEnded;
        } else {
            slot.length = static_cast<std::uint32_t>(lt - slot.start);
            slot.levelFlags |= ElementSlot::kUnended;
            if (Admit(kUnended))
                AppendResultItem(m_result, "unended_start_tag",
                                 {{"tagname", std::string(NameOf(top))},
                                  {"offset", std::to_string(slot.start)},
                                  {"offset2", std::to_string(lt)}});
        }
        if (top.lastChild != 0)
            m_index[slot.firstChild].prev = top.lastChild;
    }

    void Unterminated(Markup kind, std::size_t lt) {
        if (Admit(kUnterminated))
            AppendResultItem(m_result, "unterminated_tag_syntax",
                             {{"type", std::string(UnterminatedType(kind))}, {"offset", std::to_string(lt)}});
    }

    void Syntax(Markup kind, std::size_t lt) {
        Kind k = kFirstTag;
        switch (kind) {
        case Markup::ExclamationTagSyntax:
            k = kExclamation;
            break;
        case Markup::DoctypeTagSyntax:
            k = kDoctype;
            break;
        case Markup::CommentTagSyntax:
            k = kComment;
            break;
        case Markup::CDataSectionSyntax:
            k = kCData;
            break;
        default:
            break;
        }
        if (Admit(k))
            AppendResultItem(m_result, kKindNames[k], {{"offset", std::to_string(lt)}});
    }

    std::string_view m_text;
    ElementIndex& m_index;
    std::vector<OpenElement>& m_stack;
    std::string& m_result;
    XmlIndex m_lastTop = 0;
    std::uint64_t m_topCount = 0;
    bool m_countingNames = false;
    std::unordered_map<std::string_view, std::uint64_t> m_openNames;
    std::array<std::uint64_t, kKinds> m_counts{};
};

} // namespace

bool ParseElements(std::string_view text, ElementIndex& index, std::vector<OpenElement>& stack, std::string& result) {
    stack.clear();
    Parser parser(text, index, stack, result);
    return parser.Run();
}

} // namespace vardo::xml
