#include "core/registry/Groups.h"

#include <algorithm>
#include <array>

#include "core/registry/AutoCapitalize.h"
#include "core/registry/TextRules.h"

namespace vardo {
namespace {

bool Defined(const GroupTable& groups, int g) {
    return g >= 1 && g <= groups.Count();
}

std::string Cut(std::string_view text, std::size_t limit) {
    return FirstCharacters(text, static_cast<int>(limit));
}

/// A name shown in the group list gets "*" when no Publisher has it.
std::string Mark(const PublisherDatabase& database, std::string_view name) {
    return !name.empty() && PublisherNamed(database, name) == 0 ? "*" : "";
}

} // namespace

std::string GroupName(const GroupTable& groups, int g) {
    return Defined(groups, g) ? groups.DisplayName(g - 1) : std::string();
}

std::string GroupOverseer(const GroupTable& groups, int g) {
    return Defined(groups, g) ? groups.Overseer(g - 1) : std::string();
}

std::string GroupAssistant(const GroupTable& groups, int g) {
    return Defined(groups, g) ? groups.Assistant(g - 1) : std::string();
}

std::string GroupPlace(const GroupTable& groups, int g) {
    return Defined(groups, g) ? groups.Place(g - 1) : std::string();
}

std::string GroupDay(const GroupTable& groups, int g) {
    return Defined(groups, g) ? DayName(groups.MeetingDay(g - 1)) : std::string();
}

std::string GroupTime(const GroupTable& groups, int g) {
    return Defined(groups, g) ? groups.Time(g - 1) : std::string();
}

std::string DayName(int day) {
    static constexpr std::array<StrId, 7> kDays = {StrId::Monday, StrId::Tuesday,  StrId::Wednesday, StrId::Thursday,
                                                   StrId::Friday, StrId::Saturday, StrId::Sunday};
    return day >= 0 && day < 7 ? std::string(Str(kDays[static_cast<std::size_t>(day)])) : std::string();
}

int CountDefinedGroups(const GroupTable& groups) {
    int count = 0;
    while (count < GroupTable::kMaxGroups && !Trimmed(groups.Overseer(count)).empty())
        ++count;
    return count;
}

std::string FirstNameFirst(const PublisherRecord& person) {
    return person.FirstName() + " " + person.LastName();
}

RecordNumber PublisherNamed(const PublisherDatabase& database, std::string_view name) {
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher))
        if (FirstNameFirst(database.Record(entry.recordNumber)) == name)
            return entry.recordNumber;
    return 0;
}

StrId OverseerTitle(const PublisherDatabase& database, const GroupTable& groups, int g) {
    const RecordNumber record = PublisherNamed(database, GroupOverseer(groups, g));
    if (record == 0)
        return StrId::Overseer;
    switch (database.Record(record).GetAppointment()) {
    case Appointment::MinisterialServant:
        return StrId::ServantOverseer;
    case Appointment::Elder:
        return StrId::Overseer;
    default:
        return StrId::OtherOverseer;
    }
}

int PersonGroup(const PublisherDatabase& database, PublisherCategory list, int position, bool honourHidden) {
    const CategoryList& persons = database.List(list);
    if (position < 0 || static_cast<std::size_t>(position) >= persons.size())
        return 0;
    const PublisherRecord& person = database.Record(persons[static_cast<std::size_t>(position)].recordNumber);
    return honourHidden && person.HidesGroup() ? 0 : person.Group();
}

// --- Group list ----------------------------------------------------------------------------------------------

GroupListPresenter::GroupListPresenter(RegistryContext& context) : m_context(context) {}

std::vector<std::string> GroupListPresenter::Headings() {
    return {std::string(Str(StrId::GroupOverseerHeading)), std::string(Str(StrId::GroupAssistantHeading)),
            std::string(Str(StrId::GroupPlaceHeading)), std::string(Str(StrId::GroupDayHeading)),
            std::string(Str(StrId::GroupTimeHeading))};
}

std::vector<std::string> GroupListPresenter::Rows() const {
    const GroupTable& groups = m_context.groups;
    const PublisherDatabase& database = m_context.database;
    const std::string hash(Str(StrId::GroupNumberSign));
    std::vector<std::string> rows;
    for (int g = 1; g <= GroupTable::kMaxGroups; ++g) {
        if (g > groups.Count()) {
            rows.push_back(FormatPrintf("%s%d", hash.c_str(), g));
            continue;
        }
        const std::string overseer = groups.Overseer(g - 1);
        const std::string assistant = groups.Assistant(g - 1);
        rows.push_back(FormatPrintf("%s%d \t%s%s \t%s%s \t%s \t%s \t%s", hash.c_str(), g, overseer.c_str(),
                                    Mark(database, overseer).c_str(), assistant.c_str(),
                                    Mark(database, assistant).c_str(), groups.Place(g - 1).c_str(),
                                    DayName(groups.MeetingDay(g - 1)).c_str(), groups.Time(g - 1).c_str()));
    }
    return rows;
}

bool GroupListPresenter::NoteVisible() const {
    const GroupTable& groups = m_context.groups;
    for (int g = 0; g < groups.Count(); ++g)
        if (!Mark(m_context.database, groups.Overseer(g)).empty() ||
            !Mark(m_context.database, groups.Assistant(g)).empty())
            return true;
    return false;
}

std::string GroupListPresenter::NoteText() {
    return std::string(Str(StrId::NotInFileNote));
}

void GroupListPresenter::Select(int row) {
    if (row < 0 || row >= GroupTable::kMaxGroups)
        return;
    // Groups are added in order: past the first free group the first free group is chosen.
    const int firstFree = m_context.groups.Count();
    m_selection = std::min(row, std::min(firstFree, GroupTable::kMaxGroups - 1));
}

std::string GroupListPresenter::EditButtonText() const {
    const GroupTable& groups = m_context.groups;
    const int g = m_selection;
    const bool ownName = groups.UsesName(g) && CharacterCount(groups.Name(g)) > 1;
    const std::string name =
        ownName ? groups.Name(g) : FormatPrintf("%s %d", std::string(Str(StrId::GroupLabel)).c_str(), g + 1);
    return FormatArgs(Str(StrId::EditGroup), {name});
}

bool GroupListPresenter::AssignEnabled() const {
    return !m_context.database.List(PublisherCategory::Publisher).empty();
}

void GroupListPresenter::Close() {
    const int count = CountDefinedGroups(m_context.groups);
    if (count == m_context.groups.Count())
        return;
    DocumentChange change(m_context.changes, std::string(Str(StrId::GroupsChangeName)));
    change.Touch(DataArea::Groups);
    m_context.groups.SetCount(count);
    change.Commit();
}

// --- Group editor --------------------------------------------------------------------------------------------

GroupEditorPresenter::GroupEditorPresenter(RegistryContext& context, int g) : m_context(context), m_group(g) {
    const GroupTable& groups = context.groups;
    const int i = g - 1;
    fields.overseer = groups.Overseer(i);
    fields.assistant = groups.Assistant(i);
    fields.place = groups.Place(i);
    fields.day = groups.MeetingDay(i) <= 6 ? groups.MeetingDay(i) : 0;
    fields.time = groups.Time(i);
    fields.useName = groups.UsesName(i);
    fields.name = groups.Name(i);
}

std::string GroupEditorPresenter::Title() const {
    return m_context.groups.DisplayName(m_group - 1);
}

void GroupEditorPresenter::ChooseOverseer(RecordNumber record) {
    if (m_context.database.IsPerson(record))
        fields.overseer = Cut(FirstNameFirst(m_context.database.Record(record)), GroupTable::kOverseerMax);
}

void GroupEditorPresenter::ChooseAssistant(RecordNumber record) {
    if (m_context.database.IsPerson(record))
        fields.assistant = Cut(FirstNameFirst(m_context.database.Record(record)), GroupTable::kAssistantMax);
}

Status GroupEditorPresenter::Store() {
    GroupTable& groups = m_context.groups;
    const int i = m_group - 1;
    DocumentChange change(m_context.changes, std::string(Str(StrId::GroupsChangeName)));
    change.Touch(DataArea::Groups);
    const std::string name = Cut(Trimmed(fields.name), GroupTable::kNameMax);
    for (Status status : {groups.SetOverseer(i, Cut(fields.overseer, GroupTable::kOverseerMax)),
                          groups.SetAssistant(i, Cut(fields.assistant, GroupTable::kAssistantMax)),
                          groups.SetPlace(i, Cut(fields.place, GroupTable::kPlaceMax)), groups.SetName(i, name),
                          groups.SetTime(i, Cut(fields.time, GroupTable::kTimeMax))})
        if (!status)
            return status;
    groups.SetUsesName(i, fields.useName && !name.empty());
    groups.SetMeetingDay(i, fields.day >= 0 && fields.day <= 6 ? fields.day : 0);
    if (m_group > groups.Count() && !Trimmed(fields.overseer).empty())
        groups.SetCount(m_group);
    change.Commit();
    return Status::Ok();
}

// --- Assignment ----------------------------------------------------------------------------------------------

GroupAssignment::GroupAssignment(RegistryContext& context, int targetGroup) : m_context(context) {
    SetTarget(targetGroup);
}

void GroupAssignment::SetTarget(int g) {
    m_target = g >= 1 && g <= GroupTable::kMaxGroups ? g : 1;
}

std::string GroupAssignment::TargetCaption() const {
    return FormatArgs(Str(StrId::ToGroup), {FormatPrintf(" #%d", m_target)});
}

std::string GroupAssignment::TargetOverseerText() const {
    const std::string overseer = m_context.groups.Overseer(m_target - 1);
    return Trimmed(overseer).empty() ? std::string() : FormatArgs(Str(StrId::Overseer), {overseer});
}

std::vector<std::string> GroupAssignment::Members() const {
    const PublisherDatabase& database = m_context.database;
    std::vector<std::string> names;
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher))
        if (database.Record(entry.recordNumber).Group() == m_target)
            names.push_back(database.DisplayNameOfRecord(entry.recordNumber, database.SortsLastNameFirst()));
    return names;
}

std::vector<std::string> GroupAssignment::FilterItems() {
    std::vector<std::string> items{std::string(Str(StrId::AllGroupsFilter))};
    for (int g = 1; g <= GroupTable::kMaxGroups; ++g)
        items.push_back(FormatPrintf("%02d", g));
    return items;
}

std::vector<GroupAssignment::Candidate> GroupAssignment::Candidates() const {
    const PublisherDatabase& database = m_context.database;
    std::vector<Candidate> candidates;
    auto add = [&](PublisherCategory category, bool inactive) {
        for (const IndexEntry& entry : database.List(category)) {
            const PublisherRecord& person = database.Record(entry.recordNumber);
            const int group = person.Group();
            if (group == m_target)
                continue;
            if (m_filter != kAllGroups && group != m_filter && group != 0)
                continue;
            std::string text = database.DisplayNameOfRecord(entry.recordNumber, database.SortsLastNameFirst());
            if (group != 0)
                text = FormatPrintf("%s (%d)", text.c_str(), group);
            if (inactive)
                text += " *";
            candidates.push_back({person.Id(), std::move(text)});
        }
    };
    add(PublisherCategory::Publisher, false);
    if (m_includeInactive)
        add(PublisherCategory::Inactive, true);
    return candidates;
}

Status GroupAssignment::Assign(PublisherId id) {
    PublisherRecord* person = m_context.database.FindById(id);
    if (person == nullptr)
        return Status::Fail(Failure::NotFound, FormatArgs(Str(StrId::PersonNotFound), {std::to_string(id)}));
    const PublisherCategory category = person->Category();
    if (category != PublisherCategory::Publisher && category != PublisherCategory::Inactive)
        return Status::Fail(Failure::Refused, FormatArgs(Str(StrId::NotAssignable), {std::to_string(id)}));
    DocumentChange change(m_context.changes, std::string(Str(StrId::AssignChangeName)));
    change.Touch(DataArea::Register);
    m_context.database.FindById(id)->SetGroup(m_target);
    change.Commit();
    return Status::Ok();
}

} // namespace vardo
