#include "core/registry/EmergencyContact.h"

#include "core/platform/Strings.h"
#include "core/registry/AutoCapitalize.h"
#include "core/registry/TextRules.h"

namespace vardo {
namespace {

EmergencyTexts TextsOf(const EmergencyContactRecord& record) {
    return {record.Name(),        record.Information(), record.HomePhone(),
            record.MobilePhone(), record.WorkPhone(),   record.IsWitness()};
}

std::span<const PublisherRecord> PersonsOf(const PublisherDatabase& database) {
    if (database.PersonCount() == 0)
        return {};
    return {&database.Record(1), static_cast<std::size_t>(database.PersonCount())};
}

} // namespace

int OtherContactReferences(const PublisherDatabase& database, std::uint16_t key, PublisherId self) {
    if (key == 0)
        return 0;
    int count = 0;
    for (const PublisherRecord& person : PersonsOf(database))
        count += person.EmergencyKey() == key && person.Id() != self ? 1 : 0;
    return count;
}

std::string HouseholdCaption(const PublisherDatabase& database, const PublisherRecord& person) {
    const std::string name = person.FirstName() + " " + person.LastName();
    const PublisherId head = person.FamilyHead();
    if (head == 0 || head == person.Id())
        return name;
    const PublisherRecord* headRecord = database.FindById(head);
    if (headRecord == nullptr)
        return name;
    return FormatPrintf("%s (%s)", name.c_str(), (headRecord->FirstName() + " " + headRecord->LastName()).c_str());
}

EmergencyContactPresenter::EmergencyContactPresenter(RegistryContext& context, const PublisherRecord& person)
    : m_context(context), m_person(person.Id()), m_originalKey(person.EmergencyKey()), m_key(person.EmergencyKey()),
      m_caption(HouseholdCaption(context.database, person)) {
    if (m_key != 0) {
        if (auto record = File().Read(context.folder, m_key))
            m_reference = TextsOf(*record);
        else
            m_key = 0; // a number beyond the table reads as empty
    }
    texts = m_reference;
}

bool EmergencyContactPresenter::SharedVisible() const {
    return OtherContactReferences(m_context.database, m_key, m_person) > 0;
}

bool EmergencyContactPresenter::LinkVisible() const {
    for (std::uint16_t key : File().Keys())
        if (key != 0 && key != m_key)
            return true;
    return false;
}

std::vector<EmergencyContactPresenter::StoredContact> EmergencyContactPresenter::StoredContacts() const {
    std::vector<StoredContact> contacts;
    for (std::uint16_t key : File().Keys()) {
        if (key == 0)
            continue;
        if (auto record = File().Read(m_context.folder, key)) {
            std::string text = record->Name();
            const std::string phone = !record->HomePhone().empty() ? record->HomePhone() : record->MobilePhone();
            if (!phone.empty())
                text += " - " + phone;
            contacts.push_back({key, std::move(text)});
        }
    }
    return contacts;
}

bool EmergencyContactPresenter::Link(std::uint16_t key) {
    auto record = File().Read(m_context.folder, key);
    if (!record)
        return false;
    m_key = key;
    m_reference = TextsOf(*record);
    texts = m_reference;
    return true;
}

std::string EmergencyContactPresenter::ClearQuestion() {
    return std::string(Str(StrId::ClearFieldsQuestion));
}

void EmergencyContactPresenter::Clear(Answer answer) {
    if (answer != Answer::Yes && answer != Answer::No)
        return;
    m_key = 0;
    m_reference = EmergencyTexts{};
    if (answer == Answer::Yes)
        texts = EmergencyTexts{};
}

Result<std::uint16_t> EmergencyContactPresenter::Store() {
    using R = Result<std::uint16_t>;
    EmergencyTexts entered = texts;
    entered.name = Trimmed(entered.name);
    std::uint16_t key = m_key;

    const bool writes = !entered.name.empty() && entered != m_reference;
    EmergencyContactRecord record;
    if (writes) {
        if (key == 0 && CharacterCount(entered.name) < 2)
            return R::Fail(Failure::Invalid, std::string(Str(StrId::ContactNameTooShort)));
        for (const Status& status : {record.SetName(entered.name), record.SetInformation(entered.information),
                                     record.SetHomePhone(entered.homePhone), record.SetMobilePhone(entered.mobilePhone),
                                     record.SetWorkPhone(entered.workPhone)})
            if (!status)
                return R::Fail(Failure::Invalid, status.message());
        record.SetWitness(entered.witness);
    }

    if (entered.name.empty())
        key = 0;
    if (!writes && key == m_originalKey) {
        m_key = key;
        texts = entered;
        return key;
    }

    PublisherDatabase& database = m_context.database;
    PublisherRecord* person = database.FindById(m_person);
    DocumentChange change(m_context.changes, std::string(Str(StrId::EmergencyChangeName)));
    change.Touch(person != nullptr ? DataArea::Emergency | DataArea::Register : DataAreas(DataArea::Emergency));
    if (writes && key != 0) {
        if (Status written = File().Write(m_context.folder, key, record); !written)
            return R::Fail(written);
    } else if (writes) {
        auto added = File().Add(m_context.folder, record, EmergencyKeysOf(PersonsOf(database)));
        if (!added)
            return R::Fail(added.status());
        key = added.value();
    }
    if (person != nullptr)
        person->SetEmergencyKey(key);
    change.Commit();
    m_key = key;
    m_originalKey = key;
    m_reference = entered;
    texts = entered;
    return key;
}

} // namespace vardo
