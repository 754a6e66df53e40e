#pragma once

// Monthly reports from a spreadsheet: the CSV file (separator detection, quoting, the header check), the
// column mapping kept in vdmap.dat, the name mapping kept in tpmap.dat, and the reports of the working
// month built from the lines for the import preview (ReportImport, CSV source).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/ReportImport.h"
#include "core/platform/Result.h"
#include "core/reporting/ReportingContext.h"

namespace vardo {

/// A CSV file as read: text in UTF-8, the header line and the data lines split into fields.
struct CsvTable {
    char separator = ',';
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

/// ";" when the line holds 5 or more semicolons, else the tab when it holds 5 or more tabs, else ",".
char DetectCsvSeparator(std::string_view firstLine);

/// Files above this size are refused before they are read into memory.
inline constexpr std::size_t kMaxCsvBytes = 16 * 1024 * 1024;

/// Reads a CSV file's bytes (UTF-8, with or without a byte-order mark, or Windows-1250). Fields may be
/// enclosed in double quotes ("" inside stands for one quote; a quoted field may hold separators and line
/// breaks). Empty lines are skipped. Fails (Invalid) with message 1470 when the header has fewer than 4
/// fields, a data line has neither the header's count of fields nor one more, or no data line follows.
Result<CsvTable> ParseCsv(std::string_view bytes);

/// The report fields a CSV column can be mapped to, in the order of vdmap.dat.
enum class CsvTarget { FirstName, LastName, Participated, Studies, Hours, Remark, NameFirstLast, NameLastFirst };
inline constexpr int kCsvTargets = 8;

/// The caption of a target in the mapping dialog (strings 1471, 1472, 1500, 1436, 1417, 1019, 1476, 1477).
std::string_view CsvTargetName(CsvTarget target);

/// The column mapping, as kept in vdmap.dat (840 bytes): eight signed 32-bit column indexes (−1 = not
/// mapped) at 0, the participated-when-hours option at 36, eight 80-byte header texts at 40, the marker
/// "Version 10" at 760. Header texts are stored in Windows-1250.
struct CsvColumnMap {
    static constexpr std::size_t kFileSize = 840;
    static constexpr std::string_view kFileName = "vdmap.dat";
    static constexpr std::string_view kVersionMarker = "Version 10";

    std::array<int, kCsvTargets> column{-1, -1, -1, -1, -1, -1, -1, -1};
    bool participatedWhenHours = false;
    /// Header text of each mapped column (UTF-8), at most 79 bytes in the file.
    std::array<std::string, kCsvTargets> headers;
    /// The file carried the version marker.
    bool versioned = true;

    int Column(CsvTarget target) const { return column[static_cast<int>(target)]; }
    /// Pairs a target with a source column of `header` (its text is kept); −1 clears the pair.
    void Map(CsvTarget target, int sourceColumn, const std::vector<std::string>& header);
    /// The publisher's name can be built: first and last name, or one whole-name column.
    bool HasName() const;

    /// Fails (Invalid) with a message naming the file when the bytes are not 840 long.
    static Result<CsvColumnMap> FromFileBytes(std::string_view bytes);
    std::string FileBytes() const;
    /// The saved pairs whose column text equals the text of the same column in `header`; a file without
    /// the version marker keeps only the name targets. The option is kept.
    CsvColumnMap RestoredFor(const std::vector<std::string>& header) const;
};

/// One pair of the name mapping (tpmap.dat, 128-byte records, at most 300): the publisher's display name,
/// the name as written in the CSV file, and the publisher's id.
struct CsvNamePair {
    std::string displayName;
    std::string csvName;
    PublisherId id = 0;
    bool operator==(const CsvNamePair&) const = default;
};

struct CsvNameMap {
    static constexpr std::size_t kRecordSize = 128;
    static constexpr std::size_t kMaxPairs = 300;
    static constexpr std::string_view kFileName = "tpmap.dat";

    std::vector<CsvNamePair> pairs;

    /// Whole records only, at most 300; names are cut at their NUL. Never fails: a damaged tail is ignored.
    static CsvNameMap FromFileBytes(std::string_view bytes);
    std::string FileBytes() const;
    /// The id paired with a CSV name; 0 when none.
    PublisherId Find(std::string_view csvName) const;
    /// Adds or replaces the pair of a CSV name (the oldest pair is dropped beyond 300).
    void Set(CsvNamePair pair);
};

/// Pioneer credit of a regular pioneer from a CSV remark: `hours` the month's whole hours, `limit` the most
/// hours plus credit may reach. Leading digits of the remark (at most three, at most 255) give the credit;
/// "!" among the first six characters takes it as it stands; "*" at characters 2..5 protects up to 40
/// hours from the limit. Never negative.
int CsvPioneerCredit(int hours, std::string_view remark, int limit);

/// The limit of hours plus credit the CSV import applies to a month: the report window's 55 in the newer
/// report format, 70 before.
int CsvCreditLimit(MonthCount month);

/// One data line of the file with the name built from its mapped name columns.
struct CsvPersonLine {
    int line = 0; ///< 1-based line number in the file (the header is line 1)
    std::string name;
    RecordNumber target = 0; ///< 0 = unidentified
};

struct CsvReports {
    std::vector<CsvPersonLine> lines;
    std::vector<IncomingPerson> persons;
    /// Names of lines without a publisher, in file order (each once).
    std::vector<std::string> unmatched;
};

/// Matches each data line to an active publisher: by display name (first name first, or "Last, First"),
/// or through a pair of `names`. Names that match nobody are listed and left out.
std::vector<CsvPersonLine> MatchCsvNames(const CsvTable& table, const CsvColumnMap& map, const CsvNameMap& names,
                                         const PublisherDatabase& database);

/// The reports of the working month from the matched lines: participation, hours (1..739, quarter hours
/// allowed), Bible studies (1..499), the participation bit and the remark (longer than one character);
/// a regular pioneer's credit from the remark. Out-of-range numbers are not stored.
CsvReports BuildCsvReports(const CsvTable& table, const CsvColumnMap& map, const CsvNameMap& names,
                           const ReportingContext& context);

} // namespace vardo
