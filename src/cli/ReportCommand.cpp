// vardo-cli report KIND: renders a report of the working month, every page, to PDF or to PNG images.

#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CardReports.h"
#include "cli/ActivityCommand.h"
#include "cli/CliCommand.h"
#include "cli/DocumentCommand.h"
#include "cli/HoursReportOptions.h"
#include "core/doc/CVardoDoc.h"
#include "core/doc/StatisticsSources.h"
#include "core/platform/Clock.h"
#include "core/reports/Analysis.h"
#include "core/reports/Lists.h"
#include "core/reports/RecordCard.h"
#include "cli/ReportingCommand.h"
#include "cli/StatusReportCommand.h"
#include "core/reports/ReportOptions.h"
#include "core/reports/ReportEnvironment.h"
#include "core/reports/ReportKind.h"
#include "render/ReportOutput.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage =
    "Usage: vardo-cli [--data DIR] [--today YYYY-MM-DD] report KIND [--group N] [--filter FILTER]\n"
    "                 (--pdf FILE | --png DIR) [--letter] [--dpi N]\n"
    "KIND is a report number or name: phone (50), phone-group (51), phone-elders (52), phone-pioneers (53),\n"
    "address (60), address-group (61), address-inactive (62), address-elders (63), address-pioneers (64),\n"
    "groups (70), groups-students (71), groups-inactive (72), groups-all (73), groups-active (74),\n"
    "contact (80), contact-group (81), contact-elders (82), contact-pioneers (83), contact-inactive (84),\n"
    "phone-email (100), phone-email-group (101), phone-email-elders (103), phone-email-pioneers (104),\n"
    "analysis (1), analysis-group (2), summary (3), attendance-report (4), analysis-alpha (110),\n"
    "card --person PERSON [--previous-year] [--months 12], cards --list active|inactive [--months 12],\n"
    "card --totals publishers|auxiliary|pioneers [--reported] [--previous-year] [--months 12],\n"
    "card-labels (30) [--person PERSON]... [--first N] [--sorted], attendance-record,\n"
    "emergency (90), emergency-group (91), contact-forms-blank (95), contact-forms (96), special-needs (120),\n"
    "special-needs-group (121), statistics (20) [--dates],\n"
    "averages (5), hours-12 (40), service-year (44), pioneer-hours (47) with [--group N] or\n"
    "[--filter pioneers|regular|aux|elders|servants|brothers|user-category] where the report offers it,\n"
    "activity [--source register|branch] [--category congregation|publishers|auxiliary|pioneers]\n"
    "         [--period six|year|twelve] [--chart participated|studies|hours].\n"
    "Status views: status-KIND [--period P] [--group N] [--month YYYY-MM] [--class N] [--privilege N], KIND as for\n"
    "the status command (status-irregular, status-inactive, ...; numbers 200-217).\n";

struct Request {
    ReportKind kind = ReportKind::PhoneCongregation;
    int group = 0;
    std::string pdf;
    std::string png;
    bool a4 = true;
    int dpi = 0;
    std::string cards; ///< "card" or "cards"
    std::string person;
    bool previousYear = false;
    bool inactive = false;
    std::string filter;
    bool dates = false; ///< statistics: the tables by years since baptism and by age
};

std::optional<int> ParseNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// Parses the command's arguments; prints what is wrong and returns nullopt on bad usage.
std::optional<Request> ParseRequest(const std::vector<std::string>& args, const CardExtras& extras) {
    Request request;
    std::optional<ReportKind> kind;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if ((arg == "--group" || arg == "--pdf" || arg == "--png" || arg == "--dpi" || arg == "--person" ||
             arg == "--list" || arg == "--filter") &&
            !hasValue) {
            std::fprintf(stderr, "vardo-cli report: %s needs a value\n", arg.c_str());
            return std::nullopt;
        }
        if (arg == "--group" || arg == "--dpi") {
            const auto number = ParseNumber(args[++i]);
            if (!number || (arg == "--group" && (*number < 1 || *number > 20)) ||
                (arg == "--dpi" && (*number < 30 || *number > 2400))) {
                std::fprintf(stderr, "vardo-cli report: %s takes %s\n", arg.c_str(),
                             arg == "--group" ? "a group number 1..20" : "a resolution of 30..2400 dpi");
                return std::nullopt;
            }
            (arg == "--group" ? request.group : request.dpi) = *number;
        } else if (arg == "--pdf") {
            request.pdf = args[++i];
        } else if (arg == "--png") {
            request.png = args[++i];
        } else if (arg == "--filter") {
            request.filter = args[++i];
        } else if (arg == "--person") {
            request.person = args[++i];
        } else if (arg == "--list") {
            const std::string& list = args[++i];
            if (list != "active" && list != "inactive") {
                std::fprintf(stderr, "vardo-cli report: --list takes active or inactive\n");
                return std::nullopt;
            }
            request.inactive = list == "inactive";
        } else if (arg == "--previous-year") {
            request.previousYear = true;
        } else if (!kind && request.cards.empty() && (arg == "card" || arg == "cards")) {
            request.cards = arg;
        } else if (!kind && extras.attendanceRecord && arg == "attendance-record") {
            kind = ReportKind::Attendance; // drawn by the card extras; the kind only passes the checks below
        } else if (arg == "--letter") {
            request.a4 = false;
        } else if (arg == "--dates") {
            request.dates = true;
        } else if (!kind && !arg.starts_with("--")) {
            kind = ReportKindFromName(arg);
            if (!kind)
                kind = HoursKindAlias(arg);
            if (!kind) {
                std::fprintf(stderr, "vardo-cli report: unknown report kind '%s'\n%s", arg.c_str(), kUsage);
                return std::nullopt;
            }
        } else {
            std::fprintf(stderr, "vardo-cli report: unexpected argument '%s'\n%s", arg.c_str(), kUsage);
            return std::nullopt;
        }
    }
    if (!request.cards.empty()) {
        kind = ReportKind::RecordCards;
        if (request.cards == "card" && request.person.empty() && !extras.totals) {
            std::fprintf(stderr, "vardo-cli report: card needs --person PERSON\n");
            return std::nullopt;
        }
    }
    if (!kind || request.pdf.empty() == request.png.empty()) {
        std::fputs(kUsage, stderr);
        return std::nullopt;
    }
    std::string kindError;
    const std::optional<ReportKind> resolved = ResolveHoursReportKind(*kind, request.group, request.filter, kindError);
    if (!resolved) {
        std::fprintf(stderr, "vardo-cli report: %s\n", kindError.c_str());
        return std::nullopt;
    }
    request.kind = *resolved;
    if (ReportKindTakesGroup(request.kind) && request.group == 0) {
        std::fprintf(stderr, "vardo-cli report: %s is drawn for one field service group: give --group N\n",
                     std::string(ReportKindName(request.kind)).c_str());
        return std::nullopt;
    }
    if (request.dpi == 0)
        request.dpi = request.png.empty() ? 600 : 150;
    return request;
}

// True when some person of the active (or, for kind 84, the inactive) list belongs to the group.
bool GroupHasPeople(const PublisherDatabase& db, int group, PublisherCategory category) {
    for (const IndexEntry& entry : db.List(category))
        if (entry.record->Group() == group && !(category == PublisherCategory::Inactive && entry.record->HidesGroup()))
            return true;
    return false;
}

int RunReport(const CliContext& context) {
    if (IsActivityReport(context.args))
        return RunActivityReport(context);
    OpenedDocument opened("report");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    if (IsStatusReportRequest(args))
        return RunStatusReport(context, std::move(args), opened);
    CardExtras extras;
    if (!TakeCardExtras(args, extras))
        return 2;
    const std::optional<Request> request = ParseRequest(args, extras);
    if (!request)
        return 2;
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const Clock& clock = opened.GetClock();

    ListSource source;
    source.database = &doc.Database();
    source.groups = &doc.Side().groups;
    source.workingMonth = doc.GetWorkingMonth();
    source.emails = LoadEmails(doc.Folder(), doc.Database());
    source.safety = LoadSafetyData(doc.DataFolderRoot());

    AnalysisSource analysis;
    analysis.database = &doc.Database();
    analysis.groups = &doc.Side().groups;
    analysis.remarks = &doc.Side().remarks;
    analysis.lateReports = &doc.GetMonthCycle().lateReports;
    analysis.attendance = &doc.Side().attendance;
    analysis.workingMonth = doc.GetWorkingMonth();
    analysis.workingMonthOpen = doc.GetMonthState(doc.GetWorkingMonth().monthIndex) == MonthState::Open;

    const HoursSource hours = HoursSourceOf(doc);
    if (const std::string refusal = HoursReportRefusal(doc, request->kind); !refusal.empty()) {
        std::fprintf(stderr, "vardo-cli report: %s\n", refusal.c_str());
        return 1;
    }
    std::string extraError;
    std::unique_ptr<Report> report = MakeCardExtraReport(doc, extras, request->previousYear, extraError);
    if (!extraError.empty()) {
        std::fprintf(stderr, "vardo-cli report: %s\n", extraError.c_str());
        return 1;
    }
    if (!report && !request->cards.empty()) {
        CardSource cards;
        cards.database = &doc.Database();
        cards.groups = &doc.Side().groups;
        cards.remarks = &doc.Side().remarks;
        cards.workingMonth = doc.GetWorkingMonth();
        cards.workingMonthInitialised =
            doc.GetMonthState(doc.GetWorkingMonth().monthIndex) != MonthState::NotInitialised;
        cards.options = CardOptionsFromSettings(doc.GetSettings());
        cards.previousYear = request->previousYear;
        cards.cardMode = extras.cardMode;
        if (request->previousYear)
            cards.options.onePerPage = true;
        std::vector<RecordNumber> records;
        if (request->cards == "card") {
            const RecordNumber record = FindPerson(doc.Database(), request->person);
            if (record == 0) {
                std::fprintf(stderr, "vardo-cli report: no person '%s'\n", request->person.c_str());
                return 1;
            }
            records.push_back(record);
        } else {
            records = CardBatchOrder(doc.Database(), doc.GetWorkingMonth(), request->inactive);
            std::fprintf(stderr, "vardo-cli report: %d card(s)\n", static_cast<int>(records.size()));
        }
        report = MakeCardsReport(cards, std::move(records));
    } else if (!report) {
        report = MakeListReport(request->kind, source, request->group);
    }
    if (const auto variant = AnalysisVariantOf(request->kind, request->group); !report && variant)
        report = MakeAnalysisReport(analysis, *variant);
    if (!report)
        report = MakeHoursReport(request->kind, hours, request->group);
    if (!report && request->kind == ReportKind::Statistics)
        report = MakeStatisticsReport(StatisticsSourceOf(doc));
    if (!report) {
        std::fprintf(stderr, "vardo-cli report: the report '%s' cannot be printed yet\n",
                     std::string(ReportKindName(request->kind)).c_str());
        return 1;
    }
    if (request->group != 0) {
        const PublisherCategory category =
            request->kind == ReportKind::ContactInactive ? PublisherCategory::Inactive : PublisherCategory::Publisher;
        if (!GroupHasPeople(doc.Database(), request->group, category)) {
            std::fprintf(stderr, "vardo-cli report: nobody belongs to group %d; nothing to print\n", request->group);
            return 1;
        }
    }

    ReportEnvironment environment;
    environment.fonts = ReportFonts(doc.LanguageTag());
    environment.fonts.LoadAll(doc.SettingsFile(), true);
    environment.options = ReportOptionsFromSettings(doc.GetSettings());
    environment.today = clock.Today();
    environment.languageTag = doc.LanguageTag();
    environment.group = request->group;
    environment.options.datesInStatistics = request->dates;

    RenderRuntime runtime;
    OutputOptions output;
    output.a4 = request->a4;
    output.dpi = request->dpi;
    output.title = extras.attendanceRecord   ? std::string("attendance-record")
                   : !request->cards.empty() ? request->cards
                                             : std::string(ReportKindName(request->kind));
    if (!request->pdf.empty()) {
        const Result<int> pages = RenderReportToPdf(*report, environment, request->pdf, output);
        if (!pages.ok()) {
            std::fprintf(stderr, "vardo-cli report: %s\n", pages.error().c_str());
            return 1;
        }
        std::printf("%s: %d page(s)\n", request->pdf.c_str(), pages.value());
        return 0;
    }
    const auto files = RenderReportToPng(*report, environment, request->png, output.title, output);
    if (!files.ok()) {
        std::fprintf(stderr, "vardo-cli report: %s\n", files.error().c_str());
        return 1;
    }
    for (const auto& file : files.value())
        std::printf("%s\n", file.string().c_str());
    return 0;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"report", "report KIND [--group N] [--filter FILTER] (--pdf FILE | --png DIR) [--letter] [--dpi N]",
     "render a report of the working month, every page, to PDF or PNG images", RunReport});

} // namespace
} // namespace vardo::cli
