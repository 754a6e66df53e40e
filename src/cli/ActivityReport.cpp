// vardo-cli report activity: the printed page of the activity summary, with its chart, to PDF or PNG.

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/ActivityCommand.h"
#include "cli/DocumentCommand.h"
#include "core/doc/StatisticsSources.h"
#include "core/reports/ReportEnvironment.h"
#include "core/reports/ReportOptions.h"
#include "render/ReportOutput.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage =
    "Usage: vardo-cli [--data DIR] [--today YYYY-MM-DD] report activity [--source register|branch]\n"
    "                 [--category congregation|publishers|auxiliary|pioneers] [--period six|year|twelve]\n"
    "                 [--chart participated|studies|hours] (--pdf FILE | --png DIR) [--letter] [--dpi N]\n";

} // namespace

int RunActivityReport(const CliContext& context) {
    OpenedDocument opened("report");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    ActivityChoice choice;
    std::string pdf;
    std::string png;
    bool a4 = true;
    int dpi = 0;
    bool kindSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::optional<bool> taken = TakeActivityOption(args, i, choice, "report");
        if (taken) {
            if (!*taken)
                return 2;
            continue;
        }
        if (arg == "activity" && !kindSeen) {
            kindSeen = true;
        } else if ((arg == "--pdf" || arg == "--png" || arg == "--dpi") && i + 1 >= args.size()) {
            std::fprintf(stderr, "vardo-cli report: %s needs a value\n", arg.c_str());
            return 2;
        } else if (arg == "--pdf") {
            pdf = args[++i];
        } else if (arg == "--png") {
            png = args[++i];
        } else if (arg == "--letter") {
            a4 = false;
        } else if (arg == "--dpi") {
            const std::string& text = args[++i];
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), dpi);
            if (error != std::errc() || end != text.data() + text.size() || dpi < 30 || dpi > 2400) {
                std::fprintf(stderr, "vardo-cli report: --dpi takes a resolution of 30..2400 dpi\n");
                return 2;
            }
        } else {
            std::fprintf(stderr, "vardo-cli report: unexpected argument '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (pdf.empty() == png.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (dpi == 0)
        dpi = png.empty() ? 600 : 150;
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const auto report = MakeActivityReport(ActivityDataOf(doc), choice);

    ReportEnvironment environment;
    environment.fonts = ReportFonts(doc.LanguageTag());
    environment.fonts.LoadAll(doc.SettingsFile(), true);
    environment.options = ReportOptionsFromSettings(doc.GetSettings());
    environment.today = opened.GetClock().Today();
    environment.languageTag = doc.LanguageTag();

    RenderRuntime runtime;
    OutputOptions output;
    output.a4 = a4;
    output.dpi = dpi;
    output.title = "activity";
    if (!pdf.empty()) {
        const Result<int> pages = RenderReportToPdf(*report, environment, pdf, output);
        if (!pages.ok()) {
            std::fprintf(stderr, "vardo-cli report: %s\n", pages.error().c_str());
            return 1;
        }
        std::printf("%s: %d page(s)\n", pdf.c_str(), pages.value());
        return 0;
    }
    const auto files = RenderReportToPng(*report, environment, png, output.title, output);
    if (!files.ok()) {
        std::fprintf(stderr, "vardo-cli report: %s\n", files.error().c_str());
        return 1;
    }
    for (const auto& file : files.value())
        std::printf("%s\n", file.string().c_str());
    return 0;
}

} // namespace vardo::cli
