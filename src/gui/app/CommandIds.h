#pragma once

// Command ids of the menus, the toolbar and the main panel: the keys by which the main frame routes a
// command to the document or the view.

namespace vardo::cmd {

// Document commands.
inline constexpr int kPublishers = 32768;
inline constexpr int kAuxiliaryPioneers = 32769;
inline constexpr int kFieldServiceGroups = 32770;
inline constexpr int kRecordCard = 32771;
inline constexpr int kQuickResults = 32772;
inline constexpr int kMissingReports = 32773;
inline constexpr int kIrregular = 32774;
inline constexpr int kPioneerHours = 32775;
inline constexpr int kInactiveView = 32776;
inline constexpr int kTimeAccounting = 32777;
inline constexpr int kAttendance = 32778;
inline constexpr int kMovedEdit = 32781;
inline constexpr int kInactiveEdit = 32782;
inline constexpr int kReactivated = 32783;
inline constexpr int kMovedView = 32784;
inline constexpr int kPassword = 32786;
inline constexpr int kRecentlyBaptized = 32792;
inline constexpr int kNewPublishers = 32795;
inline constexpr int kReportSettings = 32804;
inline constexpr int kAuxiliaryPioneersView = 32815;
inline constexpr int kStudyConductors = 32820;
inline constexpr int kUnbaptized = 32828;
inline constexpr int kDataExport = 32829;
inline constexpr int kTimeTallyForm = 32832;
inline constexpr int kRegularPioneers = 32833;
inline constexpr int kUserCategory = 32834;
inline constexpr int kUserCategoryView = 32835;
inline constexpr int kActivitySummary = 32837;
inline constexpr int kAttendanceSinceYearStart = 32838;
inline constexpr int kInterestedEdit = 32839;
inline constexpr int kInterestedView = 32842;
inline constexpr int kFirstNameFirst = 32843;
inline constexpr int kContactExport = 32849;
inline constexpr int kStartupNoteOff = 32850;
inline constexpr int kEraseLateReports = 32857;
inline constexpr int kBackup = 32863;
inline constexpr int kRestore = 32864;
inline constexpr int kEmergencyExport = 32865;
inline constexpr int kCardHeaderExport = 32869;
inline constexpr int kXmlImport = 32878;
inline constexpr int kXmlExport = 32880;
inline constexpr int kDeletedList = 32881;
inline constexpr int kAutoCap = 32883;
inline constexpr int kPrivilegesView = 32884;
inline constexpr int kConsentsView = 32886;
inline constexpr int kHistory = 32887;
inline constexpr int kRecordCardOptions = 32888;
inline constexpr int kPastMonths = 32894; ///< the submenu; items are kPastMonths + k, k = 1..6
inline constexpr int kCircuitOverseer = 32906;
inline constexpr int kAttendanceExport = 32911;
inline constexpr int kSummaryExport = 32912;
inline constexpr int kNoConsentView = 32913;
inline constexpr int kSpecialNeedsView = 32914;
inline constexpr int kSave = 57603;
inline constexpr int kExit = 57665;

// View commands.
inline constexpr int kReturnToPanel = 32787;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kCongregationAnalysisMonth = 32779;
inline constexpr int kCongregationAnalysisPioneers = 32891;
inline constexpr int kCongregationAnalysisAZ = 32892;
inline constexpr int kGroupAnalysis = 32780;
inline constexpr int kCongregationSummary = 32793;
inline constexpr int kAttendanceReport = 32794;
inline constexpr int kStatistics = 32802;
inline constexpr int kPhoneList = 32809;

// Application commands.
inline constexpr int kAbout = 57664;

// Main panel: the button 129 that leaves the past-month view.
inline constexpr int kReturnToWorkingMonth = 129;

} // namespace vardo::cmd
