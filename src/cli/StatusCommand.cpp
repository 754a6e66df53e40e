// vardo-cli status: the status views (one person a line, with the reason at the end) and the quick results.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "cli/StatusChoices.h"
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
    StatusChoiceTexts texts;
    if (!TakeValue(args, "--period", texts.period, opened) || !TakeValue(args, "--group", texts.group, opened) ||
        !TakeValue(args, "--month", texts.month, opened) || !TakeValue(args, "--class", texts.baptismClass, opened) ||
        !TakeValue(args, "--privilege", texts.privilege, opened))
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
    if (kind != nullptr)
        query.kind = kind->kind;
    std::optional<MonthCount> month;
    if (!ApplyStatusChoices(query, texts, opened, month, std::string("usage: ") + kUsage))
        return 2;
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const WorkingMonth& working = doc.GetWorkingMonth();
    if (!ApplyStatusMonth(query, month, working, opened))
        return 1;
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
