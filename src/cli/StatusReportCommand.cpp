#include "cli/StatusReportCommand.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "cli/DocumentCommand.h"
#include "cli/ReportingCommand.h"
#include "cli/StatusChoices.h"
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
    StatusChoiceTexts choices;
    std::optional<std::string> pdf, png, dpi;
    bool letter = false;
};

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
    const std::pair<const char*, std::optional<std::string>*> values[] = {{"--period", &request.choices.period},
                                                                          {"--group", &request.choices.group},
                                                                          {"--month", &request.choices.month},
                                                                          {"--class", &request.choices.baptismClass},
                                                                          {"--privilege", &request.choices.privilege},
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
    std::optional<MonthCount> month;
    const std::optional<int> dpi = request.dpi ? ParseStatusNumber(request.dpi, 30, 2400) : (request.png ? 150 : 600);
    if (!ApplyStatusChoices(query, request.choices, opened, month, kUsage))
        return 2;
    if (!dpi) {
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }

    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    if (!ApplyStatusMonth(query, month, doc.GetWorkingMonth(), opened))
        return 1;
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
