#include "cli/StatusReportCommand.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "cli/DocumentCommand.h"
#include "cli/ReportingCommand.h"
#include "core/doc/StatusSource.h"
#include "core/reports/ReportFonts.h"
#include "core/reports/ReportOptions.h"
#include "core/reports/StatusReport.h"
#include "render/ReportOutput.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage =
    "usage: report status-KIND [--period 6m|service-year|12m|24m|over-12m|all] [--group N] [--month YYYY-MM]\n"
    "       [--class N] [--privilege N] (--pdf FILE | --png DIR) [--letter] [--dpi N]";

struct Request {
    StatusViewKind kind = StatusViewKind::NoReport;
    std::optional<std::string> period, group, month, baptismClass, privilege, pdf, png, dpi;
    bool letter = false;
};

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

std::optional<int> ParseNumber(const std::optional<std::string>& text, int low, int high) {
    if (!text)
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || text->empty() || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

bool IsStatusReportRequest(const std::vector<std::string>& args) {
    const auto kind =
        std::find_if(args.begin(), args.end(), [](const std::string& arg) { return !arg.starts_with("--"); });
    if (kind == args.end())
        return false;
    const std::optional<ReportKind> report = ReportKindFromName(*kind);
    return kind->starts_with("status-") || (report && StatusViewOfReport(*report));
}

int RunStatusReport(const CliContext& context, std::vector<std::string> args, OpenedDocument& opened) {
    Request request;
    const std::pair<const char*, std::optional<std::string>*> values[] = {{"--period", &request.period},
                                                                          {"--group", &request.group},
                                                                          {"--month", &request.month},
                                                                          {"--class", &request.baptismClass},
                                                                          {"--privilege", &request.privilege},
                                                                          {"--pdf", &request.pdf},
                                                                          {"--png", &request.png},
                                                                          {"--dpi", &request.dpi}};
    for (const auto& [name, value] : values)
        if (!TakeValue(args, name, *value, opened))
            return 2;
    if (const auto letter = std::find(args.begin(), args.end(), "--letter"); letter != args.end()) {
        request.letter = true;
        args.erase(letter);
    }
    const std::optional<ReportKind> named = args.size() == 1 ? ReportKindFromName(args[0]) : std::nullopt;
    const std::optional<StatusViewKind> kind = named ? StatusViewOfReport(*named) : std::nullopt;
    if (!kind || request.pdf.has_value() == request.png.has_value()) {
        if (args.size() == 1 && !kind)
            opened.Error("unknown status view '" + args[0] + "'");
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }
    request.kind = *kind;

    StatusQuery query;
    query.kind = request.kind;
    const std::vector<StatusPeriod> periods = PeriodsOf(query.kind);
    if (!periods.empty())
        query.period = query.kind == StatusViewKind::Inactive ? StatusPeriod::All : periods.front();
    if (request.period) {
        const std::optional<StatusPeriod> period = ParsePeriod(*request.period);
        if (!period || std::find(periods.begin(), periods.end(), *period) == periods.end()) {
            opened.Error("--period '" + *request.period + "' does not apply to this view");
            return 2;
        }
        query.period = *period;
    }
    const std::optional<int> group = request.group ? ParseNumber(request.group, 0, 20) : 0;
    const std::optional<int> baptismClass =
        request.baptismClass ? ParseNumber(request.baptismClass, 0, kBaptismClasses - 1) : 0;
    const std::optional<int> privilege =
        request.privilege ? ParseNumber(request.privilege, 0, kPrivilegeChoices - 1) : 0;
    const std::optional<int> dpi = request.dpi ? ParseNumber(request.dpi, 30, 2400) : (request.png ? 150 : 600);
    const std::optional<MonthCount> month = request.month ? ParseMonthArgument(*request.month) : std::nullopt;
    if (!group || !baptismClass || !privilege || !dpi || (request.month && !month)) {
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }
    query.group = *group;
    query.baptismClass = *baptismClass;
    query.privilege = static_cast<PrivilegeChoice>(*privilege);

    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const WorkingMonth& working = doc.GetWorkingMonth();
    query.month = working.monthIndex;
    if (month) {
        const int chosen = month.value_or(0);
        if (chosen > working.monthCount || chosen + 12 <= working.monthCount) {
            opened.Error("--month must be one of the twelve months up to the working month " +
                         MonthArgumentText(working.monthCount));
            return 1;
        }
        query.month = MonthIndexOf(static_cast<MonthCount>(chosen));
    }
    const std::unique_ptr<Report> report =
        MakeStatusReport(MakeStatusReportContent(StatusDataOf(doc), query, &doc.Side().groups));

    ReportEnvironment environment;
    environment.fonts = ReportFonts(doc.LanguageTag());
    environment.fonts.LoadAll(doc.SettingsFile(), true);
    environment.options = ReportOptionsFromSettings(doc.GetSettings());
    environment.today = opened.GetClock().Today();
    environment.languageTag = doc.LanguageTag();

    RenderRuntime runtime;
    OutputOptions output;
    output.a4 = !request.letter;
    output.dpi = *dpi;
    output.title = "status-" + std::string(StatusViewName(query.kind));
    if (request.pdf) {
        const Result<int> pages = RenderReportToPdf(*report, environment, *request.pdf, output);
        if (!pages.ok()) {
            opened.Error(pages.error());
            return 1;
        }
        std::printf("%s: %d page(s)\n", request.pdf->c_str(), pages.value());
        return 0;
    }
    const auto files = RenderReportToPng(*report, environment, *request.png, output.title, output);
    if (!files.ok()) {
        opened.Error(files.error());
        return 1;
    }
    for (const auto& file : files.value())
        std::printf("%s\n", file.string().c_str());
    return 0;
}

} // namespace vardo::cli
