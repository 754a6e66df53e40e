#include "core/registry/Family.h"

#include "core/platform/CodePage.h"
#include "core/platform/Strings.h"

namespace vardo {

std::vector<RecordNumber> FamilyMembersOf(const PublisherDatabase& database, PublisherId head) {
    std::vector<RecordNumber> members;
    if (head == 0)
        return members;
    for (RecordNumber r = 1; r < database.Count(); ++r) {
        const PublisherRecord& person = database.Record(r);
        if (person.FamilyHead() == head && person.Id() != head)
            members.push_back(r);
    }
    return members;
}

std::vector<PickerItem> FamilyPickerItems(const PublisherDatabase& database, PublisherId head) {
    std::vector<PickerItem> items;
    const bool lastFirst = database.SortsLastNameFirst();
    const std::pair<PublisherCategory, std::string> lists[] = {
        {PublisherCategory::Publisher, ""},
        {PublisherCategory::Inactive, FormatPrintf(" ( %s )", std::string(Str(StrId::InactiveMark)).c_str())},
        {PublisherCategory::NonPublisher, FormatPrintf(" ( %s )", std::string(Str(StrId::NonPublisherMark)).c_str())}};
    for (const auto& [category, suffix] : lists) {
        for (const IndexEntry& entry : database.List(category)) {
            const PublisherRecord& person = database.Record(entry.recordNumber);
            if (person.Id() == head)
                continue;
            std::string text = database.DisplayNameOfRecord(entry.recordNumber, lastFirst) + suffix;
            if (person.IsHeadOfFamily())
                text += " *";
            if (person.FamilyHead() != 0)
                text += " #";
            items.push_back({person.Id(), std::move(text)});
        }
    }
    return items;
}

std::vector<std::string> FamilyPickerLegend() {
    return {std::string(Str(StrId::HeadOfFamilyLegend)), std::string(Str(StrId::OtherFamilyLegend))};
}

bool MatchesFilter(std::string_view text, std::string_view filter) {
    if (filter.empty())
        return true;
    return codepage::CaseFold(text).find(codepage::CaseFold(filter)) != std::string::npos;
}

std::vector<PickerItem> FilterItems(const std::vector<PickerItem>& items, std::string_view filter) {
    std::vector<PickerItem> kept;
    const std::string folded = codepage::CaseFold(filter);
    for (const PickerItem& item : items)
        if (folded.empty() || codepage::CaseFold(item.text).find(folded) != std::string::npos)
            kept.push_back(item);
    return kept;
}

FamilyPresenter::FamilyPresenter(RegistryContext& context, const PublisherRecord& person) : m_context(context) {
    if (person.IsHeadOfFamily()) {
        m_head = person.Id();
        m_editable = true;
    } else {
        m_head = person.FamilyHead();
    }
}

std::string FamilyPresenter::HeadName() const {
    return m_context.database.NameOfId(m_head, m_context.database.SortsLastNameFirst());
}

std::string FamilyPresenter::Title() const {
    return std::string(Str(m_editable ? StrId::FamilyEdit : StrId::FamilyView)) + ": " + HeadName();
}

std::vector<PickerItem> FamilyPresenter::Members() const {
    const PublisherDatabase& database = m_context.database;
    std::vector<PickerItem> members;
    for (RecordNumber r : FamilyMembersOf(database, m_head))
        members.push_back({database.Record(r).Id(), database.DisplayNameOfRecord(r, database.SortsLastNameFirst())});
    return members;
}

Status FamilyPresenter::Add(PublisherId id) {
    PublisherDatabase& database = m_context.database;
    const PublisherRecord* person = database.FindById(id);
    if (person == nullptr)
        return Status::Fail(Failure::NotFound, FormatArgs(Str(StrId::PersonNotFound), {std::to_string(id)}));
    if (!m_editable || id == m_head)
        return Status::Fail(Failure::Refused, std::string(Str(StrId::FamilyAddRefused)));
    if (person->IsHeadOfFamily() && !FamilyMembersOf(database, id).empty())
        return Status::Fail(Failure::Refused, FormatArgs(Str(StrId::HeadHasFamily), {database.NameOfId(id, false)}));
    DocumentChange change(m_context.changes, std::string(Str(StrId::FamilyChangeName)));
    change.Touch(DataArea::Register);
    PublisherRecord& member = *database.FindById(id);
    member.SetFamilyHead(m_head);
    member.SetHeadOfFamily(false);
    change.Commit();
    return Status::Ok();
}

Status FamilyPresenter::Remove(PublisherId id) {
    PublisherDatabase& database = m_context.database;
    PublisherRecord* person = database.FindById(id);
    if (person == nullptr || person->FamilyHead() != m_head || id == m_head)
        return Status::Fail(Failure::NotFound, FormatArgs(Str(StrId::PersonNotFound), {std::to_string(id)}));
    if (!m_editable)
        return Status::Fail(Failure::Refused, std::string(Str(StrId::FamilyAddRefused)));
    DocumentChange change(m_context.changes, std::string(Str(StrId::FamilyChangeName)));
    change.Touch(DataArea::Register);
    database.FindById(id)->SetFamilyHead(0);
    change.Commit();
    return Status::Ok();
}

} // namespace vardo
