// vardo-cli status: the status views (one person a line, with the reason at the end) and the quick results.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "core/platform/Strings.h"
#include "core/reporting/StatusViews.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage =
    "status KIND [--period 6m|service-year|12m|24m|over-12m|all] [--group N] [--month YYYY-MM] [--class N] "
    "[--privilege N] | status quick";

struct KindName {
    const char* name;
    StatusViewKind kind;
};
constexpr KindName kKinds[] = {
    {"no-report", StatusViewKind::NoReport},
    {"irregular", StatusViewKind::Irregular},
    {"new", StatusViewKind::New},
    {"reactivated", StatusViewKind::Reactivated},
    {"inactive", StatusViewKind::Inactive},
    {"moved", StatusViewKind::Moved},
    {"baptised", StatusViewKind::Baptised},
    {"aux-pioneers", StatusViewKind::AuxiliaryPioneers},
    {"conductors", StatusViewKind::Conductors},
    {"unbaptised", StatusViewKind::Unbaptised},
    {"interested", StatusViewKind::Interested},
    {"collection-form", StatusViewKind::CollectionForm},
    {"privileges", StatusViewKind::Privileges},
    {"consent", StatusViewKind::Consent},
    {"no-consent", StatusViewKind::NoConsent},
    {"user-category", StatusViewKind::UserCategory},
    {"special-needs", StatusViewKind::SpecialNeeds},
    {"inactive-candidates", StatusViewKind::InactiveCandidates},
};

std::optional<StatusPeriod> ParsePeriod(std::string_view text) {
    if (text == "6m")
        return StatusPeriod::SixMonths;
    if (text == "service-year")
        return StatusPeriod::ServiceYear;
    if (text == "12m")
        return StatusPeriod::TwelveMonths;
    if (text == "24m")
        return StatusPeriod::TwentyFourMonths;
    if (text == "over-12m")
        return StatusPeriod::OverTwelveMonths;
    if (text == "all")
        return StatusPeriod::All;
    return std::nullopt;
}

std::optional<int> ParseNumber(const std::optional<std::string>& text, int low, int high) {
    if (!text || text->empty() || text->size() > 3 || text->find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int value = std::stoi(*text);
    return value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
}

int Print(const std::string& out) {
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

std::string Trimmed(std::string text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

int RunStatus(const CliContext& context) {
    OpenedDocument opened("status");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    std::optional<std::string> period, group, month, baptismClass, privilege;
    if (!TakeValue(args, "--period", period, opened) || !TakeValue(args, "--group", group, opened) ||
        !TakeValue(args, "--month", month, opened) || !TakeValue(args, "--class", baptismClass, opened) ||
        !TakeValue(args, "--privilege", privilege, opened))
        return 2;
    if (args.size() != 1) {
        opened.Error(std::string("usage: ") + kUsage);
        return 2;
    }
    const bool quick = args[0] == "quick";
    StatusQuery query;
    const KindName* kind = nullptr;
    for (const KindName& k : kKinds)
        if (args[0] == k.name)
            kind = &k;
    if (!quick && kind == nullptr) {
        opened.Error("unknown KIND '" + args[0] + "'; usage: " + kUsage);
        return 2;
    }
    if (kind != nullptr) {
        query.kind = kind->kind;
        const std::vector<StatusPeriod> periods = PeriodsOf(query.kind);
        if (!periods.empty())
            query.period = query.kind == StatusViewKind::Inactive ? StatusPeriod::All : periods.front();
    }
    if (period) {
        const std::optional<StatusPeriod> p = ParsePeriod(*period);
        const std::vector<StatusPeriod> periods = PeriodsOf(query.kind);
        if (!p || std::find(periods.begin(), periods.end(), *p) == periods.end()) {
            opened.Error("--period '" + *period + "' does not apply to this KIND");
            return 2;
        }
        query.period = *p;
    }
    const std::optional<int> groupNumber = group ? ParseNumber(group, 0, 20) : std::optional<int>(0);
    const std::optional<int> classNumber =
        baptismClass ? ParseNumber(baptismClass, 0, kBaptismClasses - 1) : std::optional<int>(0);
    const std::optional<int> privilegeNumber =
        privilege ? ParseNumber(privilege, 0, kPrivilegeChoices - 1) : std::optional<int>(0);
    const std::optional<MonthCount> monthCount = month ? ParseMonthArgument(*month) : std::nullopt;
    if (!groupNumber || !classNumber || !privilegeNumber || (month && !monthCount)) {
        opened.Error(std::string("usage: ") + kUsage);
        return 2;
    }
    query.group = *groupNumber;
    query.baptismClass = *classNumber;
    query.privilege = static_cast<PrivilegeChoice>(*privilegeNumber);
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const WorkingMonth& working = doc.GetWorkingMonth();
    query.month = working.monthIndex;
    if (month) {
        const int chosen = monthCount.value_or(0);
        if (chosen > working.monthCount || chosen + 12 <= working.monthCount) {
            opened.Error("--month must be one of the twelve months up to the working month " +
                         MonthArgumentText(working.monthCount));
            return 1;
        }
        query.month = MonthIndexOf(static_cast<MonthCount>(chosen));
    }
    const StatusData data{doc.Database(),    doc.Side().appointments,
                          doc.GetSettings(), StatusBasis::Of(working, doc.Database().Header(), &doc.Side().remarks),
                          working.todayYear, working.todayMonth};
    std::string out;
    if (quick) {
        for (const QuickFigure& figure : QuickResults(data)) {
            const bool monthBox = figure.box == MonthName(working.monthIndex);
            out += (monthBox ? figure.label : figure.box + " " + figure.label) + "\t" + Trimmed(figure.value) + "\n";
        }
    } else {
        for (const StatusLine& line : BuildStatusView(data, query))
            out += std::to_string(line.id) + "\t" + line.name + "\t" + line.detail + "\t" + line.reason + "\n";
    }
    opened.Close();
    return Print(out);
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"status", kUsage, "status views with the reason on every line (id, name, detail, reason); quick results",
     RunStatus});

} // namespace
} // namespace vardo::cli
