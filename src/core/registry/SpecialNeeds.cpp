#include "core/registry/SpecialNeeds.h"

#include "core/platform/Strings.h"
#include "core/registry/EmergencyContact.h"
#include "core/registry/TextRules.h"

namespace vardo {
namespace {

std::span<const PublisherRecord> PersonsOf(const PublisherDatabase& database) {
    if (database.PersonCount() == 0)
        return {};
    return {&database.Record(1), static_cast<std::size_t>(database.PersonCount())};
}

} // namespace

SpecialNeedsPresenter::SpecialNeedsPresenter(RegistryContext& context, const PublisherRecord& person)
    : deaf(person.IsDeaf()), blind(person.IsBlind()), confined(person.IsConfined()), m_context(context),
      m_person(person.Id()), m_key(person.SpecialNeedsKey()), m_caption(HouseholdCaption(context.database, person)) {
    if (m_key != 0) {
        if (auto record = context.specialNeeds->Read(context.folder, m_key))
            m_reference = record->Text();
        else
            m_key = 0;
    }
    text = m_reference;
    m_loaded = {m_key, deaf, blind, confined};
}

bool SpecialNeedsPresenter::Shared() const {
    if (m_key == 0)
        return false;
    for (const PublisherRecord& person : PersonsOf(m_context.database))
        if (person.SpecialNeedsKey() == m_key && person.Id() != m_person)
            return true;
    return false;
}

Result<SpecialNeedsState> SpecialNeedsPresenter::Store() {
    using R = Result<SpecialNeedsState>;
    const std::string entered = Trimmed(text);
    SpecialNeedsState state{m_key, deaf, blind, confined};
    const bool writes = !entered.empty() && entered != m_reference;
    SpecialNeedsRecord record;
    if (writes)
        if (Status set = record.SetText(entered); !set)
            return R::Fail(Failure::Invalid, set.message());
    if (entered.empty())
        state.key = 0;
    if (!writes && state.key == m_loaded.key && deaf == m_loaded.deaf && blind == m_loaded.blind &&
        confined == m_loaded.confined)
        return state;

    PublisherDatabase& database = m_context.database;
    PublisherRecord* person = database.FindById(m_person);
    DocumentChange change(m_context.changes, std::string(Str(StrId::SpecialNeedsChangeName)));
    change.Touch(person != nullptr ? DataArea::SpecialNeeds | DataArea::Register : DataAreas(DataArea::SpecialNeeds));
    SpecialNeedsFile& file = *m_context.specialNeeds;
    if (writes && state.key != 0) {
        if (Status written = file.Write(m_context.folder, state.key, record); !written)
            return R::Fail(written);
    } else if (writes) {
        auto added = file.Add(m_context.folder, record, SpecialNeedsKeysOf(PersonsOf(database)));
        if (!added)
            return R::Fail(added.status());
        state.key = added.value();
    }
    if (person != nullptr) {
        person->SetSpecialNeedsKey(state.key);
        person->SetDeaf(deaf);
        person->SetBlind(blind);
        person->SetConfined(confined);
        // Without the marker the flags would be taken for an uninitialised word and cleared at the next load.
        person->SetNeedsFlags(static_cast<std::uint16_t>(person->NeedsFlags() | PublisherRecord::kNeedsInitialised));
    }
    change.Commit();
    m_key = state.key;
    m_reference = entered;
    m_loaded = state;
    return state;
}

} // namespace vardo
