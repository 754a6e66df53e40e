#include "cli/StatusChoices.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

#include "cli/DocumentCommand.h"
#include "cli/ReportingCommand.h"

namespace vardo::cli {
namespace {

std::optional<StatusPeriod> ParsePeriod(std::string_view text) {
    constexpr std::pair<std::string_view, StatusPeriod> kPeriods[] = {{"6m", StatusPeriod::SixMonths},
                                                                      {"service-year", StatusPeriod::ServiceYear},
                                                                      {"12m", StatusPeriod::TwelveMonths},
                                                                      {"24m", StatusPeriod::TwentyFourMonths},
                                                                      {"over-12m", StatusPeriod::OverTwelveMonths},
                                                                      {"all", StatusPeriod::All}};
    for (const auto& [name, period] : kPeriods)
        if (name == text)
            return period;
    return std::nullopt;
}

} // namespace

std::optional<int> ParseStatusNumber(const std::optional<std::string>& text, int low, int high) {
    if (!text)
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || text->empty() || value < low || value > high)
        return std::nullopt;
    return value;
}

bool ApplyStatusChoices(StatusQuery& query, const StatusChoiceTexts& texts, OpenedDocument& opened,
                        std::optional<MonthCount>& month, const std::string& usage) {
    const std::vector<StatusPeriod> periods = PeriodsOf(query.kind);
    if (!periods.empty())
        query.period = query.kind == StatusViewKind::Inactive ? StatusPeriod::All : periods.front();
    if (texts.period) {
        const std::optional<StatusPeriod> period = ParsePeriod(*texts.period);
        if (!period || std::find(periods.begin(), periods.end(), *period) == periods.end()) {
            opened.Error("--period '" + *texts.period + "' does not apply to this view");
            return false;
        }
        query.period = *period;
    }
    const std::optional<int> group = texts.group ? ParseStatusNumber(texts.group, 0, 20) : 0;
    const std::optional<int> baptismClass =
        texts.baptismClass ? ParseStatusNumber(texts.baptismClass, 0, kBaptismClasses - 1) : 0;
    const std::optional<int> privilege =
        texts.privilege ? ParseStatusNumber(texts.privilege, 0, kPrivilegeChoices - 1) : 0;
    month = texts.month ? ParseMonthArgument(*texts.month) : std::nullopt;
    if (!group || !baptismClass || !privilege || (texts.month && !month)) {
        opened.Error(usage);
        return false;
    }
    query.group = *group;
    query.baptismClass = *baptismClass;
    query.privilege = static_cast<PrivilegeChoice>(*privilege);
    return true;
}

bool ApplyStatusMonth(StatusQuery& query, const std::optional<MonthCount>& month, const WorkingMonth& working,
                      OpenedDocument& opened) {
    query.month = working.monthIndex;
    if (!month)
        return true;
    if (*month > working.monthCount || *month + 12 <= working.monthCount) {
        opened.Error("--month must be one of the twelve months up to the working month " +
                     MonthArgumentText(working.monthCount));
        return false;
    }
    query.month = MonthIndexOf(*month);
    return true;
}

} // namespace vardo::cli
