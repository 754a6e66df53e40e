#pragma once

// The register in memory: the header record, up to 1509 person records in name order, the index over them
// and the lists of each category.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Collation.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/PublisherRecord.h"

namespace vardo {

/// Records the array holds: the header and up to 1509 persons.
inline constexpr int kDatabaseCapacity = 1510;
inline constexpr int kMaxPersons = kDatabaseCapacity - 1;
/// Entries a category list may hold; additions beyond are refused.
inline constexpr int kCategoryListCapacity = 300;
/// Ids below this are never looked up.
inline constexpr PublisherId kFirstLookupId = 10;
/// New persons get ids from here up to (not including) kIdLimit.
inline constexpr PublisherId kFirstFreeId = 100;
inline constexpr PublisherId kIdLimit = 30000;

/// One entry of the PublisherIndex and of the CategoryLists. `record` points into the database's array and
/// is valid until the next structural change (sort, append, removal).
struct IndexEntry {
    PublisherId id = 0;
    std::uint16_t recordNumber = 0;
    PublisherCategory category = PublisherCategory::Publisher;
    PublisherRecord* record = nullptr;
};

using PublisherIndex = std::vector<IndexEntry>;
using CategoryList = std::vector<IndexEntry>;

/// How names are written and ordered.
struct NameOrder {
    /// Language tag of the build ("polish"); "hun" writes last-name-first without the comma.
    std::string languageTag = "polish";
    /// First byte of the names option file: every name last-name-first.
    bool allLastNameFirst = false;
    /// The first-name-first ordering setting (honoured only for the language tag "ptg").
    bool firstNameFirstOrder = false;
};

/// The publisher database. Records 1..Count()−1 are persons; record 0 is the header, kept as HeaderRecord.
/// Not copyable (1.2 MB of records); movable.
class PublisherDatabase {
public:
    /// An empty database (count 0) with its record storage reserved.
    PublisherDatabase();
    ~PublisherDatabase();
    PublisherDatabase(PublisherDatabase&&) noexcept;
    PublisherDatabase& operator=(PublisherDatabase&&) noexcept;
    PublisherDatabase(const PublisherDatabase&) = delete;
    PublisherDatabase& operator=(const PublisherDatabase&) = delete;

    /// Reserves a database; fails with "Couldn't allocate memory" when the storage cannot be had.
    static Result<std::unique_ptr<PublisherDatabase>> Create();

    // --- Records ---------------------------------------------------------------------------------------

    /// Records in use, header included (0 before loading, 1 for an empty register).
    int Count() const { return m_count; }
    /// Persons in use (Count() − 1, not below 0).
    int PersonCount() const { return m_count > 0 ? m_count - 1 : 0; }
    /// Sets the count directly (loading); clamped to 0..kDatabaseCapacity.
    void SetCount(int count);
    /// Count 0 and every record zero.
    void Clear();

    HeaderRecord& Header() { return m_header; }
    const HeaderRecord& Header() const { return m_header; }
    /// Person record 1..kDatabaseCapacity−1 (beyond Count() the slot is spare storage). Record 0 is not a
    /// person: use Header(). Out-of-range numbers are a programming error.
    PublisherRecord& Record(RecordNumber record);
    const PublisherRecord& Record(RecordNumber record) const;
    /// True for a record number of a person in use (1..Count()−1).
    bool IsPerson(RecordNumber record) const { return record >= 1 && record < m_count; }

    /// The header and the persons' records as they are now (the before-state of a change).
    struct Snapshot {
        HeaderRecord header = HeaderRecord::Empty();
        int count = 0;
        std::vector<PublisherRecord> persons;
    };
    Snapshot TakeSnapshot() const;
    /// Puts header and records back as in `snapshot` and rebuilds the index and the lists.
    void RestoreSnapshot(const Snapshot& snapshot);

    /// Whether a person of `category` can be added: fails with a message for the user when the register
    /// holds 1509 persons or the category's list holds 300.
    Status CanAdd(PublisherCategory category) const;
    /// Whether a person can be moved from its category to `category` (the target list must have room).
    Status CanMove(RecordNumber record, PublisherCategory category) const;
    /// Appends a person at Count() (no sorting, no index rebuild) after CanAdd.
    Result<RecordNumber> AppendRecord(const PublisherRecord& record);
    /// Removes a person, shifting the later records down. Index not rebuilt.
    void RemoveRecord(RecordNumber record);

    // --- Names and order -------------------------------------------------------------------------------

    void SetNameOrder(NameOrder order);
    const NameOrder& GetNameOrder() const { return m_nameOrder; }
    /// The name order used for sorting: last name first unless the first-name-first setting applies.
    bool SortsLastNameFirst() const;

    /// Name of a record in UTF-8: last-name-first ("%s, %s"; "%s %s" for "hun") when asked or when the
    /// names option says so, else first-name-first ("%s %s"). Empty for a number that is not a person.
    std::string DisplayNameOfRecord(RecordNumber record, bool lastNameFirst) const;
    /// Name of the person a PersonRef designates (a record number or a position in the Moved, Inactive or
    /// NonPublisher list); empty when it designates nobody.
    std::string DisplayName(PersonRef ref, bool lastNameFirst) const;
    /// Name of the person with this id; empty when not found.
    std::string NameOfId(PublisherId id, bool lastNameFirst) const;
    /// The record number a PersonRef designates; 0 when none. List positions use the current lists.
    RecordNumber ResolvePersonRef(PersonRef ref) const;
    /// A PersonRef for a person's record number; fails with a message for the user when the number does not
    /// fit the nine bits of a PersonRef (records above 511) or is not a person.
    Result<PersonRef> RefOfRecord(RecordNumber record) const;
    /// A PersonRef for a position in the Moved, Inactive or NonPublisher list; fails with a message when the
    /// position is not on the list or above 511.
    Result<PersonRef> RefOfListPosition(PublisherCategory list, int position) const;

    /// <0, 0, >0: a circuit overseer record is greater than anything (the first argument is tested first);
    /// otherwise the trimmed sorting names compare case-insensitively in the language's collation.
    int CompareRecords(RecordNumber a, RecordNumber b) const;
    void SwapRecords(RecordNumber a, RecordNumber b);
    /// Orders records 1..Count()−1 by CompareRecords, stably; with several circuit overseer records those
    /// end up last in reverse order of appearance (as the classic insertion sort leaves them).
    void SortRecords();
    /// What RepositionRecord did.
    struct Repositioned {
        enum class Outcome {
            Placed,         ///< the record is at its sorted place
            NotMoved,       ///< an edited record whose name equals another's stays where it is
            Discarded,      ///< an appended duplicate was refused and removed
            UpdateExisting, ///< an appended duplicate was removed; the user chose to update `existing` instead
        };
        Outcome outcome = Outcome::Placed;
        /// The person of the same name (UpdateExisting), after the removal of the appended record.
        RecordNumber existing = 0;
        explicit operator bool() const { return outcome == Outcome::Placed; }
    };
    /// Moves a changed (or just appended) record to its sorted place. An equal name asks the duplicate-name
    /// question through `prompter`: for an appended record the new record is removed either way; Yes asks
    /// the caller to update the existing person (UpdateExisting: the caller takes over what the user
    /// entered, keeping the existing person's id, reports and links), No drops it (Discarded). For an edited
    /// record the user is told and the record stays where it is (NotMoved). Index not rebuilt.
    Repositioned RepositionRecord(RecordNumber record, bool justAppended, Prompter& prompter);

    // --- Index and lists -------------------------------------------------------------------------------

    /// Counts the persons of a category (records 1..Count()−1 whose byte 200 equals it), stores and
    /// returns the count.
    int CountCategory(PublisherCategory category);
    /// The stored count of a category.
    int CategoryCount(PublisherCategory category) const;
    /// Rebuilds the PublisherIndex, the five CategoryLists (recounting every category) and the circuit
    /// overseer's record number; a second circuit overseer record is reported through `prompter` when
    /// given, and the later one wins.
    void RebuildIndex(Prompter* prompter = nullptr);
    const PublisherIndex& Index() const { return m_index; }
    /// The list of a category Publisher..Deleted (empty for CircuitOverseer).
    const CategoryList& List(PublisherCategory category) const;
    /// Record number of the circuit overseer; 0 when there is none.
    RecordNumber CircuitOverseerRecord() const { return m_circuitOverseer; }

    // --- Identification --------------------------------------------------------------------------------

    /// The person with this id, or nullptr; ids below 10 find nothing.
    PublisherRecord* FindById(PublisherId id);
    const PublisherRecord* FindById(PublisherId id) const;
    /// Record number of the person with this id; 0 when none.
    RecordNumber RecordNumberOfId(PublisherId id) const;
    /// Smallest id ≥ max(start, 100) and below 30000 not used by a person; 0 when every id is taken.
    PublisherId NextFreeId(PublisherId start = kFirstFreeId) const;
    /// Gives every person whose id repeats an earlier entry's id a fresh id. Returns the number of ids
    /// changed. Uses the index (rebuild it first).
    int RepairDuplicateIds();

    // --- File form -------------------------------------------------------------------------------------

    /// Applies the text scrambling (k = +1) or its reverse (k = −1) to records 0..Count()−1.
    void ScrambleRecords(int k);

private:
    std::string SortNameOf(const PublisherRecord& record) const;
    std::string NameOf(const PublisherRecord& record, bool lastNameFirst) const;
    void MoveRecord(RecordNumber from, RecordNumber to);

    HeaderRecord m_header = HeaderRecord::Empty();
    std::unique_ptr<PublisherRecord[]> m_records; // [kDatabaseCapacity]; element 0 unused
    int m_count = 0;
    PublisherIndex m_index;
    std::array<CategoryList, kListedCategories> m_lists;
    std::array<int, kListedCategories + 1> m_categoryCounts{};
    RecordNumber m_circuitOverseer = 0;
    NameOrder m_nameOrder;
    std::unique_ptr<Collator> m_collator;
};

/// Applies the text scrambling to one record (header included): NUL at offsets 22, 43, 106, 121, 160 and
/// 169; then in the names, address, phones and the first two dates each character at position i becomes
/// (c + k × (i + 52)) mod 256, except 0xCC in the names and in the address below position 30. Each field is
/// walked to its first NUL, never beyond its width.
void ScrambleRecord(RecordBytes& record, int k);

/// The text fields of a plain record that would not read back the same after scrambling (a character that
/// turns into NUL or, where 0xCC is kept, into 0xCC).
std::vector<TextField> UnstorableTextFields(const PublisherRecord& record);

} // namespace vardo
