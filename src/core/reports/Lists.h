#pragma once

// The printed contact lists: telephone list, address list, contact list, telephone and e-mail list and the
// field-service-group lists, each over the active list (or the inactive list) with its filter.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/platform/DataFolder.h"
#include "core/reports/Canvas.h"
#include "core/reports/PageEngine.h"
#include "core/reports/ReportEnvironment.h"
#include "core/reports/ReportKind.h"
#include "core/store/EmergencyFile.h"
#include "core/store/GroupTable.h"
#include "core/store/SpecialNeedsFile.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// Who a list shows besides the group: everybody, elders and ministerial servants, regular pioneers of the
/// working month, or the inactive publishers.
enum class ListSelector { All = 0, EldersServants = 1, RegularPioneers = 2, Inactive = 3 };

/// The filter of a list: a field-service group (0 = whole congregation) and a selector.
struct ListFilter {
    int group = 0;
    ListSelector selector = ListSelector::All;
    bool operator==(const ListFilter&) const = default;
};

/// E-mail addresses by PublisherId, taken from the persons' extension records.
using EmailTable = std::unordered_map<PublisherId, std::string>;

/// Emergency contacts and special-needs texts by key, as the emergency lists and forms print them.
struct SafetyData {
    std::unordered_map<std::uint16_t, EmergencyContactRecord> contacts;
    std::unordered_map<std::uint16_t, std::string> needs;
};
/// The first record of each key of emerg.dat's and spneed.dat's bytes (later repeats are ignored).
SafetyData SafetyDataFromBytes(std::string_view emergBytes, std::string_view spneedBytes);
/// The same from the data folder; missing files give no data.
SafetyData LoadSafetyData(const DataFolder& folder);

/// The data the lists draw from. The database (with its index built) must outlive the reports made from
/// it; `groups` may be null (no groups defined).
struct ListSource {
    const PublisherDatabase* database = nullptr;
    const GroupTable* groups = nullptr;
    WorkingMonth workingMonth;
    EmailTable emails;
    SafetyData safety;
    /// The persons chosen for the filled contact forms (their households' forms); empty for every household.
    std::vector<PublisherId> formPersons;
};

/// The e-mail of every person whose extension key names a record of `xten7Bytes` (the file's bytes) owned
/// by that person.
EmailTable EmailsFromExtensionBytes(std::string_view xten7Bytes, const PublisherDatabase& database);
/// The same from the data folder's xten7.dat; no file gives no e-mails.
EmailTable LoadEmails(const DataFolder& folder, const PublisherDatabase& database);

/// One line of a list: a person, whether the line carries the elder's "*", and for a head of family the
/// names of the other members (listed after the line).
struct ListEntry {
    RecordNumber record = 0;
    bool elderMark = false;
    std::vector<std::string> familyMembers;
};

/// The persons a list shows, in list order (the active list, or the inactive list for the inactive
/// selector). With `families` (the whole-congregation telephone and address lists) a head of family
/// carries the other members of the family (active, inactive or non-publishers), and an active member
/// whose head is listed is not listed on his own. Names are in the lists' name form.
std::vector<ListEntry> SelectListEntries(const ListSource& source, ListFilter filter, bool families,
                                         bool lastNameFirst);

/// The four person lists.
enum class ListType { Phone, Address, Contact, PhoneEmail };

/// The list a report kind draws and its filter (the group given for a group kind); nullopt for kinds that
/// are not person lists.
struct ListKind {
    ListType type = ListType::Phone;
    ListFilter filter;
};
std::optional<ListKind> ListKindOf(ReportKind kind, int group);

/// Title and subtitle of a list (the congregation name follows the title when one is set).
std::string ListTitle(ListType type, const ReportEnvironment& environment);
std::string ListSubtitle(const ListSource& source, ListFilter filter);

/// The drawing routines (one tall sheet, every page) and their page-count passes.
void DrawPhoneList(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment, ListFilter filter);
void DrawAddressList(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment, ListFilter filter);
void DrawContactList(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment, ListFilter filter);
void DrawPhoneEmailList(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                        ListFilter filter);
int CountListPages(ListType type, const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                   ListFilter filter);

/// Members shown by the field-service-group lists (kinds 70–74).
enum class GroupListMembers { Active, ActiveAndStudents, ActiveAndInactive, All };
std::optional<GroupListMembers> GroupListMembersOf(ReportKind kind);
std::string GroupListTitle(const ReportEnvironment& environment);

void DrawGroupLists(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                    GroupListMembers members);
int CountGroupListPages(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                        GroupListMembers members);

/// The emergency-contact lists (kinds 90, 91), the contact forms (95 blank, 96 filled) and the special-needs
/// lists (120, 121). `group` 0 is the whole congregation.
enum class SafetyReport { EmergencyList, BlankForm, Forms, SpecialNeedsList };
std::optional<SafetyReport> SafetyReportOf(ReportKind kind);
std::string SafetyTitle(SafetyReport report, const ReportEnvironment& environment);
void DrawSafetyReport(SafetyReport report, const ListSource& source, Canvas& canvas,
                      const ReportEnvironment& environment, int group);
int CountSafetyPages(SafetyReport report, const ListSource& source, Canvas& canvas,
                     const ReportEnvironment& environment, int group);

/// The report of a list kind over `source` (which must outlive it), or nullptr for kinds that are not
/// lists. `group` is the chosen group of the group kinds (and of kind 84 when not 0).
std::unique_ptr<Report> MakeListReport(ReportKind kind, const ListSource& source, int group);

} // namespace vardo
