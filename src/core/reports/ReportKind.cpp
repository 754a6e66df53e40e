#include "core/reports/ReportKind.h"

#include <charconv>
#include <iterator>

namespace vardo {
namespace {

struct KindEntry {
    ReportKind kind;
    std::string_view name;
    bool takesGroup;
};

constexpr KindEntry kKinds[] = {
    {ReportKind::CongregationAnalysis, "analysis", false},
    {ReportKind::GroupAnalysis, "analysis-group", true},
    {ReportKind::CongregationSummary, "summary", false},
    {ReportKind::Attendance, "attendance-report", false},
    {ReportKind::AveragesCongregation, "averages", false},
    {ReportKind::AveragesGroup, "averages-group", true},
    {ReportKind::AveragesRegularPioneers, "averages-pioneers", false},
    {ReportKind::AveragesElders, "averages-elders", false},
    {ReportKind::AveragesServants, "averages-servants", false},
    {ReportKind::AveragesBaptizedBrothers, "averages-brothers", false},
    {ReportKind::AveragesUserCategory, "averages-category", false},
    {ReportKind::Statistics, "statistics", false},
    {ReportKind::RecordCards, "card-labels", false},
    {ReportKind::HoursUserCategory, "hours-category", false},
    {ReportKind::HoursAuxiliaryPioneers, "hours-auxiliary", false},
    {ReportKind::HoursCongregation, "hours", false},
    {ReportKind::HoursGroup, "hours-group", true},
    {ReportKind::HoursRegularPioneers, "hours-pioneers", false},
    {ReportKind::HoursEldersServants, "hours-elders", false},
    {ReportKind::ServiceYearCongregation, "service-year", false},
    {ReportKind::ServiceYearRegularPioneers, "service-year-pioneers", false},
    {ReportKind::ServiceYearEldersServants, "service-year-elders", false},
    {ReportKind::PioneerHours, "pioneer-hours", false},
    {ReportKind::HoursBaptizedBrothers, "hours-brothers", false},
    {ReportKind::PhoneCongregation, "phone", false},
    {ReportKind::PhoneGroup, "phone-group", true},
    {ReportKind::PhoneEldersServants, "phone-elders", false},
    {ReportKind::PhoneRegularPioneers, "phone-pioneers", false},
    {ReportKind::AddressCongregation, "address", false},
    {ReportKind::AddressGroup, "address-group", true},
    {ReportKind::AddressInactive, "address-inactive", false},
    {ReportKind::AddressEldersServants, "address-elders", false},
    {ReportKind::AddressRegularPioneers, "address-pioneers", false},
    {ReportKind::GroupListsActive, "groups", false},
    {ReportKind::GroupListsActiveStudents, "groups-students", false},
    {ReportKind::GroupListsActiveInactive, "groups-inactive", false},
    {ReportKind::GroupListsAll, "groups-all", false},
    {ReportKind::GroupListsActiveAlt, "groups-active", false},
    {ReportKind::ContactCongregation, "contact", false},
    {ReportKind::ContactGroup, "contact-group", true},
    {ReportKind::ContactEldersServants, "contact-elders", false},
    {ReportKind::ContactRegularPioneers, "contact-pioneers", false},
    {ReportKind::ContactInactive, "contact-inactive", false},
    {ReportKind::EmergencyCongregation, "emergency", false},
    {ReportKind::EmergencyGroup, "emergency-group", true},
    {ReportKind::EmergencyBlankForm, "contact-forms-blank", false},
    {ReportKind::EmergencyForms, "contact-forms", false},
    {ReportKind::PhoneEmailCongregation, "phone-email", false},
    {ReportKind::PhoneEmailGroup, "phone-email-group", true},
    {ReportKind::PhoneEmailEldersServants, "phone-email-elders", false},
    {ReportKind::PhoneEmailRegularPioneers, "phone-email-pioneers", false},
    {ReportKind::AnalysisAlphabetical, "analysis-alpha", false},
    {ReportKind::SpecialNeedsCongregation, "special-needs", false},
    {ReportKind::SpecialNeedsGroup, "special-needs-group", true},
    {ReportKind::StatusNoReport, "status-no-report", false},
    {ReportKind::StatusIrregular, "status-irregular", false},
    {ReportKind::StatusNew, "status-new", false},
    {ReportKind::StatusReactivated, "status-reactivated", false},
    {ReportKind::StatusInactive, "status-inactive", false},
    {ReportKind::StatusMoved, "status-moved", false},
    {ReportKind::StatusBaptised, "status-baptised", false},
    {ReportKind::StatusAuxiliaryPioneers, "status-aux-pioneers", false},
    {ReportKind::StatusConductors, "status-conductors", false},
    {ReportKind::StatusUnbaptised, "status-unbaptised", false},
    {ReportKind::StatusInterested, "status-interested", false},
    {ReportKind::StatusCollectionForm, "status-collection-form", false},
    {ReportKind::StatusPrivileges, "status-privileges", false},
    {ReportKind::StatusConsent, "status-consent", false},
    {ReportKind::StatusNoConsent, "status-no-consent", false},
    {ReportKind::StatusUserCategory, "status-user-category", false},
    {ReportKind::StatusSpecialNeeds, "status-special-needs", false},
    {ReportKind::StatusInactiveCandidates, "status-inactive-candidates", false},
};

const KindEntry* Find(ReportKind kind) {
    for (const auto& entry : kKinds)
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

} // namespace

std::optional<ReportKind> ReportKindFromNumber(int number) {
    for (const auto& entry : kKinds)
        if (static_cast<int>(entry.kind) == number)
            return entry.kind;
    return std::nullopt;
}

bool ReportKindTakesGroup(ReportKind kind) {
    const KindEntry* entry = Find(kind);
    return entry != nullptr && entry->takesGroup;
}

std::string_view ReportKindName(ReportKind kind) {
    const KindEntry* entry = Find(kind);
    return entry != nullptr ? entry->name : std::string_view{};
}

std::optional<ReportKind> ReportKindFromName(std::string_view name) {
    for (const auto& entry : kKinds)
        if (entry.name == name)
            return entry.kind;
    int number = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (error == std::errc() && end == name.data() + name.size() && !name.empty())
        return ReportKindFromNumber(number);
    return std::nullopt;
}

} // namespace vardo
