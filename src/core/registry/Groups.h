#pragma once

// The field service groups: the texts other modules print for a group, the count rule, and the rules of the
// group list, the group editor and the assignment of persons to groups.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Result.h"
#include "core/platform/Strings.h"
#include "core/registry/RegistryContext.h"

namespace vardo {

/// Group numbers g are 1..20 below; texts are UTF-8.

/// The group's own name when g is defined (g ≤ Count()), uses its name and the name is longer than one
/// character; otherwise "Grupa # g". Empty for g beyond the defined groups.
std::string GroupName(const GroupTable& groups, int g);
/// The texts of a defined group; empty for g beyond the defined groups.
std::string GroupOverseer(const GroupTable& groups, int g);
std::string GroupAssistant(const GroupTable& groups, int g);
std::string GroupPlace(const GroupTable& groups, int g);
/// Weekday name of the meeting day ("poniedziałek".."niedziela"); empty for another stored value.
std::string GroupDay(const GroupTable& groups, int g);
std::string GroupTime(const GroupTable& groups, int g);
/// Weekday name of day 0..6 (Monday..Sunday); empty otherwise.
std::string DayName(int day);

/// The number of consecutive groups from group 1 whose overseer, trimmed, is not empty.
int CountDefinedGroups(const GroupTable& groups);

/// The Publisher whose first-name-first name ("First Last") equals `name`; 0 when none.
RecordNumber PublisherNamed(const PublisherDatabase& database, std::string_view name);
/// First-name-first name of a person ("%s %s").
std::string FirstNameFirst(const PublisherRecord& person);

/// Caption of a group's overseer: 1269 for a ministerial servant, 1040 for an elder, 1299 for another
/// Publisher of that name; 1040 when no Publisher has the overseer's name.
StrId OverseerTitle(const PublisherDatabase& database, const GroupTable& groups, int g);

/// Byte 181 of the person at `position` of the Inactive or NonPublisher list; 0 when `honourHidden` and the
/// person's group is hidden (byte 239 bit 7). 0 for a position outside the list.
int PersonGroup(const PublisherDatabase& database, PublisherCategory list, int position, bool honourHidden);

/// Group list (dialog "Edycja Grupa Służby Polowej").
class GroupListPresenter {
public:
    explicit GroupListPresenter(RegistryContext& context);

    /// Column headings: "Nadzorca", "Zastępca", "Miejsce", "Dzień", "Godzina".
    static std::vector<std::string> Headings();
    /// The 20 rows, tab-separated; rows after the defined groups show only "#g".
    std::vector<std::string> Rows() const;
    /// The "*" note shows when an overseer or assistant name matches no Publisher.
    bool NoteVisible() const;
    static std::string NoteText();

    /// Selected row 0..19. A row after the first free group selects the first free group.
    int Selection() const { return m_selection; }
    void Select(int row);
    /// "Edycja <group name>" for the selected group.
    std::string EditButtonText() const;
    /// The assignment needs at least one Publisher.
    bool AssignEnabled() const;

    /// "Wyjdź": recomputes the number of groups; a change of it is one change of the data.
    void Close();

private:
    RegistryContext& m_context;
    int m_selection = 0;
};

/// The fields of the group editor.
struct GroupFields {
    std::string overseer;
    std::string assistant;
    std::string place;
    int day = 0;
    std::string time;
    bool useName = false;
    std::string name;
};

/// Group editor (dialog 131) for one group.
class GroupEditorPresenter {
public:
    GroupEditorPresenter(RegistryContext& context, int g);

    int Group() const { return m_group; }
    /// The window title: the group's caption ("Grupa # 3" or its own name).
    std::string Title() const;
    GroupFields fields;
    /// The name field is enabled by the check box.
    bool NameEnabled() const { return fields.useName; }
    /// "Wybierz": the first-name-first name of the chosen Publisher.
    void ChooseOverseer(RecordNumber record);
    void ChooseAssistant(RecordNumber record);

    /// OK as one change: stores the fields within the editing limits (the name trimmed and cut to 20, its
    /// flag off when empty); a group beyond the defined ones with an overseer becomes the last defined
    /// group. Invalid (nothing stored) for a text outside Windows-1250.
    Status Store();

private:
    RegistryContext& m_context;
    int m_group;
};

/// Assignment of persons to a group (dialog 128).
class GroupAssignment {
public:
    /// Candidate filter: every group, or one group 1..20, or only persons without a group.
    static constexpr int kAllGroups = 0;
    static constexpr int kUnassigned = 21;

    GroupAssignment(RegistryContext& context, int targetGroup);

    int Target() const { return m_target; }
    void SetTarget(int g);
    /// "do grupy  #g".
    std::string TargetCaption() const;
    /// "Nadzorca: <overseer>" of the target group; empty when it has none.
    std::string TargetOverseerText() const;
    /// Names of the Publishers in the target group.
    std::vector<std::string> Members() const;

    int Filter() const { return m_filter; }
    void SetFilter(int filter) { m_filter = filter; }
    /// Filter list: "***", "01".."20".
    static std::vector<std::string> FilterItems();
    bool OnlyUnassigned() const { return m_filter == kUnassigned; }
    void SetOnlyUnassigned(bool on) { m_filter = on ? kUnassigned : kAllGroups; }
    bool IncludeInactive() const { return m_includeInactive; }
    void SetIncludeInactive(bool on) { m_includeInactive = on; }

    struct Candidate {
        PublisherId id = 0;
        std::string text;
    };
    /// Publishers (and Inactive persons when included) not in the target group, filtered: "Name (g)",
    /// "Name" without a group, " *" after an Inactive person.
    std::vector<Candidate> Candidates() const;

    /// "<<< Przydziel <<<": puts the person into the target group, as one change. NotFound for an unknown
    /// person, Refused for a person of another category.
    Status Assign(PublisherId id);

private:
    RegistryContext& m_context;
    int m_target;
    int m_filter = kAllGroups;
    bool m_includeInactive = false;
};

} // namespace vardo
