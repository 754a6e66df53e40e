#include "core/exchange/ElementIndex.h"

#include <new>

namespace vardo {

ElementIndex::ElementIndex() {
    // Like any container, construction fails only when not even the first segment can be had.
    if (!AddSegment())
        throw std::bad_alloc();
    (*this)[0] = ElementSlot{};
}

void ElementIndex::Reset(bool releaseMemory) {
    if (releaseMemory && m_segments.size() > 1) {
        m_segments.resize(1);
        m_segments.shrink_to_fit();
    }
    m_used = 1;
    m_freeHead = 0;
    (*this)[0] = ElementSlot{};
}

void ElementIndex::Free(XmlIndex i) {
    ElementSlot& slot = (*this)[i];
    slot = ElementSlot{};
    slot.levelFlags = ElementSlot::kFree;
    slot.next = m_freeHead;
    m_freeHead = i;
}

XmlIndex ElementIndex::TakeFree() {
    const XmlIndex i = m_freeHead;
    m_freeHead = (*this)[i].next;
    (*this)[i] = ElementSlot{};
    return i;
}

bool ElementIndex::AddSegment() {
    const std::size_t segment = m_used >> kSegmentBits;
    if (segment < m_segments.size())
        return true;
    try {
        // Entries are written when handed out, so the segment is left uninitialised.
        m_segments.emplace_back(new ElementSlot[kSegmentSize]);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace vardo
