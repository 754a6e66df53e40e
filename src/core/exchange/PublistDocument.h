#pragma once

// The XML publisher list (PUBLIST): one list (active, inactive or non-publishers) with personal data and two
// years of monthly reports, exported for another data set and imported from one; and the XML report import
// of the working month, which feeds the import preview (ReportImport, XML source).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/CXmlDoc.h"
#include "core/exchange/ReportImport.h"
#include "core/platform/Date.h"
#include "core/platform/Result.h"
#include "core/registry/RegistryContext.h"
#include "core/reporting/ReportRules.h"
#include "core/store/ExtensionFile.h"
#include "core/store/RemarkTable.h"
#include "core/store/SpecialNeedsFile.h"

namespace vardo {

enum class PublistKind { Active, Inactive, NonPublishers };

/// "Active", "Inactive" or "Non-Publishers" (the list element).
std::string_view PublistElementName(PublistKind kind);
/// "Active.xml", "Inactive.xml" or "Non-Publishers.xml".
std::string PublistFileName(PublistKind kind);
PublisherCategory PublistCategory(PublistKind kind);

/// What an export reads besides the register.
struct PublistExportSource {
    const PublisherDatabase& database;
    const RemarkTable& remarks;
    const WorkingMonth& month;
    /// The person's extension record, when he has one.
    std::function<std::optional<ExtensionRecord>(const PublisherRecord&)> extensionOf;
    /// The person's special-needs text and family name; empty when none.
    std::function<std::string(const PublisherRecord&)> specialNeedsOf;
    std::function<std::string(const PublisherRecord&)> householdOf;
};

/// The household element of a person: the name ("Last, First") of his family's head (his own for a head);
/// empty when he belongs to no family. The import links persons of the same household by that name.
std::string PublistHouseholdOf(const PublisherDatabase& database, const PublisherRecord& person);

/// The PUBLIST document of `persons` (record numbers, in the order given) of one list, dated `today`.
/// Returns the file's bytes (UTF-8).
std::string BuildPublist(const PublistExportSource& source, PublistKind kind, const std::vector<RecordNumber>& persons,
                         const Date& today);

/// The hours text of a month: "12", or "12,15" / "12,30" / "12,45" with quarter hours.
std::string PublistHoursText(int hours, int quarters);
/// Hours and quarter hours of such a text (also "12.5", "12,5"); 0 for anything else.
HoursValue ParsePublistHours(std::string_view text);

/// One Pub of a received list, as the pick dialog shows it.
struct PublistPerson {
    int position = 0; ///< 0-based position among the Pub elements
    PublisherId id = 0;
    std::string firstName;
    std::string lastName;
    /// The display name, with " *" when a publisher of the same list has it.
    std::string label;
    /// That publisher's record (0 = no duplicate).
    RecordNumber duplicateOf = 0;
};

/// The persons of the list element `kind` of a loaded PUBLIST, at most `Count`. Fails (Invalid) with message
/// 1409 when the root or the list element is missing.
Result<std::vector<PublistPerson>> ReadPublistPersons(CXmlDoc& doc, PublistKind kind,
                                                      const PublisherDatabase& database);

struct PublistImportChoice {
    /// Positions of the persons to import, in order.
    std::vector<int> positions;
    /// Duplicates update the existing record ("Aktualizacja istniejącego rekordu"); otherwise they are created
    /// anew with "2" appended to the first name.
    bool updateDuplicates = true;
};

/// Imports the chosen persons as one change (register, extensions, remarks, special needs when
/// `context.specialNeeds` is set); `specneed` finds or adds the special-needs text, `household` links the
/// person to the family of the person of that name (or makes him its head): any failure leaves the data as
/// it was. Returns the number of persons imported.
Result<int> ImportPublist(CXmlDoc& doc, PublistKind kind, const PublistImportChoice& choice, RegistryContext& context,
                          RemarkTable& remarks);

/// The working month's reports of an XML report file (the active list of a PUBLIST): each Pub is matched to
/// the active publisher with the same last and first name and, when its id is positive, the same id. Fails
/// (Invalid) with message 1409 when the file lacks the needed elements.
Result<std::vector<IncomingPerson>> IncomingFromXmlReports(CXmlDoc& doc, const ReportingContext& context);

} // namespace vardo
