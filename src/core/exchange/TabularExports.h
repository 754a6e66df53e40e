#pragma once

// The tabular exports into <data folder>/Exports/: the monthly report data (.csv or .rpt), the contact list
// (contact.tsv), the record-card headers (cardhdr.tsv) and the summary by category for 24 months
// (Podsumowanie.csv). Texts are UTF-8 with a byte-order mark, lines end in CR LF; a text field that holds a
// quote has it doubled, so that every spreadsheet program reads the fields back as written.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Result.h"
#include "core/store/CardTotals.h"
#include "core/store/EmergencyFile.h"
#include "core/store/ExtensionFile.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/RemarkTable.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// What the exports read.
struct ExportSource {
    const PublisherDatabase& database;
    const RemarkTable& remarks;
    const CardTotals& cardTotals;
    const WorkingMonth& month;
    /// The person's extension record, when he has one.
    std::function<std::optional<ExtensionRecord>(const PublisherRecord&)> extensionOf;
};

/// The exports' folder under the data folder.
inline constexpr std::string_view kExportsFolder = "Exports";

/// The monthly report data of month `month` (0..11, a month of the stored year before the working month
/// or the working month): one line per active publisher, fields followed by `separator` (',' or '\t').
std::string MonthlyDataExport(const ExportSource& source, MonthIndex month, char separator, bool header);
/// "<month name>.csv" for ',' or ".rpt" for the tab.
std::string MonthlyDataFileName(MonthIndex month, char separator);

/// contact.tsv: name (long name when the extension has one), address, three phones, e-mail, extra, group.
std::string ContactExport(const ExportSource& source);
/// cardhdr.tsv: name, address, phone, mobile, birth and baptism dates, then Y or empty for anointed, elder,
/// ministerial servant, regular pioneer in the working month, male.
std::string CardHeaderExport(const ExportSource& source);
/// Podsumowanie.csv: per category and each of the 24 months ending with the working month, the reports,
/// publications, videos, hours, return visits, Bible studies and active publishers of the totals history.
std::string SummaryExport(const ExportSource& source);

/// What the emergency-contact export reads besides the register.
struct EmergencyExportSource {
    const ExportSource& base;
    /// The person's emergency contact, when he has one.
    std::function<std::optional<EmergencyContactRecord>(const PublisherRecord&)> emergencyOf;
    /// The person's special-needs text; empty when none.
    std::function<std::string(const PublisherRecord&)> specialNeedsOf;
};

/// 3rdparty.tsv: one line for each active publisher and each head of a family of the inactive and
/// non-publisher lists, sorted by name: name (long name of an active publisher, " ( N )" / " ( SB )" for the
/// other lists), address, three phones, e-mail, the other members of the household, the emergency contact's
/// name and three phones, special needs, group. A family member without an emergency contact of his own is
/// left out when his family has no phone number (the head's line carries the family).
std::string EmergencyExport(const EmergencyExportSource& source, std::string_view languageTag = "polish");
/// The household's phone numbers with their labels, after the family name ("Nowak: Dom 22 1, Komórka 600");
/// empty when the family has no phone number or the person no family.
std::string HouseholdContactText(const PublisherDatabase& database, const PublisherRecord& person);
/// The names of the other persons of the person's household, separated by ", "; empty without a family.
std::string HouseholdMembersText(const PublisherDatabase& database, const PublisherRecord& person);

/// Writes `text` as Exports/<name> (the folder is made when missing). Returns the file's full path; fails
/// (Io) with message 1231 naming the path.
Result<std::string> WriteExport(const DataFolder& folder, std::string_view name, std::string_view text);

} // namespace vardo
