#pragma once

// What the report-entry commands (enter, history, pioneers) share: naming a person, a month argument, the
// reporting context over the document and the save at the end.

#include <optional>
#include <string>
#include <string_view>

#include "cli/DocumentCommand.h"
#include "core/reporting/Plausibility.h"
#include "core/reporting/ReportingContext.h"

namespace vardo::cli {

/// The record of PERSON: a PublisherId, or the "Last, First" name as `list` prints it. 0 when none.
RecordNumber FindPerson(const PublisherDatabase& db, std::string_view person);
/// "YYYY-MM" as a MonthCount; nullopt for another text or a year outside 2001..2199.
std::optional<MonthCount> ParseMonthArgument(std::string_view text);
/// "yes" / "no".
std::optional<bool> ParseYesNo(std::string_view text);
/// "YYYY-MM" of a MonthCount.
std::string MonthArgumentText(MonthCount count);

/// The reporting context over an opened document; changes set the document's modified flag.
class DocumentReporting {
public:
    explicit DocumentReporting(OpenedDocument& opened);
    ReportingContext& Context() { return m_context; }

private:
    ReportingContext m_context;
};

/// Prints each warning to standard error ("Uwaga: ...").
void PrintWarnings(const std::vector<Warning>& warnings);
/// Saves the folder when the data changed; prints why and returns 1 when the save fails, else 0.
int SaveIfModified(OpenedDocument& opened);

} // namespace vardo::cli

namespace vardo::cli {

/// One line of `history`: month, format, code, flag, placements, videos, hours, return visits, studies,
/// credit, late marker, remark; tab-separated, with a newline.
std::string HistoryLine(const PublisherRecord& person, const RemarkTable& remarks, MonthCount count);

/// Takes "--name VALUE" out of `args`; false (after an error) when the value is missing.
bool TakeValue(std::vector<std::string>& args, std::string_view name, std::optional<std::string>& value,
               const OpenedDocument& opened);

} // namespace vardo::cli
