#pragma once

// Word lists of the demo congregation: Polish first names, surnames, streets and the texts of remarks,
// special needs and emergency notes.

#include <span>
#include <string_view>

namespace vardo::demo {

/// The masculine and feminine form of a surname (the same for surnames that do not change).
struct Surname {
    std::string_view male;
    std::string_view female;
};

/// A street of the demo town with the postal code of its district.
struct Street {
    std::string_view name;
    std::string_view postalCode;
};

std::span<const std::string_view> MaleFirstNames();
std::span<const std::string_view> FemaleFirstNames();
std::span<const Surname> Surnames();
std::span<const Street> Streets();
/// Name of the demo town.
std::string_view Town();
/// Short remarks of a month's report (at most 43 characters).
std::span<const std::string_view> ReportRemarks();
/// Remarks of a month without a report.
std::span<const std::string_view> MissingReportRemarks();
/// Special needs (at most 93 characters).
std::span<const std::string_view> SpecialNeeds();
/// Important information of an emergency contact (at most 95 characters).
std::span<const std::string_view> EmergencyNotes();
/// Relations of an emergency contact to the family.
std::span<const std::string_view> Relations();
/// Meeting places of field service groups (at most 22 characters).
std::span<const std::string_view> GroupPlaces();
/// Own names of field service groups (at most 20 characters).
std::span<const std::string_view> GroupNames();
/// Further contact texts of extension records (at most 71 characters).
std::span<const std::string_view> ExtraTexts();

} // namespace vardo::demo
