#pragma once

// The preview and import of received monthly reports, shared by the three sources: a group report file
// (.t19), an XML report file and a CSV file. Each source turns its file into IncomingPerson values matched
// to publishers; this class lists what would be added or replaced, lets the user choose, and stores the
// chosen reports as one change.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/exchange/GroupReportFile.h"
#include "core/platform/Result.h"
#include "core/reporting/ReportingContext.h"

namespace vardo {

enum class ImportSource { GroupFile, Xml, Csv };

/// One person of a received file with the publisher it was matched to.
struct IncomingPerson {
    /// The matched publisher (a record number of the register); 0 = none, the person is left out.
    RecordNumber target = 0;
    /// The file's values, in the cells of the register's layout (month, slot seen from the working month).
    PublisherRecord values;
    /// The file's remark of each month (UTF-8; empty = none).
    std::array<std::string, kMonthsPerYear> remarks;
    /// Months the file marks as late reports (group report files only).
    std::array<bool, kMonthsPerYear> late{};
};

/// How a received month compares with the register.
enum class ImportComparison { Nothing = 0, NewData = 1, ReplacesValues = 2, ReplacesRemark = 3 };

/// One line of the preview list.
struct ImportListEntry {
    std::size_t person = 0; ///< index into the incoming persons
    MonthIndex month = 0;
    bool late = false;
    bool replacesValues = false;
    bool replacesRemark = false;
    /// The publisher's name; a late entry adds " (Sty)" with the month's abbreviation.
    std::string label;
    bool selected = true;
};

/// One row of the preview table: participated, Bible studies, hours, remark, as shown.
struct ImportPreviewRow {
    std::string participated;
    std::string studies;
    std::string hours;
    std::string remark;
    bool operator==(const ImportPreviewRow&) const = default;
};

struct ImportPreview {
    std::string name;     ///< the publisher's name
    std::string lateText; ///< "Spóźnione sprawozdanie - <month>" for a late entry, else empty
    ImportPreviewRow incoming;
    ImportPreviewRow existing;
};

/// Compares a received month with the register's: for placements, videos, hours, return visits and
/// studies in turn, a nonzero received value gives NewData over an existing 0 and ReplacesValues over a
/// different one (stopping there); then the quarter hours and the participation bit the same way; then a
/// received remark gives at least NewData when there is none and ReplacesRemark when it differs.
/// `valuesCompared` false skips placements, videos and return visits; `hoursCompared` false skips hours.
ImportComparison CompareReceivedMonth(const ReportCell& existing, std::string_view existingRemark,
                                      const ReportCell& received, std::string_view receivedRemark,
                                      bool valuesCompared = true, bool hoursCompared = true);

/// The group report file's persons as incoming reports: each record is matched to the first active
/// publisher with exactly the same last and first name. Fails (Invalid), with message 1311, when the
/// file is for another month than the working month.
Result<std::vector<IncomingPerson>> IncomingFromGroupFile(const GroupReportData& data, const ReportingContext& context);

class ReportImport {
public:
    /// Builds the list: the working month of every matched person, then (group files only) each month the
    /// file marks late.
    ReportImport(const ReportingContext& context, ImportSource source, std::vector<IncomingPerson> persons);

    ImportSource Source() const { return m_source; }
    const std::vector<ImportListEntry>& Entries() const { return m_entries; }
    const std::vector<IncomingPerson>& Persons() const { return m_persons; }
    /// "Pobrane Sprawozdania = n".
    std::string CountText() const;
    /// The hint shown while no entry is pointed at.
    static std::string HintText();

    void SelectAll();
    void ClearAll();
    void SetSelected(std::size_t entry, bool selected);
    std::size_t SelectedCount() const;

    /// The preview of one entry (entry < Entries().size()).
    ImportPreview Preview(std::size_t entry) const;

    /// Stores the selected entries in list order as one change: every nonzero received value replaces the
    /// existing one (a zero never clears), a received remark is stored, and a late entry of a month that is
    /// not a special pioneer's joins the late-report list. Any failure rolls the whole import back. Returns
    /// the number of reports stored.
    Result<int> Import();

private:
    void AddEntries(std::size_t index);
    ImportPreviewRow RowOf(const ReportCell& cell, const std::string& remark, MonthIndex month) const;
    MonthCount CountOf(MonthIndex month) const;

    const ReportingContext& m_context;
    ImportSource m_source;
    std::vector<IncomingPerson> m_persons;
    std::vector<ImportListEntry> m_entries;
};

} // namespace vardo
