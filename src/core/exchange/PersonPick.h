#pragma once

// The pick dialog of the XML publisher lists: in export mode the list and the publishers to write, in
// import mode the list of the received file and the persons to take, with the choice for duplicates
// (update the existing record or create a new one).

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/exchange/PublistDocument.h"

namespace vardo {

class PersonPick {
public:
    enum class Mode { Export, Import };

    /// Export: the persons of each list of the register.
    PersonPick(const PublisherDatabase& database, PublistKind kind);
    /// Import: `read` gives the persons of a list element of the loaded file (ReadPublistPersons). The list
    /// shown first is `kind` when the file has it, else the first list it has.
    PersonPick(std::function<Result<std::vector<PublistPerson>>(PublistKind)> read, PublistKind kind);

    Mode GetMode() const { return m_mode; }
    /// The file has this list (always true for an export).
    bool HasList(PublistKind kind) const { return m_lists[Index(kind)].ok(); }
    /// The file has none of the three lists: the import shows message 1409 and stops.
    bool Empty() const;

    PublistKind Kind() const { return m_kind; }
    /// Shows another list; every person of it is picked. Ignored for a list the file does not have.
    void SetKind(PublistKind kind);

    struct Item {
        std::string label;
        bool duplicate = false;
        bool picked = true;
    };
    const std::vector<Item>& Items() const { return m_items; }
    void SetPicked(std::size_t item, bool on) { m_items.at(item).picked = on; }
    void PickAll(bool on);
    std::size_t PickedCount() const;

    /// Import: "Duplikaty (n)" with the number of picked duplicates; the choice shows only when n > 0.
    std::size_t PickedDuplicates() const;
    std::string DuplicatesText() const;
    bool updateDuplicates = true;

    /// Export: the records of the picked persons, in list order.
    std::vector<RecordNumber> PickedRecords() const;
    /// Import: the picked persons' positions and the duplicate choice.
    PublistImportChoice ImportChoice() const;

private:
    static std::size_t Index(PublistKind kind) { return static_cast<std::size_t>(kind); }
    void Fill();

    Mode m_mode;
    PublistKind m_kind;
    std::array<Result<std::vector<PublistPerson>>, 3> m_lists;
    std::vector<RecordNumber> m_records; ///< export: the record of each item
    std::vector<Item> m_items;
};

} // namespace vardo
