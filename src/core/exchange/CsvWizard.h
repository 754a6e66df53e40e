#pragma once

// The CSV import wizard: the column mapping (dialog 155) and the name mapping (dialog 156) over a read CSV
// file, ending in the reports of the working month for the import preview. The mappings are kept in the data
// folder (vdmap.dat, tpmap.dat) and offered again next time.

#include <string>
#include <utility>
#include <vector>

#include "core/exchange/CsvImport.h"
#include "core/platform/DataFolder.h"

namespace vardo {

class CsvWizard {
public:
    /// Restores the saved column mapping where its column texts equal the header's, and the saved name pairs.
    CsvWizard(const ReportingContext& context, const DataFolder& folder, CsvTable table);

    // --- Columns ----------------------------------------------------------------------------------------

    const std::vector<std::string>& SourceColumns() const { return m_table.header; }
    /// One line per target: its caption, and " = <column text>" when a column is paired with it.
    std::vector<std::string> TargetLines() const;
    /// Pairs a source column with a target; a whole-name target and the first/last name targets exclude each
    /// other.
    void Pair(int sourceColumn, CsvTarget target);
    /// "Czyścić": every pair cleared.
    void ClearPairs();
    bool ParticipatedWhenHours() const { return m_map.participatedWhenHours; }
    void SetParticipatedWhenHours(bool on) { m_map.participatedWhenHours = on; }
    /// "* -> Głosił(a) = Godz. > 0".
    static std::string WhenHoursCaption();
    const CsvColumnMap& Map() const { return m_map; }
    /// "Kontynuuj" is possible once the name can be built.
    bool CanContinue() const { return m_map.HasName(); }
    /// Saves vdmap.dat and matches the names. A mapping that cannot be saved is reported and the wizard goes
    /// on (the mapping only helps next time).
    Status Continue();

    // --- Names ------------------------------------------------------------------------------------------

    /// Names of the file that match no publisher, pairs not counted.
    std::vector<std::string> Unmatched() const;
    /// "%d niezidentyfikowanych głosicieli".
    std::string UnmatchedText() const;
    /// The active publishers (record number, "Last, First").
    std::vector<std::pair<RecordNumber, std::string>> Publishers() const;
    /// "->": pairs a name of the file with a publisher.
    void PairName(const std::string& csvName, RecordNumber publisher);
    /// "Czyścić": the pairs of this file's names are removed.
    void ClearNamePairs();
    bool SkipUnmatched() const { return m_skip; }
    void SetSkipUnmatched(bool on) { m_skip = on; }
    /// The import can go on: every name is identified or the rest is skipped.
    bool CanFinish() const { return m_skip || Unmatched().empty(); }
    /// Saves tpmap.dat (failures reported, not fatal) and returns the reports for the preview.
    CsvReports Finish();

private:
    const ReportingContext& m_context;
    DataFolder m_folder;
    CsvTable m_table;
    CsvColumnMap m_map;
    CsvNameMap m_names;
    std::vector<CsvPersonLine> m_lines;
    bool m_skip = false;
};

} // namespace vardo
