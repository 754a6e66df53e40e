#pragma once

// The publisher chooser: the names of one list of the register, the selection, and the copy source that
// the editor's copy and paste keeps between persons.

#include <optional>
#include <string>
#include <vector>

#include "core/registry/RegistryContext.h"

namespace vardo {

class PublisherChooser {
public:
    /// Edit: open the editor and add persons. Pick: only choose a person (for other dialogs).
    enum class Mode { Edit, Pick };

    PublisherChooser(RegistryContext& context, Mode mode, PublisherCategory category = PublisherCategory::Publisher);

    Mode GetMode() const { return m_mode; }
    /// The list shown: the active publishers, or the interested persons (NonPublisher) of their chooser.
    PublisherCategory Category() const { return m_category; }
    RegistryContext& Context() { return m_context; }

    /// Names of the list's persons in list order (the register's sorting name form).
    std::vector<std::string> Names() const;
    int Count() const;
    /// Selected position, -1 when the list is empty.
    int Selection() const;
    void Select(int position);
    /// Selects the person with this id when listed.
    void SelectId(PublisherId id);
    RecordNumber RecordAt(int position) const;
    PublisherId IdAt(int position) const;
    /// Position of a person in the list; -1 when not listed.
    int PositionOfId(PublisherId id) const;

    /// After a change of the register: rebuilds the index and keeps the selected person (the first entry
    /// when that person is gone).
    void Refill();

    /// Caption of the button that opens (Edit) or chooses (Pick), of the closing button, and whether the
    /// add button shows.
    std::string OpenButtonText() const;
    std::string CloseButtonText() const;
    bool AddVisible() const { return m_mode == Mode::Edit; }
    /// The chooser's caption: string 1287 over the interested persons; empty for the dialog's own title.
    std::string Caption() const;
    /// The add button's text over the interested persons: string 1043 without its "<" and, unless the
    /// language is Swedish, without its blanks ("&Dodaj").
    std::string AddButtonText() const;

    /// Adding to the active list offers a choice (dialog "Dodaj głosiciela") when inactive persons or
    /// non-publishers exist; the other lists add a new person directly.
    bool AddNeedsChoice() const {
        return m_category == PublisherCategory::Publisher && (HasInactive() || HasNonPublishers());
    }
    bool HasInactive() const;
    bool HasNonPublishers() const;

    /// The person the editor's "Kopiuj" remembered; kept while the chooser is open.
    std::optional<PublisherId> copySource;

private:
    const CategoryList& List() const;

    RegistryContext& m_context;
    Mode m_mode;
    PublisherCategory m_category;
    std::optional<PublisherId> m_selectedId;
};

} // namespace vardo
