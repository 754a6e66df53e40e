#pragma once

// The status views (one list per kind, with its period or filter) and the quick results, each line with
// the reason the person is on it.

#include <string>
#include <string_view>
#include <vector>

#include "core/reporting/ActivityStatus.h"
#include "core/store/AppointmentTable.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/Settings.h"

namespace vardo {

/// The kinds of the status view, in the order of its kind combo.
enum class StatusViewKind {
    NoReport,          ///< 1052: active, neither report nor remark for the chosen month
    Irregular,         ///< 1229
    New,               ///< 1061, four periods
    Reactivated,       ///< 1062, four periods
    Inactive,          ///< 1063, periods incl. over 12 months and all
    Moved,             ///< 1064, three periods
    Baptised,          ///< 1148, baptism classes
    AuxiliaryPioneers, ///< 1145, three periods
    Conductors,        ///< 1190, three periods
    Unbaptised,        ///< 1262
    Interested,        ///< 1291
    CollectionForm,    ///< 1247
    Privileges,        ///< 1428, privilege list
    Consent,           ///< 1429
    NoConsent,         ///< 1503
    UserCategory,      ///< the user category's name
    SpecialNeeds,      ///< persons with a special need (deaf, blind, confined)
    InactiveCandidates ///< active publishers without a report for six months (the inactive window's right list)
};
inline constexpr int kStatusViewKinds = 18;

/// The privileges of the privilege view, in the order of its list.
enum class PrivilegeChoice {
    Servants,
    Elders,
    RegularPioneers,
    ContinuousAuxiliary,
    SpecialPioneers,
    SpecialFullTime,
    FieldMissionaries
};
inline constexpr int kPrivilegeChoices = 7;

/// What a view shows.
struct StatusQuery {
    StatusViewKind kind = StatusViewKind::NoReport;
    StatusPeriod period = StatusPeriod::SixMonths;
    /// Field service group 1..20; 0 = the whole congregation ("Zbór").
    int group = 0;
    /// NoReport and CollectionForm: the month (index) within the twelve months up to the working month.
    MonthIndex month = 0;
    /// Baptised: class 0..8 (BaptismClassText).
    int baptismClass = 0;
    PrivilegeChoice privilege = PrivilegeChoice::Servants;
};

/// The data the views read.
struct StatusData {
    const PublisherDatabase& database;
    const AppointmentTable& appointments;
    const Settings& settings;
    StatusBasis basis;
    /// Today (years since baptism).
    int todayYear = 2000;
    int todayMonth = 1;
};

/// One person of a view.
struct StatusLine {
    RecordNumber record = 0;
    PublisherId id = 0;
    /// "Last, First".
    std::string name;
    /// What the view shows beside the name (month and year, missed months, telephones, date, ...).
    std::string detail;
    /// Why the person is on the list.
    std::string reason;
};

/// Title of a kind ("Głosiciele nieregularni"; "Brak raportu dla marzec " for NoReport of that month).
std::string StatusViewTitle(const StatusData& data, const StatusQuery& query);
/// The periods a kind offers (empty: none).
std::vector<StatusPeriod> PeriodsOf(StatusViewKind kind);
/// "6 ost. mies.", "Bieżący rok sł.", ...
std::string_view PeriodText(StatusPeriod period);
/// The kind has a group list.
bool HasGroupFilter(StatusViewKind kind);
/// The kind has a month list (NoReport, CollectionForm).
bool HasMonthChoice(StatusViewKind kind);
std::string_view PrivilegeText(PrivilegeChoice privilege);

/// The persons of a view in register (name) order.
std::vector<StatusLine> BuildStatusView(const StatusData& data, const StatusQuery& query);
/// "Głosiciele nieregularni ( 3 )": the title with the number of lines.
std::string StatusViewCaption(const StatusData& data, const StatusQuery& query, std::size_t lines);

/// One figure of the quick results.
struct QuickFigure {
    std::string box;   ///< the box it stands in (the working month's name, "Bieżący rok służbowy", ...)
    std::string label; ///< "Aktywn. głos.:"
    std::string value; ///< "%3d" or "%4.1f"
    /// The persons behind the figure, with their reasons.
    std::vector<StatusLine> persons;
};
/// The quick results for the working month; averages empty in the newer report format. `specialNeeds`
/// gives the three special-need counts (deaf, blind, confined) read from the register's flags.
std::vector<QuickFigure> QuickResults(const StatusData& data);

/// Counts the main panel shows, recounted after every change.
struct StatusCounts {
    int active = 0;
    int regular = 0;
    int irregular = 0;
    int inactive = 0;
    int inactiveCandidates = 0;
    int interested = 0;
    int moved = 0;
    int deleted = 0;
};
StatusCounts RecountStatus(const PublisherDatabase& database, const StatusBasis& basis);

} // namespace vardo
