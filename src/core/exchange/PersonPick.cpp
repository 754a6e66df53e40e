#include "core/exchange/PersonPick.h"

#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr std::array<PublistKind, 3> kKinds{PublistKind::Active, PublistKind::Inactive, PublistKind::NonPublishers};

std::vector<PublistPerson> RegisterPersons(const PublisherDatabase& database, PublistKind kind) {
    std::vector<PublistPerson> persons;
    for (const IndexEntry& entry : database.List(PublistCategory(kind))) {
        PublistPerson person;
        person.position = static_cast<int>(persons.size());
        person.id = database.Record(entry.recordNumber).Id();
        person.label = database.DisplayNameOfRecord(entry.recordNumber, true);
        person.duplicateOf = entry.recordNumber; // the record itself, not a duplicate
        persons.push_back(std::move(person));
    }
    return persons;
}

} // namespace

PersonPick::PersonPick(const PublisherDatabase& database, PublistKind kind)
    : m_mode(Mode::Export), m_kind(kind), m_lists{RegisterPersons(database, PublistKind::Active),
                                                  RegisterPersons(database, PublistKind::Inactive),
                                                  RegisterPersons(database, PublistKind::NonPublishers)} {
    Fill();
}

PersonPick::PersonPick(std::function<Result<std::vector<PublistPerson>>(PublistKind)> read, PublistKind kind)
    : m_mode(Mode::Import),
      m_kind(kind), m_lists{read(PublistKind::Active), read(PublistKind::Inactive), read(PublistKind::NonPublishers)} {
    if (!HasList(kind))
        for (const PublistKind other : kKinds)
            if (HasList(other)) {
                m_kind = other;
                break;
            }
    Fill();
}

bool PersonPick::Empty() const {
    for (const PublistKind kind : kKinds)
        if (HasList(kind))
            return false;
    return true;
}

void PersonPick::SetKind(PublistKind kind) {
    if (!HasList(kind))
        return;
    m_kind = kind;
    Fill();
}

void PersonPick::Fill() {
    m_items.clear();
    m_records.clear();
    const auto& list = m_lists[Index(m_kind)];
    if (!list.ok())
        return;
    for (const PublistPerson& person : list.value()) {
        Item item;
        item.label = person.label;
        item.duplicate = m_mode == Mode::Import && person.duplicateOf != 0;
        m_items.push_back(std::move(item));
        m_records.push_back(person.duplicateOf);
    }
}

void PersonPick::PickAll(bool on) {
    for (Item& item : m_items)
        item.picked = on;
}

std::size_t PersonPick::PickedCount() const {
    std::size_t count = 0;
    for (const Item& item : m_items)
        count += item.picked ? 1 : 0;
    return count;
}

std::size_t PersonPick::PickedDuplicates() const {
    std::size_t count = 0;
    for (const Item& item : m_items)
        count += item.picked && item.duplicate ? 1 : 0;
    return count;
}

std::string PersonPick::DuplicatesText() const {
    return FormatPrintf("%s (%d)", std::string(Str(StrId::PickDuplicates)).c_str(),
                        static_cast<int>(PickedDuplicates()));
}

std::vector<RecordNumber> PersonPick::PickedRecords() const {
    std::vector<RecordNumber> records;
    if (m_mode != Mode::Export)
        return records;
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].picked)
            records.push_back(m_records[i]);
    return records;
}

PublistImportChoice PersonPick::ImportChoice() const {
    PublistImportChoice choice;
    choice.updateDuplicates = updateDuplicates;
    if (m_mode != Mode::Import)
        return choice;
    const auto& list = m_lists[Index(m_kind)];
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].picked)
            choice.positions.push_back(list.value()[i].position);
    return choice;
}

} // namespace vardo
