#include "cli/HoursReportOptions.h"

#include <array>

#include "core/doc/CVardoDoc.h"

namespace vardo::cli {
namespace {

using K = ReportKind;

// One row per report: the kind for no filter, a group, and each filter (nullopt = not offered).
struct KindRow {
    K base;
    std::optional<K> group;
    std::optional<K> regular;
    std::optional<K> auxiliary;
    std::optional<K> elders;
    std::optional<K> servants;
    std::optional<K> brothers;
    std::optional<K> userCategory;
};

constexpr std::array<KindRow, 4> kRows = {{
    {K::AveragesCongregation, K::AveragesGroup, K::AveragesRegularPioneers, std::nullopt, K::AveragesElders,
     K::AveragesServants, K::AveragesBaptizedBrothers, K::AveragesUserCategory},
    {K::HoursCongregation, K::HoursGroup, K::HoursRegularPioneers, K::HoursAuxiliaryPioneers, K::HoursEldersServants,
     K::HoursEldersServants, K::HoursBaptizedBrothers, K::HoursUserCategory},
    {K::ServiceYearCongregation, std::nullopt, K::ServiceYearRegularPioneers, std::nullopt,
     K::ServiceYearEldersServants, K::ServiceYearEldersServants, std::nullopt, std::nullopt},
    {K::PioneerHours, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
}};

const KindRow* RowOf(K kind) {
    for (const KindRow& row : kRows)
        if (row.base == kind)
            return &row;
    return nullptr;
}

} // namespace

std::optional<ReportKind> HoursKindAlias(std::string_view name) {
    if (name == "hours-12")
        return K::HoursCongregation;
    return std::nullopt;
}

std::optional<ReportKind> ResolveHoursReportKind(ReportKind base, int group, std::string_view filter,
                                                 std::string& error) {
    const KindRow* row = RowOf(base);
    const std::string name(ReportKindName(base));
    if (row == nullptr) {
        if (!filter.empty()) {
            error = "the report " + name + " takes no --filter";
            return std::nullopt;
        }
        return base;
    }
    if (group != 0 && !filter.empty()) {
        error = "give either --group or --filter, not both";
        return std::nullopt;
    }
    std::optional<K> kind = base;
    if (group != 0)
        kind = row->group;
    else if (filter == "pioneers" || filter == "regular")
        kind = row->regular;
    else if (filter == "aux")
        kind = row->auxiliary;
    else if (filter == "elders")
        kind = row->elders;
    else if (filter == "servants")
        kind = row->servants;
    else if (filter == "brothers")
        kind = row->brothers;
    else if (filter == "user-category")
        kind = row->userCategory;
    else if (!filter.empty()) {
        error = "unknown --filter '" + std::string(filter) +
                "' (pioneers, regular, aux, elders, servants, brothers, user-category)";
        return std::nullopt;
    }
    if (!kind) {
        error = group != 0 ? "the report " + name + " is not drawn for one group"
                           : "the report " + name + " offers no --filter " + std::string(filter);
        return std::nullopt;
    }
    return kind;
}

std::string HoursReportRefusal(const CVardoDoc& doc, ReportKind kind) {
    if ((kind == K::AveragesUserCategory || kind == K::HoursUserCategory) && doc.GetSettings().userCategoryEnabled == 0)
        return "the user category is switched off; switch it on with vardo-cli user-category --name NAME --enable yes";
    return {};
}

HoursSource HoursSourceOf(const CVardoDoc& doc) {
    HoursSource source;
    source.database = &doc.Database();
    source.groups = &doc.Side().groups;
    source.workingMonth = doc.GetWorkingMonth();
    source.userCategoryLabel = doc.GetSettings().userCategoryLabel;
    return source;
}

} // namespace vardo::cli
