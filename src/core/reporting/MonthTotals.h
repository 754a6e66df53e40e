#pragma once

// The working month's totals by report category: 4 rows × 9 unsigned 16-bit columns.

#include <array>
#include <cstdint>

namespace vardo {

struct MonthTotals {
    static constexpr int kRows = 4;    ///< publishers, auxiliary, regular and special pioneers
    static constexpr int kColumns = 9; ///< 0..4 sums, 5 active publishers (row 0), 7 quarter hours, 8 reports
    static constexpr int kQuarterHourColumn = 7;
    static constexpr int kReportCountColumn = 8;

    std::array<std::array<std::uint16_t, kColumns>, kRows> values{};

    std::uint16_t Value(int row, int column) const { return values[row][column]; }
    void SetValue(int row, int column, std::uint16_t value) { values[row][column] = value; }
    void Clear() { values = {}; }
    bool operator==(const MonthTotals&) const = default;
};

} // namespace vardo
