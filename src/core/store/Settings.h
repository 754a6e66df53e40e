#pragma once

// The program settings kept in the settings file `vardok.ini` of the data folder.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/IniFile.h"
#include "core/platform/Result.h"

namespace vardo {

/// Longest user-category label kept, in characters.
inline constexpr std::size_t kUserCategoryLabelLength = 15;

/// Every value of the settings file. Integer settings are kept in one byte as the file gives them (a
/// value above 255 keeps its low byte); the Early values are full integers. Texts are UTF-8.
struct Settings {
    // Card-header labels.
    std::uint8_t labelBirthDate = 1;   ///< "Karty" / "Data urodzenia": print the birth date
    std::uint8_t labelOtherLayout = 0; ///< "Karty" / "Inna etykieta": second label layout
    std::uint8_t labelLeftMargin = 20; ///< "Karty" / "Lewy margines": hundredths of an inch

    // Reports.
    std::uint8_t gridLines = 0;            ///< "Raporty" / "Linie siatki"
    std::uint8_t missingReportFrame = 0;   ///< "Raporty" / "Brak czasu - ramka"
    std::uint8_t emergencyWitnessLine = 1; ///< "Raporty" / "EmergJw"
    std::uint8_t topMargin = 50;           ///< "Raporty" / "Górny margines": hundredths of an inch
    std::uint8_t dateStamp = 0;            ///< "Raporty" / "Znacznik daty"
    std::string congregationName;          ///< "Raporty" / "CongName"

    /// "Dzwoń OK" / "Włączono": a switch of the group-report mail dialog. Written at every save, never read.
    std::uint8_t mailCallMode = 0;
    std::uint8_t autoCapitalize = 1;   ///< "AutoCap" / "Włączono": capitalise names while typing
    std::uint8_t noStartupNote = 0;    ///< "Nag" / "Włączono": 1 = the start-up note is not shown
    std::uint8_t firstNameFirst = 0;   ///< first-name-first order; read and written for the tag "ptg" only
    std::uint8_t cardGroupNumbers = 0; ///< "PrtGrp" / "Włączono": record cards show group numbers
    std::uint8_t cardHiddenTotals = 0; ///< "HideAvg" / "Włączono": 4-bit set of hidden averages and totals
    std::uint8_t cardYearPerPage = 0;  ///< "OnePerPage" / "Włączono": one service year per page
    std::uint8_t cardHideBirthDay = 0; ///< "HideBir" / "Włączono": hide month and day of birth

    std::uint8_t userCategoryEnabled = 0; ///< "Kategoria użytkownika" / "Włączono"
    std::string userCategoryLabel;        ///< at most kUserCategoryLabelLength characters

    std::string secretaryEmail; ///< "Sec" / "Email"
    /// "Sec" / "Pomocnik": bit g − 1 set = group g's report file goes to the assistant.
    int assistantGroups = 0;

    /// "Early" / "Year" and "Month": the early start of the next month (year − 2000, month 1..12; 0 = none).
    /// ReadSettings leaves them 0: ComputeWorkingMonth reads them, and only from the 25th of a month.
    int earlyYear = 0;
    int earlyMonth = 0;

    std::string lastBackupFolder; ///< "Kopia Zapasowa" / "Ścieżka"; the data folder when missing
    std::string lastBackupDate;   ///< "Kopia Zapasowa" / "Last": "YYYY-MM-DD" or empty

    bool operator==(const Settings&) const = default;
};

/// File name of the settings file in the data folder ("vardok.ini").
std::string_view SettingsFileName();

/// Section and keys of the early start, read and written by the working-month computation too.
inline constexpr std::string_view kEarlySection = "Early";
inline constexpr std::string_view kEarlyYearKey = "Year";
inline constexpr std::string_view kEarlyMonthKey = "Month";

/// Reads every setting except the Early values from the file, with the defaults for missing keys.
/// `dataFolderPath` is the default of the last backup folder; `languageTag` decides whether the
/// first-name-first switch is read ("ptg" only; 0 otherwise).
Settings ReadSettings(const IniFile& file, std::string_view dataFolderPath, std::string_view languageTag);

/// Writes every setting into the file held in memory; other sections and keys stay as they are. The
/// first-name-first switch is written only for the tag "ptg".
void WriteSettings(const Settings& settings, IniFile& file, std::string_view languageTag);

/// Cuts a UTF-8 label to kUserCategoryLabelLength characters.
std::string CutUserCategoryLabel(std::string_view label);

/// Loads the settings file of a data folder; a missing file gives an empty INI. A file that cannot be read
/// gives the failure (the caller then works on the defaults).
Result<IniFile> LoadSettingsFile(const DataFolder& folder);

/// Writes the settings file of a data folder atomically.
Status SaveSettingsFile(const IniFile& file, const DataFolder& folder);

} // namespace vardo
