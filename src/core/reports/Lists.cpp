#include "core/reports/Lists.h"

#include <unordered_set>

#include "core/platform/Strings.h"
#include "core/reports/ListReports.h"
#include "core/store/ExtensionFile.h"

namespace vardo {
namespace {

bool IsListedCategory(PublisherCategory category) {
    return category == PublisherCategory::Publisher || category == PublisherCategory::Inactive ||
           category == PublisherCategory::NonPublisher;
}

// Group number of a person as the lists show it: an inactive person or non-publisher may hide it.
int ListedGroup(const PublisherRecord& record) {
    const PublisherCategory category = record.Category();
    if ((category == PublisherCategory::Inactive || category == PublisherCategory::NonPublisher) && record.HidesGroup())
        return 0;
    return record.Group();
}

} // namespace

EmailTable EmailsFromExtensionBytes(std::string_view bytes, const PublisherDatabase& database) {
    EmailTable emails;
    const std::size_t records = bytes.size() / ExtensionRecord::kSize;
    for (RecordNumber r = 1; r < database.Count(); ++r) {
        const PublisherRecord& person = database.Record(r);
        const std::size_t key = person.ExtensionKey();
        if (key == 0 || key >= records)
            continue;
        const ExtensionRecord extension =
            ExtensionRecord::FromFileBytes(bytes.substr(key * ExtensionRecord::kSize, ExtensionRecord::kSize));
        if (extension.Owner() != person.Id())
            continue;
        std::string email = extension.Email();
        if (!email.empty())
            emails[person.Id()] = std::move(email);
    }
    return emails;
}

EmailTable LoadEmails(const DataFolder& folder, const PublisherDatabase& database) {
    if (!folder.Exists(ExtensionFile::kFileName))
        return {};
    const Result<std::string> bytes = folder.ReadAll(ExtensionFile::kFileName);
    return bytes.ok() ? EmailsFromExtensionBytes(bytes.value(), database) : EmailTable{};
}

std::vector<ListEntry> SelectListEntries(const ListSource& source, ListFilter filter, bool families,
                                         bool lastNameFirst) {
    std::vector<ListEntry> entries;
    if (source.database == nullptr)
        return entries;
    const PublisherDatabase& db = *source.database;
    const bool inactive = filter.selector == ListSelector::Inactive;
    const CategoryList& list = db.List(inactive ? PublisherCategory::Inactive : PublisherCategory::Publisher);
    const MonthIndex month = source.workingMonth.monthIndex;
    const YearSlot slot = source.workingMonth.SlotOf(month);

    // Heads of family on the active list, and the other members of each family in record order.
    std::unordered_map<PublisherId, std::vector<std::string>> members;
    std::unordered_set<PublisherId> listedHeads;
    if (families) {
        for (const IndexEntry& entry : db.List(PublisherCategory::Publisher))
            if (entry.record->IsHeadOfFamily() && entry.id >= kFirstLookupId)
                listedHeads.insert(entry.id);
        for (RecordNumber r = 1; r < db.Count(); ++r) {
            const PublisherRecord& person = db.Record(r);
            const PublisherId head = person.FamilyHead();
            if (head != 0 && head != person.Id() && listedHeads.count(head) != 0 && IsListedCategory(person.Category()))
                members[head].push_back(db.DisplayNameOfRecord(r, lastNameFirst));
        }
    }

    for (const IndexEntry& entry : list) {
        const PublisherRecord& person = *entry.record;
        if (filter.group != 0 && ListedGroup(person) != filter.group)
            continue;
        ListEntry line;
        line.record = entry.recordNumber;
        switch (filter.selector) {
        case ListSelector::EldersServants: {
            const Appointment appointment = person.GetAppointment();
            if (appointment != Appointment::Elder && appointment != Appointment::MinisterialServant)
                continue;
            line.elderMark = appointment == Appointment::Elder;
            break;
        }
        case ListSelector::RegularPioneers:
            if (person.Pioneer(month, slot) != PioneerCode::Regular)
                continue;
            break;
        case ListSelector::All:
        case ListSelector::Inactive:
            break;
        }
        if (families) {
            const PublisherId head = person.FamilyHead();
            if (head != 0 && head != person.Id() && listedHeads.count(head) != 0)
                continue;
            if (person.IsHeadOfFamily()) {
                const auto found = members.find(person.Id());
                if (found != members.end())
                    line.familyMembers = found->second;
            }
        }
        entries.push_back(std::move(line));
    }
    return entries;
}

std::optional<ListKind> ListKindOf(ReportKind kind, int group) {
    const auto make = [](ListType type, int g, ListSelector selector) {
        return ListKind{type, ListFilter{g, selector}};
    };
    switch (kind) {
    case ReportKind::PhoneCongregation:
        return make(ListType::Phone, 0, ListSelector::All);
    case ReportKind::PhoneGroup:
        return make(ListType::Phone, group, ListSelector::All);
    case ReportKind::PhoneEldersServants:
        return make(ListType::Phone, 0, ListSelector::EldersServants);
    case ReportKind::PhoneRegularPioneers:
        return make(ListType::Phone, 0, ListSelector::RegularPioneers);
    case ReportKind::AddressCongregation:
        return make(ListType::Address, 0, ListSelector::All);
    case ReportKind::AddressGroup:
        return make(ListType::Address, group, ListSelector::All);
    case ReportKind::AddressInactive:
        return make(ListType::Address, 0, ListSelector::Inactive);
    case ReportKind::AddressEldersServants:
        return make(ListType::Address, 0, ListSelector::EldersServants);
    case ReportKind::AddressRegularPioneers:
        return make(ListType::Address, 0, ListSelector::RegularPioneers);
    case ReportKind::ContactCongregation:
        return make(ListType::Contact, 0, ListSelector::All);
    case ReportKind::ContactGroup:
        return make(ListType::Contact, group, ListSelector::All);
    case ReportKind::ContactEldersServants:
        return make(ListType::Contact, 0, ListSelector::EldersServants);
    case ReportKind::ContactRegularPioneers:
        return make(ListType::Contact, 0, ListSelector::RegularPioneers);
    case ReportKind::ContactInactive:
        return make(ListType::Contact, group, ListSelector::Inactive);
    case ReportKind::PhoneEmailCongregation:
        return make(ListType::PhoneEmail, 0, ListSelector::All);
    case ReportKind::PhoneEmailGroup:
        return make(ListType::PhoneEmail, group, ListSelector::All);
    case ReportKind::PhoneEmailEldersServants:
        return make(ListType::PhoneEmail, 0, ListSelector::EldersServants);
    case ReportKind::PhoneEmailRegularPioneers:
        return make(ListType::PhoneEmail, 0, ListSelector::RegularPioneers);
    default:
        return std::nullopt;
    }
}

std::string ListTitle(ListType type, const ReportEnvironment& environment) {
    std::string title;
    switch (type) {
    case ListType::Phone:
        title = std::string(Str(StrId::PhoneListTitle));
        break;
    case ListType::Address:
        title = std::string(Str(StrId::AddressListTitle));
        break;
    case ListType::Contact:
        title = std::string(Str(StrId::ContactListTitle));
        break;
    case ListType::PhoneEmail:
        title = std::string(Str(StrId::PhoneEmailListTitle));
        break;
    }
    if (!environment.options.congregationName.empty())
        title += " - " + environment.options.congregationName;
    return title;
}

std::string ListSubtitle(const ListSource& source, ListFilter filter) {
    switch (filter.selector) {
    case ListSelector::EldersServants:
        return std::string(Str(StrId::Elders)) + " & " + std::string(Str(StrId::Servants));
    case ListSelector::RegularPioneers:
        return std::string(Str(StrId::RegularPioneers));
    case ListSelector::Inactive:
        return std::string(Str(StrId::InactivePublishers));
    case ListSelector::All:
        break;
    }
    if (filter.group == 0)
        return {};
    if (source.groups != nullptr && filter.group <= GroupTable::kMaxGroups)
        return source.groups->DisplayName(filter.group - 1);
    return FormatPrintf("%s %d", std::string(Str(StrId::GroupDefaultName)).c_str(), filter.group);
}

std::optional<GroupListMembers> GroupListMembersOf(ReportKind kind) {
    switch (kind) {
    case ReportKind::GroupListsActive:
    case ReportKind::GroupListsActiveAlt:
        return GroupListMembers::Active;
    case ReportKind::GroupListsActiveStudents:
        return GroupListMembers::ActiveAndStudents;
    case ReportKind::GroupListsActiveInactive:
        return GroupListMembers::ActiveAndInactive;
    case ReportKind::GroupListsAll:
        return GroupListMembers::All;
    default:
        return std::nullopt;
    }
}

std::unique_ptr<Report> MakeListReport(ReportKind kind, const ListSource& source, int group) {
    if (const auto list = ListKindOf(kind, group))
        return MakePersonListReport(list->type, source, list->filter);
    if (const auto members = GroupListMembersOf(kind))
        return MakeGroupListReport(source, *members);
    if (const auto safety = SafetyReportOf(kind))
        return MakeSafetyReport(
            *safety, source, kind == ReportKind::EmergencyGroup || kind == ReportKind::SpecialNeedsGroup ? group : 0);
    return nullptr;
}

} // namespace vardo
