#pragma once

// Conversion of the older register format: 336-byte records with one value per month (no year slots),
// in tdat7.bin (header first) and in the list files tinac7.dat, tmove7.dat, tnopu7.dat and tdele7.dat.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/store/MonthMath.h"
#include "core/store/PublisherRecord.h"

namespace vardo {

/// Size of one record of the older format.
inline constexpr std::size_t kLegacyRecordSize = 336;

/// The working-month values the conversion depends on.
struct LegacyConversionContext {
    /// Year of the working month − 2000.
    int yearIndex = 0;
    MonthIndex workingMonthIndex = 0;
    /// Current two-digit year (YearByte of today's year, or of the early-start year).
    YearByte currentYear = 0;
    /// Today's month number 1..12.
    int todayMonth = 1;
};

/// Two-digit year of the data of each month of the older file; 0 = the month carries no data.
using LegacyYearTags = std::array<std::uint8_t, kMonthsPerYear>;

/// The year tags from the older header's bytes 312..323: a year within the three years ending with the
/// current one is kept, except the current year for months from today's month number on.
LegacyYearTags LegacyYearTagsOf(std::string_view legacyHeader, const LegacyConversionContext& context);

/// Converts one 336-byte record (shorter input reads as zero-padded) into a cleared 816-byte record: the
/// identity, texts and flags at their offsets, and each tagged month's values into its year slot.
PublisherRecord ConvertLegacyRecord(std::string_view legacy, const LegacyYearTags& tags,
                                    const LegacyConversionContext& context);

/// Converts the older header: the record conversion plus the working month's state (Closed when the older
/// header's year of that month is the working year) and, per month, the quarter-hour and year bytes in the
/// Bible-study and remark rows at the slot of the tag's parity.
HeaderRecord ConvertLegacyHeader(std::string_view legacy, const LegacyYearTags& tags,
                                 const LegacyConversionContext& context);

} // namespace vardo
