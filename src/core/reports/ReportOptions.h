#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/platform/IniFile.h"
#include "core/store/Settings.h"

namespace vardo {

/// The report options of the print-settings dialog (123). The first three live only for the run; the
/// others are stored in the settings file (sections "Karty" and "Raporty").
struct ReportOptions {
    bool surnameFirst = false;        ///< names printed surname first
    bool datesInStatistics = false;   ///< dates of birth and baptism in the statistics
    bool dayFirstDates = false;       ///< dates printed day first
    bool birthDateOnCards = true;     ///< birth date on card-header labels ("Karty" / "Data urodzenia")
    bool otherLabelLayout = false;    ///< second label layout ("Karty" / "Inna etykieta")
    bool gridLines = false;           ///< table grid lines ("Raporty" / "Linie siatki")
    bool missingReportFrames = false; ///< frames for missing reports ("Raporty" / "Brak czasu - ramka")
    bool dateStamp = false;           ///< date stamp on printed pages ("Raporty" / "Znacznik daty")
    int topMargin = 50;               ///< hundredths of an inch, 0..99 ("Raporty" / "Górny margines")
    int labelLeftMargin = 20;         ///< hundredths of an inch, 0..99 ("Karty" / "Lewy margines")
    std::string congregationName;     ///< at most 25 characters, trimmed ("Raporty" / "CongName")
    bool emergencyWitnessLine = true; ///< emergency data includes the Witness line ("Raporty" / "EmergJw")

    bool operator==(const ReportOptions&) const = default;
};

/// Reads the stored options; missing keys give the defaults. Integers keep their low byte only, as the
/// settings have always been held in one byte each.
ReportOptions LoadReportOptions(const IniFile& ini);
/// Writes the stored options (booleans as 0/1).
void SaveReportOptions(const ReportOptions& options, IniFile& ini);

/// The stored options as the document's settings hold them (the run-only options at their defaults), and
/// back: `StoreReportOptions` changes only the report-option fields of the settings.
ReportOptions ReportOptionsFromSettings(const Settings& settings);
void StoreReportOptions(const ReportOptions& options, Settings& settings);

/// The dialog's rules on its values: ticking the second label layout ticks the birth date, clearing the
/// birth date clears the second layout; margins are kept in 0..99; the congregation name is trimmed on
/// both sides and cut to 25 characters.
void SetOtherLabelLayout(ReportOptions& options, bool on);
void SetBirthDateOnCards(ReportOptions& options, bool on);
std::string NormalizeCongregationName(std::string_view name);
/// The dialog's OK: stores `edited` (normalised) into `options`; true when any value changed, which marks
/// the document modified.
bool ApplyReportOptions(ReportOptions& options, ReportOptions edited);

/// The entries of the two margin lists: "00" to "99".
std::vector<std::string> MarginListEntries();

/// The record-card options of dialog 153.
struct CardOptions {
    bool showGroups = false;   ///< "PrtGrp"
    bool onePerPage = false;   ///< "OnePerPage": one service year per page
    bool hideBirthDay = false; ///< "HideBir": hide month and day of birth
    int hiddenAverages = 0;    ///< "HideAvg", bits: 0 current-year averages, 1 previous-year averages,
                               ///< 2 current-year totals, 3 previous-year totals

    bool operator==(const CardOptions&) const = default;
};

CardOptions LoadCardOptions(const IniFile& ini);
CardOptions CardOptionsFromSettings(const Settings& settings);
void StoreCardOptions(const CardOptions& options, Settings& settings);
void SaveCardOptions(const CardOptions& options, IniFile& ini);

} // namespace vardo
