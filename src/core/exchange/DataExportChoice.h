#pragma once

// The choices of the monthly report export ("Eksport danych o głosicielu"): separator, month and header
// line, and the export they make.

#include <string>
#include <vector>

#include "core/exchange/TabularExports.h"

namespace vardo {

class DataExportChoice {
public:
    explicit DataExportChoice(const WorkingMonth& month);

    /// The twelve stored months ending with the working month, oldest first ("marzec 2024" ... "luty 2025").
    const std::vector<std::string>& MonthItems() const { return m_items; }
    /// The item of the working month (the last).
    int WorkingItem() const { return static_cast<int>(m_items.size()) - 1; }

    int monthItem = 0;
    /// Tab-separated (.rpt) instead of comma-separated (.csv).
    bool tab = false;
    /// "Włączenie nagłówka".
    bool header = true;

    MonthIndex Month() const;
    char Separator() const { return tab ? '\t' : ','; }
    /// "<month name>.csv" or ".rpt".
    std::string FileName() const;

    /// Writes the export into Exports/; returns the file's full path, or (Io) message 1231 naming it.
    Result<std::string> Write(const ExportSource& source, const DataFolder& folder) const;

private:
    const WorkingMonth& m_month;
    std::vector<std::string> m_items;
};

} // namespace vardo
