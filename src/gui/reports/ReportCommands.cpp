#include "gui/reports/ReportCommands.h"

#include "core/reports/Analysis.h"
#include "core/reports/HoursReports.h"
#include "core/reports/Lists.h"

namespace vardo {

const std::vector<ReportCommand>& ReportCommandTable() {
    using K = ReportKind;
    static const std::vector<ReportCommand> table = {
        {32779, K::CongregationAnalysis, false, false},
        {32891, K::CongregationAnalysis, false, false},
        {32892, K::AnalysisAlphabetical, false, false},
        {32780, K::GroupAnalysis, true, true},
        {32793, K::CongregationSummary, false, false},
        {32794, K::Attendance, false, false},
        {32796, K::AveragesCongregation, false, false},
        {32797, K::AveragesGroup, true, false},
        {32798, K::AveragesRegularPioneers, false, false},
        {32799, K::AveragesElders, false, false},
        {32800, K::AveragesServants, false, false},
        {32801, K::AveragesBaptizedBrothers, false, false},
        {32836, K::AveragesUserCategory, false, false},
        {32802, K::Statistics, false, false},
        {32821, K::RecordCards, false, false},
        {32822, K::RecordCards, false, false},
        {32807, K::HoursCongregation, false, false},
        {32808, K::HoursGroup, true, false},
        {32817, K::HoursRegularPioneers, false, false},
        {32840, K::HoursEldersServants, false, false},
        {32816, K::HoursAuxiliaryPioneers, false, false},
        {32851, K::HoursBaptizedBrothers, false, false},
        {32844, K::HoursUserCategory, false, false},
        {32818, K::ServiceYearCongregation, false, false},
        {32819, K::ServiceYearRegularPioneers, false, false},
        {32841, K::ServiceYearEldersServants, false, false},
        {32806, K::PioneerHours, false, false},
        {32809, K::PhoneCongregation, false, false},
        {32810, K::PhoneGroup, true, false},
        {32823, K::PhoneEldersServants, false, false},
        {32824, K::PhoneRegularPioneers, false, false},
        {32811, K::AddressCongregation, false, false},
        {32812, K::AddressGroup, true, false},
        {32825, K::AddressInactive, false, false},
        {32831, K::AddressEldersServants, false, false},
        {32830, K::AddressRegularPioneers, false, false},
        {32852, K::GroupListsActive, false, false},
        {32853, K::GroupListsActiveStudents, false, false},
        {32893, K::GroupListsActiveInactive, false, false},
        {32854, K::GroupListsAll, false, false},
        {32901, K::GroupListsActiveAlt, false, false},
        {32846, K::ContactCongregation, false, false},
        {32847, K::ContactGroup, true, false},
        {32848, K::ContactEldersServants, false, false},
        {32875, K::ContactRegularPioneers, false, false},
        {32882, K::ContactInactive, false, false},
        {32904, K::ContactInactive, true, false},
        {32859, K::EmergencyCongregation, false, false},
        {32860, K::EmergencyGroup, true, false},
        {32867, K::EmergencyForms, false, false},
        {32871, K::PhoneEmailCongregation, false, false},
        {32872, K::PhoneEmailGroup, true, false},
        {32874, K::PhoneEmailEldersServants, false, false},
        {32873, K::PhoneEmailRegularPioneers, false, false},
        {32915, K::SpecialNeedsCongregation, false, false},
        {32916, K::SpecialNeedsGroup, true, false},
    };
    return table;
}

const ReportCommand* FindReportCommand(int id) {
    for (const auto& command : ReportCommandTable())
        if (command.id == id)
            return &command;
    return nullptr;
}

bool ReportKindAvailable(ReportKind kind) {
    return AnalysisVariantOf(kind, 1).has_value() || ListKindOf(kind, 1).has_value() ||
           GroupListMembersOf(kind).has_value() || SafetyReportOf(kind).has_value() ||
           HoursReportKindOf(kind, 1).has_value() || kind == ReportKind::Statistics || kind == ReportKind::RecordCards;
}

const std::vector<FontCommand>& FontCommandTable() {
    static const std::vector<FontCommand> table = {
        {viewcmd::kFontText, ReportFontId::Text, "&Tekst", "Wybierz czcionkę dla tekstu"},
        {viewcmd::kFontTitle, ReportFontId::Title, "&Tytuły", "Wybierz czcionkę dla tytułów"},
        {viewcmd::kFontSubtitle, ReportFontId::Subtitle, "&Podtytuły", "Wybierz czcionkę dla podtytułów"},
        {viewcmd::kFontHeader, ReportFontId::Header, "&Nagłówki", "Wybierz czcionkę dla nagłówków"},
        {viewcmd::kFontSmall, ReportFontId::Small, "&Mały tekst", "Wybierz czcionkę dla małego tekstu"},
    };
    return table;
}

const FontCommand* FindFontCommand(int id) {
    for (const auto& command : FontCommandTable())
        if (command.id == id)
            return &command;
    return nullptr;
}

} // namespace vardo
