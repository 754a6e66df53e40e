#pragma once

// The important information of one person: the special-needs text kept in spneed.dat and the three need
// flags of the person's record.

#include <cstdint>
#include <string>

#include "core/platform/Result.h"
#include "core/registry/RegistryContext.h"

namespace vardo {

struct SpecialNeedsState {
    std::uint16_t key = 0;
    bool deaf = false;
    bool blind = false;
    bool confined = false;
};

class SpecialNeedsPresenter {
public:
    /// For `person` as the editor holds it. `context.specialNeeds` must be set.
    SpecialNeedsPresenter(RegistryContext& context, const PublisherRecord& person);

    std::string Caption() const { return m_caption; }
    std::string text;
    bool deaf = false;
    bool blind = false;
    bool confined = false;
    /// Longest text in characters.
    static constexpr int kTextMax = 93;
    /// Somebody else refers to the same text: editing it changes it for them too.
    bool Shared() const;

    /// OK as one change: an empty text unlinks the person (the record stays for others); a changed text
    /// rewrites the linked record or is stored as a new one. The flags go to the person's record when the
    /// person is in the register. Returns the key and flags for the editor; Invalid for a text the file
    /// cannot hold, a failed write; nothing changes then.
    Result<SpecialNeedsState> Store();

private:
    RegistryContext& m_context;
    PublisherId m_person;
    std::uint16_t m_key;
    std::string m_caption;
    std::string m_reference;
    SpecialNeedsState m_loaded;
};

} // namespace vardo
