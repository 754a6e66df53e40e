#include "core/store/PublisherDatabase.h"

#include <algorithm>
#include <bitset>
#include <cassert>
#include <new>
#include <numeric>
#include <unordered_map>

#include "core/platform/CodePage.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr std::uint8_t kKeptByte = 0xCC;

struct ScrambledField {
    std::size_t offset;
    std::size_t width;
    std::size_t keepBelow; // positions below this keep 0xCC unchanged; 0 = no exception
};

// The names, address, phones and the baptism and birth dates; the third date is left as it is.
constexpr ScrambledField kScrambledFields[] = {
    {2, 21, 21}, {23, 21, 21}, {44, 63, 30}, {107, 15, 0}, {122, 15, 0}, {137, 15, 0}, {152, 9, 0}, {161, 9, 0},
};
constexpr std::size_t kForcedNul[] = {22, 43, 106, 121, 160, 169};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view TrimBlank(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

int ListSlot(PublisherCategory category) {
    const int value = static_cast<int>(category);
    return value >= 0 && value < kListedCategories ? value : -1;
}

std::string_view ListName(PublisherCategory category) {
    switch (category) {
    case PublisherCategory::Publisher:
        return Str(StrId::ListPublishers);
    case PublisherCategory::Inactive:
        return Str(StrId::ListInactive);
    case PublisherCategory::NonPublisher:
        return Str(StrId::ListNonPublishers);
    case PublisherCategory::Moved:
        return Str(StrId::ListMoved);
    case PublisherCategory::Deleted:
        return Str(StrId::ListDeleted);
    case PublisherCategory::CircuitOverseer:
        break;
    }
    return {};
}

} // namespace

void ScrambleRecord(RecordBytes& record, int k) {
    for (std::size_t offset : kForcedNul)
        record.SetU8(offset, 0);
    for (const ScrambledField& field : kScrambledFields) {
        const std::size_t length = record.RawText(field.offset, field.width).size();
        for (std::size_t i = 0; i < length; ++i) {
            const std::uint8_t c = record.U8(field.offset + i);
            if (c == kKeptByte && i < field.keepBelow)
                continue;
            const int shifted = c + k * static_cast<int>(i + 52);
            record.SetU8(field.offset + i, static_cast<std::uint8_t>(((shifted % 256) + 256) % 256));
        }
    }
}

std::vector<TextField> UnstorableTextFields(const PublisherRecord& record) {
    PublisherRecord roundTrip = record;
    ScrambleRecord(roundTrip, +1);
    ScrambleRecord(roundTrip, -1);
    std::vector<TextField> fields;
    for (TextField field : {TextField::FirstName, TextField::LastName, TextField::Address, TextField::Phone1,
                            TextField::Phone2, TextField::Phone3, TextField::BaptismDate, TextField::BirthDate}) {
        if (roundTrip.RawText(field) != record.RawText(field))
            fields.push_back(field);
    }
    return fields;
}

PublisherDatabase::PublisherDatabase()
    : m_records(new PublisherRecord[kDatabaseCapacity]()), m_collator(std::make_unique<Collator>("polish")) {}

PublisherDatabase::~PublisherDatabase() = default;
PublisherDatabase::PublisherDatabase(PublisherDatabase&&) noexcept = default;
PublisherDatabase& PublisherDatabase::operator=(PublisherDatabase&&) noexcept = default;

Result<std::unique_ptr<PublisherDatabase>> PublisherDatabase::Create() {
    try {
        return std::make_unique<PublisherDatabase>();
    } catch (const std::bad_alloc&) {
        return Result<std::unique_ptr<PublisherDatabase>>::Fail(std::string(Str(StrId::NoMemory)));
    }
}

void PublisherDatabase::SetCount(int count) {
    m_count = std::clamp(count, 0, kDatabaseCapacity);
}

void PublisherDatabase::Clear() {
    m_count = 0;
    m_header = HeaderRecord::Empty();
    for (int i = 0; i < kDatabaseCapacity; ++i)
        m_records[static_cast<std::size_t>(i)].Clear();
    m_index.clear();
    for (auto& list : m_lists)
        list.clear();
    m_categoryCounts.fill(0);
    m_circuitOverseer = 0;
}

PublisherDatabase::Snapshot PublisherDatabase::TakeSnapshot() const {
    Snapshot snapshot;
    snapshot.header = m_header;
    snapshot.count = m_count;
    if (m_count > 1)
        snapshot.persons.assign(&m_records[1], &m_records[static_cast<std::size_t>(m_count)]);
    snapshot.persons.shrink_to_fit();
    return snapshot;
}

void PublisherDatabase::RestoreSnapshot(const Snapshot& snapshot) {
    const int count = snapshot.count;
    for (int i = count; i < m_count; ++i)
        m_records[static_cast<std::size_t>(i)].Clear();
    m_header = snapshot.header;
    std::copy(snapshot.persons.begin(), snapshot.persons.end(), &m_records[1]);
    m_count = count;
    RebuildIndex();
}

PublisherRecord& PublisherDatabase::Record(RecordNumber record) {
    assert(record >= 1 && record < kDatabaseCapacity);
    return m_records[static_cast<std::size_t>(record)];
}

const PublisherRecord& PublisherDatabase::Record(RecordNumber record) const {
    assert(record >= 1 && record < kDatabaseCapacity);
    return m_records[static_cast<std::size_t>(record)];
}

Status PublisherDatabase::CanAdd(PublisherCategory category) const {
    if (PersonCount() >= kMaxPersons)
        return Status::Fail(FormatArgs(Str(StrId::RegisterFull), {std::to_string(kMaxPersons)}));
    const int slot = ListSlot(category);
    if (slot >= 0) {
        int inList = 0;
        for (int i = 1; i < m_count; ++i)
            inList += Record(i).CategoryByte() == slot ? 1 : 0;
        if (inList >= kCategoryListCapacity)
            return Status::Fail(
                FormatArgs(Str(StrId::ListFull), {ListName(category), std::to_string(kCategoryListCapacity)}));
    }
    return Status::Ok();
}

Status PublisherDatabase::CanMove(RecordNumber record, PublisherCategory category) const {
    if (!IsPerson(record) || Record(record).Category() == category)
        return Status::Ok();
    const int slot = ListSlot(category);
    if (slot < 0)
        return Status::Ok();
    int inList = 0;
    for (int i = 1; i < m_count; ++i)
        inList += Record(i).CategoryByte() == slot ? 1 : 0;
    if (inList >= kCategoryListCapacity)
        return Status::Fail(
            FormatArgs(Str(StrId::ListFull), {ListName(category), std::to_string(kCategoryListCapacity)}));
    return Status::Ok();
}

Result<RecordNumber> PublisherDatabase::AppendRecord(const PublisherRecord& record) {
    if (Status can = CanAdd(record.Category()); !can)
        return Result<RecordNumber>::Fail(can);
    if (m_count == 0) {
        m_header = HeaderRecord::Empty();
        m_count = 1;
    }
    const RecordNumber number = m_count;
    Record(number) = record;
    ++m_count;
    return number;
}

void PublisherDatabase::RemoveRecord(RecordNumber record) {
    if (!IsPerson(record))
        return;
    MoveRecord(record, m_count - 1);
    Record(m_count - 1).Clear();
    --m_count;
}

void PublisherDatabase::MoveRecord(RecordNumber from, RecordNumber to) {
    if (from == to)
        return;
    PublisherRecord* base = m_records.get();
    if (from < to)
        std::rotate(base + from, base + from + 1, base + to + 1);
    else
        std::rotate(base + to, base + from, base + from + 1);
}

void PublisherDatabase::SetNameOrder(NameOrder order) {
    if (order.languageTag != m_nameOrder.languageTag)
        m_collator = std::make_unique<Collator>(order.languageTag);
    m_nameOrder = std::move(order);
}

bool PublisherDatabase::SortsLastNameFirst() const {
    return !(m_nameOrder.firstNameFirstOrder && m_nameOrder.languageTag == "ptg");
}

std::string PublisherDatabase::NameOf(const PublisherRecord& record, bool lastNameFirst) const {
    const std::string first = codepage::Cp1250ToUtf8(record.RawText(TextField::FirstName));
    const std::string last = codepage::Cp1250ToUtf8(record.RawText(TextField::LastName));
    if (lastNameFirst || m_nameOrder.allLastNameFirst)
        return last + (m_nameOrder.languageTag == "hun" ? " " : ", ") + first;
    return first + " " + last;
}

std::string PublisherDatabase::SortNameOf(const PublisherRecord& record) const {
    return std::string(TrimBlank(NameOf(record, SortsLastNameFirst())));
}

std::string PublisherDatabase::DisplayNameOfRecord(RecordNumber record, bool lastNameFirst) const {
    if (!IsPerson(record))
        return {};
    return NameOf(Record(record), lastNameFirst);
}

RecordNumber PublisherDatabase::ResolvePersonRef(PersonRef ref) const {
    const int position = ref & kPersonRefPositionMask;
    const CategoryList* list = nullptr;
    if (ref & kPersonRefNonPublisher)
        list = &m_lists[static_cast<std::size_t>(PublisherCategory::NonPublisher)];
    else if (ref & kPersonRefInactive)
        list = &m_lists[static_cast<std::size_t>(PublisherCategory::Inactive)];
    else if (ref & kPersonRefMoved)
        list = &m_lists[static_cast<std::size_t>(PublisherCategory::Moved)];
    if (list == nullptr)
        return IsPerson(position) ? position : 0;
    if (position >= static_cast<int>(list->size()))
        return 0;
    return (*list)[static_cast<std::size_t>(position)].recordNumber;
}

Result<PersonRef> PublisherDatabase::RefOfRecord(RecordNumber record) const {
    const std::optional<PersonRef> ref = PersonRefOfRecord(record);
    if (!IsPerson(record) || !ref)
        return Result<PersonRef>::Fail(
            FormatArgs(Str(StrId::BeyondPersonRef), {std::to_string(record), std::to_string(kPersonRefMaxPosition)}));
    return *ref;
}

Result<PersonRef> PublisherDatabase::RefOfListPosition(PublisherCategory list, int position) const {
    const std::optional<PersonRef> ref = PersonRefOfListPosition(list, position);
    if (!ref || position >= static_cast<int>(List(list).size()))
        return Result<PersonRef>::Fail(
            FormatArgs(Str(StrId::BeyondPersonRef), {std::to_string(position), std::to_string(kPersonRefMaxPosition)}));
    return *ref;
}

std::string PublisherDatabase::DisplayName(PersonRef ref, bool lastNameFirst) const {
    return DisplayNameOfRecord(ResolvePersonRef(ref), lastNameFirst);
}

std::string PublisherDatabase::NameOfId(PublisherId id, bool lastNameFirst) const {
    const RecordNumber record = RecordNumberOfId(id);
    return record == 0 ? std::string() : DisplayNameOfRecord(record, lastNameFirst);
}

int PublisherDatabase::CompareRecords(RecordNumber a, RecordNumber b) const {
    if (Record(a).Category() == PublisherCategory::CircuitOverseer)
        return 1;
    if (Record(b).Category() == PublisherCategory::CircuitOverseer)
        return -1;
    return m_collator->Compare(SortNameOf(Record(a)), SortNameOf(Record(b)));
}

void PublisherDatabase::SwapRecords(RecordNumber a, RecordNumber b) {
    std::swap(Record(a), Record(b));
}

void PublisherDatabase::SortRecords() {
    const int persons = m_count - 1;
    if (persons < 2)
        return;
    // The classic insertion sort keeps equal names in their order and moves every circuit overseer record
    // (greater than anything, itself included) to the front of the overseers already passed; a stable sort
    // on collation keys with the overseers appended in reverse gives the same order.
    std::vector<std::string> keys(static_cast<std::size_t>(m_count));
    std::vector<RecordNumber> order;
    std::vector<RecordNumber> overseers;
    order.reserve(static_cast<std::size_t>(persons));
    for (RecordNumber r = 1; r < m_count; ++r) {
        if (Record(r).Category() == PublisherCategory::CircuitOverseer) {
            overseers.push_back(r);
            continue;
        }
        keys[static_cast<std::size_t>(r)] = m_collator->SortKey(SortNameOf(Record(r)));
        order.push_back(r);
    }
    std::stable_sort(order.begin(), order.end(), [&keys](RecordNumber a, RecordNumber b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    order.insert(order.end(), overseers.rbegin(), overseers.rend());

    bool moved = false;
    for (std::size_t i = 0; i < order.size() && !moved; ++i)
        moved = order[i] != static_cast<RecordNumber>(i + 1);
    if (!moved)
        return;
    std::vector<PublisherRecord> sorted;
    sorted.reserve(order.size());
    for (RecordNumber r : order)
        sorted.push_back(Record(r));
    std::copy(sorted.begin(), sorted.end(), m_records.get() + 1);
}

PublisherDatabase::Repositioned PublisherDatabase::RepositionRecord(RecordNumber record, bool justAppended,
                                                                    Prompter& prompter) {
    if (!IsPerson(record))
        return {Repositioned::Outcome::NotMoved, 0};
    if (m_count == record + 1 && record == 1)
        return {};

    RecordNumber insertAt = m_count;
    for (RecordNumber i = 1; i < m_count; ++i) {
        if (i == record)
            continue;
        const int order = CompareRecords(record, i);
        if (order > 0)
            continue;
        if (order < 0) {
            insertAt = i;
            break;
        }
        if (justAppended && Record(record).Category() == PublisherCategory::Publisher &&
            Record(i).Category() != PublisherCategory::Publisher)
            continue;

        // Duplicate name: the existing person's name in the names option's form alone.
        std::string text = NameOf(Record(i), false) + " " + std::string(Str(StrId::DuplicateName)) + "\n\n";
        if (!justAppended) {
            prompter.Message(text, Severity::Warning);
            return {Repositioned::Outcome::NotMoved, i};
        }
        RemoveRecord(record);
        if (i > record)
            --i;
        text += Str(StrId::OverwriteQuestion);
        if (prompter.Ask(text, Buttons::YesNo, Answer::No) == Answer::Yes)
            return {Repositioned::Outcome::UpdateExisting, i};
        return {Repositioned::Outcome::Discarded, 0};
    }

    // Move the record before the insertion point; records in between shift by one.
    const RecordNumber target = insertAt > record ? insertAt - 1 : insertAt;
    MoveRecord(record, target);
    SortRecords();
    return {};
}

int PublisherDatabase::CountCategory(PublisherCategory category) {
    const auto value = static_cast<std::uint8_t>(category);
    int count = 0;
    for (RecordNumber i = 1; i < m_count; ++i)
        count += Record(i).CategoryByte() == value ? 1 : 0;
    if (value < m_categoryCounts.size())
        m_categoryCounts[value] = count;
    return count;
}

int PublisherDatabase::CategoryCount(PublisherCategory category) const {
    const auto value = static_cast<std::size_t>(category);
    return value < m_categoryCounts.size() ? m_categoryCounts[value] : 0;
}

void PublisherDatabase::RebuildIndex(Prompter* prompter) {
    m_index.clear();
    m_index.reserve(static_cast<std::size_t>(PersonCount()));
    m_circuitOverseer = 0;
    m_categoryCounts.fill(0);
    for (RecordNumber i = 1; i < m_count; ++i) {
        PublisherRecord& record = Record(i);
        m_index.push_back({record.Id(), static_cast<std::uint16_t>(i), record.Category(), &record});
        const std::uint8_t category = record.CategoryByte();
        if (category < m_categoryCounts.size())
            ++m_categoryCounts[category];
        if (record.Category() == PublisherCategory::CircuitOverseer) {
            if (m_circuitOverseer != 0 && prompter != nullptr)
                prompter->Message(Str(StrId::DuplicateOverseer), Severity::Warning);
            m_circuitOverseer = i;
        }
    }
    for (auto& list : m_lists)
        list.clear();
    for (const IndexEntry& entry : m_index) {
        const int slot = ListSlot(entry.category);
        if (slot >= 0)
            m_lists[static_cast<std::size_t>(slot)].push_back(entry);
    }
}

const CategoryList& PublisherDatabase::List(PublisherCategory category) const {
    static const CategoryList kNone;
    const int slot = ListSlot(category);
    return slot >= 0 ? m_lists[static_cast<std::size_t>(slot)] : kNone;
}

PublisherRecord* PublisherDatabase::FindById(PublisherId id) {
    const RecordNumber record = RecordNumberOfId(id);
    return record == 0 ? nullptr : &Record(record);
}

const PublisherRecord* PublisherDatabase::FindById(PublisherId id) const {
    const RecordNumber record = RecordNumberOfId(id);
    return record == 0 ? nullptr : &Record(record);
}

RecordNumber PublisherDatabase::RecordNumberOfId(PublisherId id) const {
    if (id < kFirstLookupId)
        return 0;
    for (RecordNumber i = 1; i < m_count; ++i) {
        if (Record(i).Id() == id)
            return i;
    }
    return 0;
}

PublisherId PublisherDatabase::NextFreeId(PublisherId start) const {
    std::bitset<kIdLimit> used;
    for (RecordNumber i = 1; i < m_count; ++i) {
        const PublisherId id = Record(i).Id();
        if (id < kIdLimit)
            used.set(id);
    }
    for (std::size_t id = std::max(start, kFirstFreeId); id < kIdLimit; ++id) {
        if (!used.test(id))
            return static_cast<PublisherId>(id);
    }
    return 0;
}

int PublisherDatabase::RepairDuplicateIds() {
    int changed = 0;
    // Side files (appointments, emergency contacts, late reports, ...) key on the id, and they belong to the
    // active publisher: of the records sharing an id, the first publisher keeps it, else the first record.
    std::unordered_map<PublisherId, const IndexEntry*> keeper;
    for (const IndexEntry& entry : m_index) {
        const auto [at, added] = keeper.emplace(entry.id, &entry);
        if (!added && at->second->category != PublisherCategory::Publisher &&
            entry.category == PublisherCategory::Publisher)
            at->second = &entry;
    }
    for (IndexEntry& entry : m_index) {
        if (keeper.at(entry.id) != &entry) {
            const PublisherId fresh = NextFreeId(std::max(entry.id, kFirstFreeId));
            if (fresh != 0) {
                entry.record->SetId(fresh);
                entry.id = fresh;
                ++changed;
            }
        }
    }
    if (changed > 0) {
        for (auto& list : m_lists) {
            for (IndexEntry& entry : list)
                entry.id = entry.record->Id();
        }
    }
    return changed;
}

void PublisherDatabase::ScrambleRecords(int k) {
    if (m_count <= 0)
        return;
    ScrambleRecord(m_header, k);
    for (RecordNumber i = 1; i < m_count; ++i)
        ScrambleRecord(Record(i), k);
}

} // namespace vardo
