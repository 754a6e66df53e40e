// vardo-cli activity: the activity of the twelve months ending with the working month, from the register or
// as reported to the branch office, as JSON or tab-separated lines.

#include "cli/ActivityCommand.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

#include "cli/DocumentCommand.h"
#include "core/doc/StatisticsSources.h"
#include "core/platform/Strings.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage =
    "Usage: vardo-cli [--data DIR] [--today YYYY-MM-DD] activity [--source register|branch]\n"
    "                 [--category congregation|publishers|auxiliary|pioneers] [--period six|year|twelve] [--json]\n";

struct Named {
    std::string_view name;
    int value;
};

constexpr Named kSources[] = {{"register", 0}, {"branch", 1}};
constexpr Named kCategories[] = {{"congregation", 0}, {"publishers", 1}, {"auxiliary", 2}, {"pioneers", 3}};
constexpr Named kPeriods[] = {{"six", 0}, {"year", 1}, {"twelve", 2}};
constexpr Named kMeasures[] = {{"participated", 0}, {"studies", 1}, {"hours", 2}};

template <std::size_t N>
std::optional<int> Lookup(const Named (&table)[N], std::string_view name) {
    for (const Named& entry : table)
        if (entry.name == name || std::to_string(entry.value) == name)
            return entry.value;
    return std::nullopt;
}

template <std::size_t N>
std::string Choices(const Named (&table)[N]) {
    std::string text;
    for (const Named& entry : table)
        text += (text.empty() ? "" : "|") + std::string(entry.name);
    return text;
}

// A figure of the JSON: the number, or null for an empty cell.
std::string JsonFigure(bool shown, int value) {
    return shown ? std::to_string(value) : "null";
}

std::string JsonAverage(bool shown, double value) {
    return shown ? FormatPrintf("%.1f", value) : "null";
}

std::string MonthText(const ActivityRow& row) {
    return FormatPrintf("%04d-%02d", row.year, row.month + 1);
}

std::string Json(const ActivityTable& table) {
    std::string out = "{\"months\": [";
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const ActivityRow& row = table.rows[i];
        out += (i == 0 ? "" : ", ") + std::string("{\"month\": \"") + MonthText(row) +
               "\", \"participated\": " + JsonFigure(row.hasFigures, row.participated) +
               ", \"studies\": " + JsonFigure(row.hasFigures, row.studies) +
               ", \"hours\": " + JsonFigure(row.hasFigures && table.hoursShown, row.hours) + "}";
    }
    const bool sums = table.summaryShown;
    const bool hours = sums && table.hoursShown;
    out += "], \"sums\": {\"participated\": " + JsonFigure(sums, table.participatedSum) +
           ", \"studies\": " + JsonFigure(sums, table.studiesSum) +
           ", \"hours\": " + JsonFigure(hours, table.hoursSum) +
           "}, \"averages\": {\"participated\": " + JsonAverage(sums, table.participatedAverage) +
           ", \"studies\": " + JsonAverage(sums, table.studiesAverage) +
           ", \"hours\": " + JsonAverage(hours, table.hoursAverage) + "}}\n";
    return out;
}

// Tab-separated: a heading line, the twelve months, then the sums and averages; empty cells stay empty.
std::string Lines(const ActivityTable& table, const ActivityChoice& choice) {
    const auto cell = [](bool shown, int value) { return shown ? std::to_string(value) : std::string(); };
    std::string out = "month\tparticipated\tstudies\thours\n";
    for (const ActivityRow& row : table.rows)
        out += MonthText(row) + "\t" + cell(row.hasFigures, row.participated) + "\t" +
               cell(row.hasFigures, row.studies) + "\t" + cell(row.hasFigures && table.hoursShown, row.hours) + "\n";
    const bool sums = table.summaryShown;
    const bool hours = sums && table.hoursShown;
    out += "sums\t" + cell(sums, table.participatedSum) + "\t" + cell(sums, table.studiesSum) + "\t" +
           cell(hours, table.hoursSum) + "\n";
    out += "averages\t" + (sums ? FormatPrintf("%.1f", table.participatedAverage) : std::string()) + "\t" +
           (sums ? FormatPrintf("%.1f", table.studiesAverage) : std::string()) + "\t" +
           (hours ? FormatPrintf("%.1f", table.hoursAverage) : std::string()) + "\n";
    out += "# " + ActivityPeriodText(choice.period) + " (" + std::to_string(table.months) + ")\n";
    return out;
}

int RunActivity(const CliContext& context) {
    OpenedDocument opened("activity");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    ActivityChoice choice;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::optional<bool> taken = TakeActivityOption(args, i, choice, "activity");
        if (taken) {
            if (!*taken)
                return 2;
            continue;
        }
        if (args[i] == "--json") {
            json = true;
            continue;
        }
        std::fprintf(stderr, "vardo-cli activity: unexpected argument '%s'\n%s", args[i].c_str(), kUsage);
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    const ActivityTable table = ComputeActivity(ActivityDataOf(opened.Doc()), choice);
    const std::string out = json ? Json(table) : Lines(table, choice);
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"activity",
     "activity [--source register|branch] [--category congregation|publishers|auxiliary|pioneers] "
     "[--period six|year|twelve] [--json]",
     "participants, Bible studies and hours of the last twelve months with sums and averages", RunActivity});

} // namespace

bool IsActivityReport(const std::vector<std::string>& args) {
    static constexpr std::string_view kWithValue[] = {"--group",  "--pdf",   "--png",      "--dpi",
                                                      "--person", "--list",  "--source",   "--category",
                                                      "--period", "--chart", "--password", "--past"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!args[i].starts_with("-"))
            return args[i] == "activity";
        if (std::find(std::begin(kWithValue), std::end(kWithValue), args[i]) != std::end(kWithValue))
            ++i;
    }
    return false;
}

std::optional<bool> TakeActivityOption(const std::vector<std::string>& args, std::size_t& i, ActivityChoice& choice,
                                       const char* command) {
    const std::string& arg = args[i];
    if (arg != "--source" && arg != "--category" && arg != "--period" && arg != "--chart")
        return std::nullopt;
    if (i + 1 >= args.size()) {
        std::fprintf(stderr, "vardo-cli %s: %s needs a value\n", command, arg.c_str());
        return false;
    }
    const std::string& value = args[++i];
    std::optional<int> number;
    std::string choices;
    if (arg == "--source") {
        number = Lookup(kSources, value);
        choices = Choices(kSources);
        if (number)
            choice.source = static_cast<ActivitySource>(*number);
    } else if (arg == "--category") {
        number = Lookup(kCategories, value);
        choices = Choices(kCategories);
        if (number)
            choice.category = static_cast<ActivityCategory>(*number);
    } else if (arg == "--period") {
        number = Lookup(kPeriods, value);
        choices = Choices(kPeriods);
        if (number)
            choice.period = static_cast<ActivityPeriod>(*number);
    } else {
        number = Lookup(kMeasures, value);
        choices = Choices(kMeasures);
        if (number)
            choice.measure = static_cast<ActivityMeasure>(*number);
    }
    if (!number) {
        std::fprintf(stderr, "vardo-cli %s: %s takes %s, not '%s'\n", command, arg.c_str(), choices.c_str(),
                     value.c_str());
        return false;
    }
    return true;
}

} // namespace vardo::cli
