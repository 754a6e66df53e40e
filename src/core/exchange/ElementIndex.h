#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace vardo {

/// Number of an element in the index of a CXmlDoc: high 16 bits the segment, low 16 bits the entry. 0 is the
/// document itself (whose children are the top-level elements) and, as a link, "none".
using XmlIndex = std::uint32_t;

/// One element: where it lies in the document text and how it links to its relatives. Offsets and lengths are
/// bytes of the text. Siblings form a ring through `prev`: the first child's `prev` is the last child; the last
/// child's `next` is 0.
struct ElementSlot {
    static constexpr std::uint32_t kStartTagMask = 0x00FFFFFF; ///< low 24 bits of tagLengths
    static constexpr std::uint32_t kEndTagShift = 24;          ///< high 8 bits of tagLengths
    static constexpr std::uint32_t kEndTagMask = 0xFF;
    static constexpr std::uint32_t kLevelMask = 0x00FFFFFF; ///< low 24 bits of levelFlags, saturating
    static constexpr std::uint32_t kEnded = 1u << 24;       ///< closed by its end tag
    static constexpr std::uint32_t kEmpty = 1u << 25;       ///< written as <name/>
    static constexpr std::uint32_t kUnended = 1u << 26;     ///< never closed (ill-formed)
    static constexpr std::uint32_t kFree = 1u << 27;        ///< on the free chain

    std::uint32_t start;      ///< offset of the start tag
    std::uint32_t length;     ///< the whole element: start tag, content and end tag
    std::uint32_t tagLengths; ///< start-tag and end-tag lengths; a field with all bits set means "longer: measure"
    std::uint32_t levelFlags; ///< depth (top-level elements are 0) and the flags above
    XmlIndex parent;
    XmlIndex firstChild;
    XmlIndex next;
    XmlIndex prev;

    std::uint32_t End() const { return start + length; }
    std::uint32_t Level() const { return levelFlags & kLevelMask; }
    bool Has(std::uint32_t flag) const { return (levelFlags & flag) != 0; }
    void SetTagLengths(std::uint64_t startTag, std::uint64_t endTag) {
        const auto s = static_cast<std::uint32_t>(startTag < kStartTagMask ? startTag : kStartTagMask);
        const auto e = static_cast<std::uint32_t>(endTag < kEndTagMask ? endTag : kEndTagMask);
        tagLengths = s | (e << kEndTagShift);
    }
    void SetLevel(std::uint64_t level) {
        const auto l = static_cast<std::uint32_t>(level < kLevelMask ? level : kLevelMask);
        levelFlags = (levelFlags & ~kLevelMask) | l;
    }
};
static_assert(sizeof(ElementSlot) == 32, "index entries are fixed 32-byte records");

/// The element index of a CXmlDoc: ElementSlot entries in segments of 65536, so that a document of any size
/// costs one allocation per 65536 elements. The first segment starts small and doubles up to its full size,
/// so that a small document costs little; entries are reached by number only, never kept by address across an
/// Allocate. Entry 0 (the document) always exists. Freed entries are chained through `next` and handed out
/// again first.
class ElementIndex {
public:
    static constexpr std::uint32_t kSegmentBits = 16;
    static constexpr std::uint32_t kSegmentSize = 1u << kSegmentBits;
    static constexpr std::uint32_t kEntryMask = kSegmentSize - 1;
    static constexpr std::uint32_t kNoMoreEntries = 0xFFFFFFFF;

    ElementIndex();

    /// Leaves only the document entry, cleared. With `releaseMemory` the memory goes back to what a new index
    /// holds; otherwise it is kept for the next document.
    void Reset(bool releaseMemory);

    ElementSlot& operator[](XmlIndex i) { return m_segments[i >> kSegmentBits][i & kEntryMask]; }
    const ElementSlot& operator[](XmlIndex i) const { return m_segments[i >> kSegmentBits][i & kEntryMask]; }

    /// A zeroed entry, from the free chain when it has one; 0 when the index is full or memory ran out.
    XmlIndex Allocate() {
        if (m_freeHead != 0)
            return TakeFree();
        const XmlIndex i = m_used;
        if (i >= m_capacity && !Grow())
            return 0;
        ++m_used;
        (*this)[i] = ElementSlot{};
        return i;
    }
    /// Puts an entry on the free chain.
    void Free(XmlIndex i);

    /// True when `i` names an element in use (not the document, not free, not beyond the end).
    bool IsElement(XmlIndex i) const { return i != 0 && i < m_used && !(*this)[i].Has(ElementSlot::kFree); }
    /// Entries handed out since the last reset, the document included (free ones too).
    std::uint32_t Used() const { return m_used; }

private:
    static constexpr std::uint32_t kFirstCapacity = 64;

    bool Grow();
    XmlIndex TakeFree();

    std::vector<std::unique_ptr<ElementSlot[]>> m_segments;
    std::uint32_t m_capacity = 0; ///< entries that can be handed out without growing
    std::uint32_t m_used = 1;
    XmlIndex m_freeHead = 0;
};

} // namespace vardo
