#pragma once

#include <optional>
#include <string_view>

namespace vardo {

/// What the report window shows.
enum class ViewMode { MainPanel = 1, Report = 2 };

/// The report being shown; the values are the report numbers of the Reports menu.
enum class ReportKind {
    CongregationAnalysis = 1,
    GroupAnalysis = 2,
    CongregationSummary = 3,
    Attendance = 4,
    AveragesCongregation = 5,
    AveragesGroup = 6,
    AveragesRegularPioneers = 7,
    AveragesElders = 8,
    AveragesServants = 9,
    AveragesBaptizedBrothers = 10,
    AveragesUserCategory = 11,
    Statistics = 20,
    RecordCards = 30,
    HoursUserCategory = 38,
    HoursAuxiliaryPioneers = 39,
    HoursCongregation = 40,
    HoursGroup = 41,
    HoursRegularPioneers = 42,
    HoursEldersServants = 43,
    ServiceYearCongregation = 44,
    ServiceYearRegularPioneers = 45,
    ServiceYearEldersServants = 46,
    PioneerHours = 47,
    HoursBaptizedBrothers = 48,
    PhoneCongregation = 50,
    PhoneGroup = 51,
    PhoneEldersServants = 52,
    PhoneRegularPioneers = 53,
    AddressCongregation = 60,
    AddressGroup = 61,
    AddressInactive = 62,
    AddressEldersServants = 63,
    AddressRegularPioneers = 64,
    GroupListsActive = 70,
    GroupListsActiveStudents = 71,
    GroupListsActiveInactive = 72,
    GroupListsAll = 73,
    GroupListsActiveAlt = 74,
    ContactCongregation = 80,
    ContactGroup = 81,
    ContactEldersServants = 82,
    ContactRegularPioneers = 83,
    ContactInactive = 84,
    EmergencyCongregation = 90,
    EmergencyGroup = 91,
    EmergencyBlankForm = 95,
    EmergencyForms = 96,
    PhoneEmailCongregation = 100,
    PhoneEmailGroup = 101,
    PhoneEmailEldersServants = 103,
    PhoneEmailRegularPioneers = 104,
    AnalysisAlphabetical = 110,
    SpecialNeedsCongregation = 120,
    SpecialNeedsGroup = 121,
    // The status views printed (StatusReport.h): 200 + the view's index.
    StatusNoReport = 200,
    StatusIrregular = 201,
    StatusNew = 202,
    StatusReactivated = 203,
    StatusInactive = 204,
    StatusMoved = 205,
    StatusBaptised = 206,
    StatusAuxiliaryPioneers = 207,
    StatusConductors = 208,
    StatusUnbaptised = 209,
    StatusInterested = 210,
    StatusCollectionForm = 211,
    StatusPrivileges = 212,
    StatusConsent = 213,
    StatusNoConsent = 214,
    StatusUserCategory = 215,
    StatusSpecialNeeds = 216,
    StatusInactiveCandidates = 217,
};

/// The kind with report number `number`, or nullopt when no report has that number.
std::optional<ReportKind> ReportKindFromNumber(int number);

/// True when the kind's report is drawn for one chosen field-service group (the group chooser runs first).
bool ReportKindTakesGroup(ReportKind kind);

/// A short ASCII name for command lines and file names ("phone", "phone-group", ...); empty for kinds
/// without one.
std::string_view ReportKindName(ReportKind kind);
/// The kind named `name` (a ReportKindName or the report number in decimal).
std::optional<ReportKind> ReportKindFromName(std::string_view name);

} // namespace vardo
