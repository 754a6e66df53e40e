#pragma once

// The emergency-contact dialog of one person: the contact's texts, shared by every person who refers to
// the same record of emerg.dat, linking to a stored contact, and leaving a shared one.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/registry/RegistryContext.h"

namespace vardo {

/// The texts of an emergency contact as the dialog edits them (UTF-8).
struct EmergencyTexts {
    std::string name;
    std::string information;
    std::string homePhone;
    std::string mobilePhone;
    std::string workPhone;
    bool witness = false;
    bool operator==(const EmergencyTexts&) const = default;
};

/// Persons other than `self` who refer to emergency contact `key` (0 counts nobody).
int OtherContactReferences(const PublisherDatabase& database, std::uint16_t key, PublisherId self);

/// "Name" or, for a member of a family, "Name (Head's name)": the caption of the person's family dialogs.
std::string HouseholdCaption(const PublisherDatabase& database, const PublisherRecord& person);

class EmergencyContactPresenter {
public:
    /// For `person` (its id, key and family as the editor holds them). `context.emergency` must be set.
    EmergencyContactPresenter(RegistryContext& context, const PublisherRecord& person);

    std::string Caption() const { return m_caption; }
    EmergencyTexts texts;
    /// The contact this person is linked to (0 = none).
    std::uint16_t Key() const { return m_key; }

    /// The note "To jest wspólna informacja..." and the clear button show: somebody else uses the contact.
    bool SharedVisible() const;
    /// "Wyświetl wspólne...": shows when a stored contact other than this person's own exists.
    bool LinkVisible() const;

    struct StoredContact {
        std::uint16_t key = 0;
        std::string text;
    };
    /// The stored contacts, for the picker ("Dodatkowy Kontakt Alarmowy (najlepiej nie z rodziny)").
    std::vector<StoredContact> StoredContacts() const;
    /// Links this person to a stored contact and shows its texts. False for an unknown key.
    bool Link(std::uint16_t key);

    /// "Clear Fields?" with its answer: No leaves the shared contact but keeps the texts (a new contact is
    /// written at OK), Yes leaves it and empties the fields, Cancel does nothing.
    static std::string ClearQuestion();
    void Clear(Answer answer);

    /// OK as one change. The name is trimmed; an empty name unlinks the person. Changed texts overwrite the
    /// linked contact for everybody, or, unlinked, are stored as a new contact (lowest free number from 10).
    /// Returns the person's key; Invalid (the dialog stays, focus on the name) for a new contact whose name
    /// is shorter than 2 characters or a text the file cannot hold; a failed write changes nothing.
    Result<std::uint16_t> Store();

private:
    EmergencyFile& File() const { return *m_context.emergency; }

    RegistryContext& m_context;
    PublisherId m_person;
    std::uint16_t m_originalKey;
    std::uint16_t m_key;
    std::string m_caption;
    EmergencyTexts m_reference;
};

} // namespace vardo
