#include "core/reports/ReportOptions.h"

#include <algorithm>

#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr StrId kCardsSection = StrId::CardsSection;
constexpr StrId kBirthDateKey = StrId::BirthDateKey;
constexpr StrId kOtherLabelKey = StrId::OtherLabelKey;
constexpr StrId kLabelMarginKey = StrId::LabelMarginKey;
constexpr StrId kReportsSection = StrId::ReportsSection;
constexpr StrId kGridKey = StrId::GridKey;
constexpr StrId kFramesKey = StrId::MissingReportFrameKey;
constexpr StrId kTopMarginKey = StrId::TopMarginKey;
constexpr StrId kDateStampKey = StrId::DateStampKey;
constexpr std::string_view kWitnessKey = "EmergJw";
constexpr std::string_view kCongNameKey = "CongName";
constexpr std::string_view kEnabledKey = "Włączono";
constexpr std::size_t kMaxCongregationName = 25;

int Byte(int value) {
    return value & 0xFF;
}

int ClampMargin(int value) {
    return std::clamp(value, 0, 99);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

ReportOptions LoadReportOptions(const IniFile& ini) {
    ReportOptions o;
    const std::string_view cards = Str(kCardsSection);
    const std::string_view reports = Str(kReportsSection);
    o.birthDateOnCards = Byte(ini.GetInt(cards, Str(kBirthDateKey), 1)) != 0;
    o.otherLabelLayout = Byte(ini.GetInt(cards, Str(kOtherLabelKey), 0)) != 0;
    o.labelLeftMargin = Byte(ini.GetInt(cards, Str(kLabelMarginKey), 20));
    o.gridLines = Byte(ini.GetInt(reports, Str(kGridKey), 0)) != 0;
    o.missingReportFrames = Byte(ini.GetInt(reports, Str(kFramesKey), 0)) != 0;
    o.emergencyWitnessLine = Byte(ini.GetInt(reports, kWitnessKey, 1)) != 0;
    o.topMargin = Byte(ini.GetInt(reports, Str(kTopMarginKey), 50));
    o.dateStamp = Byte(ini.GetInt(reports, Str(kDateStampKey), 0)) != 0;
    o.congregationName = NormalizeCongregationName(ini.GetString(reports, kCongNameKey, ""));
    return o;
}

void SaveReportOptions(const ReportOptions& o, IniFile& ini) {
    const std::string_view cards = Str(kCardsSection);
    const std::string_view reports = Str(kReportsSection);
    ini.SetInt(cards, Str(kBirthDateKey), o.birthDateOnCards ? 1 : 0);
    ini.SetInt(cards, Str(kOtherLabelKey), o.otherLabelLayout ? 1 : 0);
    ini.SetInt(cards, Str(kLabelMarginKey), o.labelLeftMargin);
    ini.SetInt(reports, Str(kGridKey), o.gridLines ? 1 : 0);
    ini.SetInt(reports, Str(kFramesKey), o.missingReportFrames ? 1 : 0);
    ini.SetInt(reports, kWitnessKey, o.emergencyWitnessLine ? 1 : 0);
    ini.SetInt(reports, Str(kTopMarginKey), o.topMargin);
    ini.SetInt(reports, Str(kDateStampKey), o.dateStamp ? 1 : 0);
    ini.SetString(reports, kCongNameKey, o.congregationName);
}

ReportOptions ReportOptionsFromSettings(const Settings& s) {
    ReportOptions o;
    o.birthDateOnCards = s.labelBirthDate != 0;
    o.otherLabelLayout = s.labelOtherLayout != 0;
    o.labelLeftMargin = s.labelLeftMargin;
    o.gridLines = s.gridLines != 0;
    o.missingReportFrames = s.missingReportFrame != 0;
    o.emergencyWitnessLine = s.emergencyWitnessLine != 0;
    o.topMargin = s.topMargin;
    o.dateStamp = s.dateStamp != 0;
    o.congregationName = NormalizeCongregationName(s.congregationName);
    return o;
}

void StoreReportOptions(const ReportOptions& o, Settings& s) {
    s.labelBirthDate = o.birthDateOnCards ? 1 : 0;
    s.labelOtherLayout = o.otherLabelLayout ? 1 : 0;
    s.labelLeftMargin = static_cast<std::uint8_t>(Byte(o.labelLeftMargin));
    s.gridLines = o.gridLines ? 1 : 0;
    s.missingReportFrame = o.missingReportFrames ? 1 : 0;
    s.emergencyWitnessLine = o.emergencyWitnessLine ? 1 : 0;
    s.topMargin = static_cast<std::uint8_t>(Byte(o.topMargin));
    s.dateStamp = o.dateStamp ? 1 : 0;
    s.congregationName = o.congregationName;
}

void SetOtherLabelLayout(ReportOptions& options, bool on) {
    options.otherLabelLayout = on;
    if (on)
        options.birthDateOnCards = true;
}

void SetBirthDateOnCards(ReportOptions& options, bool on) {
    options.birthDateOnCards = on;
    if (!on)
        options.otherLabelLayout = false;
}

std::string NormalizeCongregationName(std::string_view name) {
    while (!name.empty() && IsBlank(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && IsBlank(name.back()))
        name.remove_suffix(1);
    std::size_t pos = 0;
    for (std::size_t seen = 0; pos < name.size() && seen < kMaxCongregationName; ++seen) {
        ++pos;
        while (pos < name.size() && (static_cast<unsigned char>(name[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    std::string cut(name.substr(0, pos));
    while (!cut.empty() && IsBlank(cut.back()))
        cut.pop_back();
    return cut;
}

bool ApplyReportOptions(ReportOptions& options, ReportOptions edited) {
    edited.topMargin = ClampMargin(edited.topMargin);
    edited.labelLeftMargin = ClampMargin(edited.labelLeftMargin);
    edited.congregationName = NormalizeCongregationName(edited.congregationName);
    if (edited.otherLabelLayout)
        edited.birthDateOnCards = true;
    const bool changed = !(edited == options);
    options = std::move(edited);
    return changed;
}

std::vector<std::string> MarginListEntries() {
    std::vector<std::string> entries;
    entries.reserve(100);
    for (int i = 0; i < 100; ++i)
        entries.push_back({static_cast<char>('0' + i / 10), static_cast<char>('0' + i % 10)});
    return entries;
}

CardOptions LoadCardOptions(const IniFile& ini) {
    CardOptions o;
    o.showGroups = Byte(ini.GetInt("PrtGrp", kEnabledKey, 0)) != 0;
    o.onePerPage = Byte(ini.GetInt("OnePerPage", kEnabledKey, 0)) != 0;
    o.hideBirthDay = Byte(ini.GetInt("HideBir", kEnabledKey, 0)) != 0;
    o.hiddenAverages = Byte(ini.GetInt("HideAvg", kEnabledKey, 0)) & 0x0F;
    return o;
}

CardOptions CardOptionsFromSettings(const Settings& s) {
    CardOptions o;
    o.showGroups = s.cardGroupNumbers != 0;
    o.onePerPage = s.cardYearPerPage != 0;
    o.hideBirthDay = s.cardHideBirthDay != 0;
    o.hiddenAverages = s.cardHiddenTotals & 0x0F;
    return o;
}

void StoreCardOptions(const CardOptions& o, Settings& s) {
    s.cardGroupNumbers = o.showGroups ? 1 : 0;
    s.cardYearPerPage = o.onePerPage ? 1 : 0;
    s.cardHideBirthDay = o.hideBirthDay ? 1 : 0;
    s.cardHiddenTotals = static_cast<std::uint8_t>(o.hiddenAverages & 0x0F);
}

void SaveCardOptions(const CardOptions& o, IniFile& ini) {
    ini.SetInt("PrtGrp", kEnabledKey, o.showGroups ? 1 : 0);
    ini.SetInt("OnePerPage", kEnabledKey, o.onePerPage ? 1 : 0);
    ini.SetInt("HideBir", kEnabledKey, o.hideBirthDay ? 1 : 0);
    ini.SetInt("HideAvg", kEnabledKey, o.hiddenAverages & 0x0F);
}

} // namespace vardo
