#include "core/store/DocumentChange.h"

#include <algorithm>
#include <cassert>
#include <optional>
#include <utility>

namespace vardo {

void ChangeHub::SetCapture(DataArea area, Capture capture) {
    for (auto& [known, existing] : m_captures) {
        if (known == area) {
            existing = std::move(capture);
            return;
        }
    }
    m_captures.emplace_back(area, std::move(capture));
}

void ChangeHub::ClearCaptures() {
    m_captures.clear();
}

bool ChangeHub::HasCapture(DataArea area) const {
    return std::any_of(m_captures.begin(), m_captures.end(), [area](const auto& c) { return c.first == area; });
}

void ChangeHub::MarkSaved() {
    m_modified = false;
    Notify({ChangeEvent::Kind::Saved, {}, {}});
}

void ChangeHub::MarkReloaded(bool modified) {
    m_modified = modified;
    Notify({ChangeEvent::Kind::Reloaded, {}, {}});
}

ChangeHub::Subscription ChangeHub::Subscribe(Observer observer) {
    const int id = m_nextObserver++;
    m_observers.emplace_back(id, std::move(observer));
    return Subscription(this, id);
}

void ChangeHub::Unsubscribe(int id) {
    std::erase_if(m_observers, [id](const auto& entry) { return entry.first == id; });
}

void ChangeHub::Notify(const ChangeEvent& event) {
    // An observer may unsubscribe (or subscribe) while being told; walk a copy of the ids.
    std::vector<int> ids;
    ids.reserve(m_observers.size());
    for (const auto& entry : m_observers)
        ids.push_back(entry.first);
    for (int id : ids) {
        auto it = std::find_if(m_observers.begin(), m_observers.end(), [id](const auto& e) { return e.first == id; });
        if (it != m_observers.end()) {
            Observer observer = it->second;
            observer(event);
        }
    }
}

ChangeHub::Subscription::Subscription(Subscription&& other) noexcept
    : m_hub(std::exchange(other.m_hub, nullptr)), m_id(other.m_id) {}

ChangeHub::Subscription& ChangeHub::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        if (m_hub)
            m_hub->Unsubscribe(m_id);
        m_hub = std::exchange(other.m_hub, nullptr);
        m_id = other.m_id;
    }
    return *this;
}

ChangeHub::Subscription::~Subscription() {
    if (m_hub)
        m_hub->Unsubscribe(m_id);
}

DocumentChange::DocumentChange(ChangeHub& hub, std::string name)
    : m_hub(hub), m_outer(hub.m_open), m_name(std::move(name)) {
    if (!m_outer)
        m_hub.m_open = this;
}

DocumentChange::~DocumentChange() {
    if (!m_finished)
        Abandon();
}

void DocumentChange::Touch(DataAreas areas) {
    assert(!m_finished);
    if (m_outer) {
        m_outer->Touch(areas);
        m_touched |= areas;
        return;
    }
    for (int bit = 0; bit < kDataAreaCount; ++bit) {
        const auto area = static_cast<DataArea>(1u << bit);
        if (!areas.Has(area) || m_touched.Has(area))
            continue;
        m_touched |= area;
        auto it = std::find_if(m_hub.m_captures.begin(), m_hub.m_captures.end(),
                               [area](const auto& c) { return c.first == area; });
        assert(it != m_hub.m_captures.end() && "an area touched by a change has no capture");
        if (it != m_hub.m_captures.end())
            m_restores.push_back(it->second());
    }
}

bool DocumentChange::Commit() {
    assert(!m_finished);
    if (m_outer) {
        m_finished = true;
        return true;
    }
    if (m_failed) {
        Abandon();
        return false;
    }
    m_finished = true;
    m_hub.m_open = nullptr;
    m_hub.m_modified = true;
    ++m_hub.m_commits;
    m_hub.Notify({ChangeEvent::Kind::Committed, m_name, m_touched});
    return true;
}

void DocumentChange::Abandon() {
    if (m_finished)
        return;
    m_finished = true;
    if (m_outer) {
        m_outer->m_failed = true;
        return;
    }
    RollBack();
    m_hub.m_open = nullptr;
}

void DocumentChange::RollBack() {
    for (auto it = m_restores.rbegin(); it != m_restores.rend(); ++it)
        if (*it)
            (*it)();
    m_restores.clear();
}

ChangeHub::Capture CaptureWithFile(const DataFolder& folder, std::string fileName, ChangeHub::Capture inner) {
    return [folder, fileName = std::move(fileName), inner = std::move(inner)]() -> ChangeHub::Restore {
        std::optional<std::string> bytes;
        if (folder.Exists(fileName)) {
            if (auto read = folder.ReadAll(fileName))
                bytes = std::move(read.value());
        }
        ChangeHub::Restore innerRestore = inner ? inner() : ChangeHub::Restore{};
        return [folder, fileName, bytes = std::move(bytes), innerRestore] {
            // A write failing here leaves the file as the abandoned change wrote it; nothing better is possible.
            if (bytes)
                (void)folder.WriteAtomic(fileName, *bytes);
            else if (folder.Exists(fileName))
                (void)folder.Remove(fileName);
            if (innerRestore)
                innerRestore();
        };
    };
}

} // namespace vardo
