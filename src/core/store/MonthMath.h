#pragma once

// Month arithmetic of the per-month record arrays: every per-month value is kept in a [12][3] array of
// (month index, year slot); the slot of a month is chosen by the parity of its year.

#include <cstdint>

namespace vardo {

/// Month of the year, 0 = January .. 11 = December.
using MonthIndex = int;
/// Two-digit year in one byte: (year + 48) mod 256. 0..200 mean 2000..2200, 201..255 mean 1945..1999.
using YearByte = std::uint8_t;
/// Months since January 2000: (year − 2000) × 12 + month index.
using MonthCount = std::uint16_t;
/// Year slot of a per-month array: 0 or 1 by year parity; slot 2 exists in the arrays but is only used by
/// the attendance.
using YearSlot = int;

inline constexpr int kMonthsPerYear = 12;
/// Year slots per month in the record arrays.
inline constexpr int kYearSlots = 3;
/// Cells of a per-month array (12 months × 3 slots).
inline constexpr int kMonthCells = kMonthsPerYear * kYearSlots;

/// The last month of the older report format (September 2023); later months use the newer format.
inline constexpr MonthCount kNewReportFormatStart = 284;

/// YearByte of a full year (1945..2200).
constexpr YearByte ToYearByte(int year) {
    return static_cast<YearByte>(((year + 48) % 256 + 256) % 256);
}

/// Full year of a YearByte.
constexpr int YearOfYearByte(YearByte value) {
    return value <= 200 ? 2000 + value : 1744 + value;
}

/// MonthCount of a year (2000..2200) and month index.
constexpr MonthCount ToMonthCount(int year, MonthIndex month) {
    return static_cast<MonthCount>((year - 2000) * kMonthsPerYear + month);
}

/// Month index of a MonthCount.
constexpr MonthIndex MonthIndexOf(MonthCount count) {
    return static_cast<MonthIndex>(count % kMonthsPerYear);
}

/// Year index (year − 2000) of a MonthCount.
constexpr int YearIndexOf(MonthCount count) {
    return count / kMonthsPerYear;
}

/// Parity slot of a year index: 0 for even, 1 for odd (negative indexes included).
constexpr YearSlot ParitySlot(int yearIndex) {
    return ((yearIndex % 2) + 2) % 2;
}

/// Slot of month `month` relative to the working month: months up to and including the working month
/// belong to the working year (`yearIndex`, year − 2000), later months to the year before.
constexpr YearSlot SlotOfMonth(int yearIndex, MonthIndex month, MonthIndex workingMonthIndex) {
    return ParitySlot(yearIndex + (month > workingMonthIndex ? 1 : 0));
}

/// Position of (month, slot) in a [12][3] array.
constexpr int CellPosition(MonthIndex month, YearSlot slot) {
    return kYearSlots * month + slot;
}

/// True for a month index 0..11.
constexpr bool IsMonthIndex(int month) {
    return month >= 0 && month < kMonthsPerYear;
}

/// True for a slot that a record array holds (0..2).
constexpr bool IsYearSlot(int slot) {
    return slot >= 0 && slot < kYearSlots;
}

} // namespace vardo
