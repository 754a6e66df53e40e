#include "core/exchange/ElementIndex.h"

#include <algorithm>
#include <new>

namespace vardo {

ElementIndex::ElementIndex() {
    // Like any container, construction fails only when not even a small first segment can be had.
    if (!Grow())
        throw std::bad_alloc();
    (*this)[0] = ElementSlot{};
}

void ElementIndex::Reset(bool releaseMemory) {
    if (releaseMemory && m_capacity > kFirstCapacity) {
        try {
            std::unique_ptr<ElementSlot[]> first(new ElementSlot[kFirstCapacity]);
            m_segments.clear();
            m_segments.push_back(std::move(first));
            m_capacity = kFirstCapacity;
        } catch (const std::bad_alloc&) {
            // Keeping the larger memory is no failure.
        }
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

bool ElementIndex::Grow() {
    if (m_capacity == kNoMoreEntries)
        return false;
    try {
        // Entries are written when handed out, so new memory is left uninitialised.
        if (m_segments.empty()) {
            m_segments.emplace_back(new ElementSlot[kFirstCapacity]);
            m_capacity = kFirstCapacity;
        } else if (m_capacity < kSegmentSize) {
            const std::uint32_t capacity = std::min(m_capacity * 2, kSegmentSize);
            std::unique_ptr<ElementSlot[]> first(new ElementSlot[capacity]);
            std::copy_n(m_segments[0].get(), m_used, first.get());
            m_segments[0] = std::move(first);
            m_capacity = capacity;
        } else {
            m_segments.emplace_back(new ElementSlot[kSegmentSize]);
            // The last segment ends one short of 2^32, so that an index never wraps to 0.
            m_capacity = m_segments.size() == kSegmentSize ? kNoMoreEntries : m_capacity + kSegmentSize;
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace vardo
