#include "core/store/Settings.h"

#include <string>

#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr std::string_view kFirstNameFirstTag = "ptg";

std::uint8_t LowByte(int value) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFFu);
}

// The section and key names that the string table gives for this build.
struct Names {
    std::string cards = std::string(Str(StrId::CardsSection));
    std::string birthDate = std::string(Str(StrId::BirthDateKey));
    std::string otherLabel = std::string(Str(StrId::OtherLabelKey));
    std::string leftMargin = std::string(Str(StrId::LabelMarginKey));
    std::string reports = std::string(Str(StrId::ReportsSection));
    std::string gridLines = std::string(Str(StrId::GridKey));
    std::string missingFrame = std::string(Str(StrId::MissingReportFrameKey));
    std::string topMargin = std::string(Str(StrId::TopMarginKey));
    std::string dateStamp = std::string(Str(StrId::DateStampKey));
    std::string mailCall = FormatArgs(Str(StrId::MailCallSection), {"OK"});
    std::string on = std::string(Str(StrId::SwitchOnKey)); // the switch key of the one-switch sections
    std::string userCategory = std::string(Str(StrId::UserCategorySection));
    // Entry 32843 names this section; the Polish table has no such entry, so the name is empty.
    std::string firstNameFirst;
    std::string backup = std::string(Str(StrId::BackupSection));
    std::string backupFolder = std::string(Str(StrId::BackupPathKey));
};

const Names& SectionNames() {
    static const Names names;
    return names;
}

} // namespace

std::string_view SettingsFileName() {
    return Str(StrId::SettingsFileName);
}

std::string CutUserCategoryLabel(std::string_view label) {
    std::size_t characters = 0;
    std::size_t end = 0;
    while (end < label.size() && characters < kUserCategoryLabelLength) {
        ++end;
        // Continuation bytes of a UTF-8 sequence belong to the character before them.
        while (end < label.size() && (static_cast<unsigned char>(label[end]) & 0xC0u) == 0x80u)
            ++end;
        ++characters;
    }
    return std::string(label.substr(0, end));
}

Settings ReadSettings(const IniFile& file, std::string_view dataFolderPath, std::string_view languageTag) {
    const Names& n = SectionNames();
    const Settings defaults;
    Settings s;
    auto byte = [&](std::string_view section, std::string_view key, std::uint8_t fallback) {
        return LowByte(file.GetInt(section, key, fallback));
    };

    s.labelBirthDate = byte(n.cards, n.birthDate, defaults.labelBirthDate);
    s.labelOtherLayout = byte(n.cards, n.otherLabel, defaults.labelOtherLayout);
    s.labelLeftMargin = byte(n.cards, n.leftMargin, defaults.labelLeftMargin);

    s.gridLines = byte(n.reports, n.gridLines, defaults.gridLines);
    s.missingReportFrame = byte(n.reports, n.missingFrame, defaults.missingReportFrame);
    s.emergencyWitnessLine = byte(n.reports, "EmergJw", defaults.emergencyWitnessLine);
    s.topMargin = byte(n.reports, n.topMargin, defaults.topMargin);
    s.dateStamp = byte(n.reports, n.dateStamp, defaults.dateStamp);
    s.congregationName = file.GetString(n.reports, "CongName", "");

    // The mail dialog's switch is never read: it is off at every start.
    s.mailCallMode = 0;
    s.autoCapitalize = byte("AutoCap", n.on, defaults.autoCapitalize);
    s.noStartupNote = byte("Nag", n.on, defaults.noStartupNote);
    s.firstNameFirst = languageTag == kFirstNameFirstTag ? byte(n.firstNameFirst, n.on, 0) : 0;
    s.cardGroupNumbers = byte("PrtGrp", n.on, defaults.cardGroupNumbers);
    s.cardHiddenTotals = byte("HideAvg", n.on, defaults.cardHiddenTotals);
    s.cardYearPerPage = byte("OnePerPage", n.on, defaults.cardYearPerPage);
    s.cardHideBirthDay = byte("HideBir", n.on, defaults.cardHideBirthDay);

    s.userCategoryEnabled = byte(n.userCategory, n.on, defaults.userCategoryEnabled);
    s.userCategoryLabel = CutUserCategoryLabel(file.GetString(n.userCategory, n.userCategory, ""));

    s.secretaryEmail = file.GetString("Sec", "Email", "");
    s.assistantGroups = file.GetInt("Sec", "Pomocnik", 0);

    s.lastBackupFolder = file.GetString(n.backup, n.backupFolder, dataFolderPath);
    s.lastBackupDate = file.GetString(n.backup, "Last", "");
    return s;
}

void WriteSettings(const Settings& s, IniFile& file, std::string_view languageTag) {
    const Names& n = SectionNames();

    file.SetInt(n.cards, n.birthDate, s.labelBirthDate);
    file.SetInt(n.cards, n.otherLabel, s.labelOtherLayout);
    file.SetInt(n.cards, n.leftMargin, s.labelLeftMargin);

    file.SetInt(n.reports, n.gridLines, s.gridLines);
    file.SetInt(n.reports, n.missingFrame, s.missingReportFrame);
    file.SetInt(n.reports, "EmergJw", s.emergencyWitnessLine);
    file.SetInt(n.reports, n.topMargin, s.topMargin);
    file.SetInt(n.reports, n.dateStamp, s.dateStamp);
    file.SetString(n.reports, "CongName", s.congregationName);

    file.SetInt(n.mailCall, n.on, s.mailCallMode);
    file.SetInt("AutoCap", n.on, s.autoCapitalize);
    file.SetInt("Nag", n.on, s.noStartupNote);
    if (languageTag == kFirstNameFirstTag)
        file.SetInt(n.firstNameFirst, n.on, s.firstNameFirst);
    file.SetInt("PrtGrp", n.on, s.cardGroupNumbers);
    file.SetInt("HideAvg", n.on, s.cardHiddenTotals);
    file.SetInt("OnePerPage", n.on, s.cardYearPerPage);
    file.SetInt("HideBir", n.on, s.cardHideBirthDay);

    file.SetInt(n.userCategory, n.on, s.userCategoryEnabled);
    file.SetString(n.userCategory, n.userCategory, CutUserCategoryLabel(s.userCategoryLabel));

    file.SetString("Sec", "Email", s.secretaryEmail);
    if (s.assistantGroups != 0 || file.GetInt("Sec", "Pomocnik", 0) != 0)
        file.SetInt("Sec", "Pomocnik", s.assistantGroups);

    file.SetInt(kEarlySection, kEarlyYearKey, s.earlyYear);
    file.SetInt(kEarlySection, kEarlyMonthKey, s.earlyMonth);

    file.SetString(n.backup, n.backupFolder, s.lastBackupFolder);
    file.SetString(n.backup, "Last", s.lastBackupDate);
}

Result<IniFile> LoadSettingsFile(const DataFolder& folder) {
    return IniFile::Load(folder, SettingsFileName());
}

Status SaveSettingsFile(const IniFile& file, const DataFolder& folder) {
    return file.Save(folder, SettingsFileName());
}

} // namespace vardo
