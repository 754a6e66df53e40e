#include "core/exchange/DataExportChoice.h"

#include "core/platform/Strings.h"

namespace vardo {

DataExportChoice::DataExportChoice(const WorkingMonth& month) : m_month(month) {
    for (int back = kMonthsPerYear - 1; back >= 0; --back) {
        const auto count = static_cast<MonthCount>(month.monthCount - back);
        m_items.push_back(std::string(MonthName(MonthIndexOf(count))) + " " +
                          std::to_string(2000 + YearIndexOf(count)));
    }
    monthItem = WorkingItem();
}

MonthIndex DataExportChoice::Month() const {
    const int item = monthItem < 0 || monthItem > WorkingItem() ? WorkingItem() : monthItem;
    return MonthIndexOf(static_cast<MonthCount>(m_month.monthCount - (WorkingItem() - item)));
}

std::string DataExportChoice::FileName() const {
    return MonthlyDataFileName(Month(), Separator());
}

Result<std::string> DataExportChoice::Write(const ExportSource& source, const DataFolder& folder) const {
    return WriteExport(folder, FileName(), MonthlyDataExport(source, Month(), Separator(), header));
}

} // namespace vardo
