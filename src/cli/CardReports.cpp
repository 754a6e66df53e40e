#include "cli/CardReports.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <initializer_list>

#include "cli/ReportingCommand.h"
#include "core/reports/AttendanceRecordReport.h"
#include "core/reports/CardLabels.h"
#include "core/reports/RecordCard.h"

namespace vardo::cli {
namespace {

std::optional<CardTotalsCategory> CategoryNamed(const std::string& name) {
    if (name == "publishers")
        return CardTotalsCategory::Publishers;
    if (name == "auxiliary")
        return CardTotalsCategory::Auxiliary;
    if (name == "pioneers")
        return CardTotalsCategory::Pioneers;
    return std::nullopt;
}

} // namespace

bool TakeCardExtras(std::vector<std::string>& args, CardExtras& extras) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool kindPosition = i == 0 || !args[i - 1].starts_with("--");
        extras.labels = extras.labels || args[i] == "card-labels" || (kindPosition && args[i] == "30");
        extras.attendanceRecord = extras.attendanceRecord || args[i] == "attendance-record";
    }
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue =
            arg == "--totals" || arg == "--first" || arg == "--months" || (extras.labels && arg == "--person");
        if (takesValue && i + 1 >= args.size()) {
            std::fprintf(stderr, "vardo-cli report: %s needs a value\n", arg.c_str());
            return false;
        }
        if (arg == "--totals") {
            extras.totals = CategoryNamed(args[++i]);
            if (!extras.totals) {
                std::fprintf(stderr, "vardo-cli report: --totals takes publishers, auxiliary or pioneers\n");
                return false;
            }
        } else if (arg == "--months") {
            if (args[++i] != "12") {
                std::fprintf(stderr, "vardo-cli report: --months takes 12 (24 with --previous-year)\n");
                return false;
            }
            extras.cardMode = 2;
        } else if (arg == "--reported") {
            extras.reported = true;
        } else if (arg == "--first") {
            const std::string& value = args[++i];
            int number = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (error != std::errc() || end != value.data() + value.size() || number < 1 || number > 20) {
                std::fprintf(stderr, "vardo-cli report: --first takes a label position 1..20\n");
                return false;
            }
            extras.firstLabel = number;
        } else if (arg == "--sorted") {
            extras.sortedLabels = true;
        } else if (extras.labels && arg == "--person") {
            extras.labelPersons.push_back(args[++i]);
        } else if (arg != "attendance-record") {
            rest.push_back(arg);
        }
    }
    if (extras.totals && std::find(rest.begin(), rest.end(), "card") == rest.end()) {
        std::fprintf(stderr, "vardo-cli report: --totals goes with the kind card\n");
        return false;
    }
    if (extras.reported && !extras.totals) {
        std::fprintf(stderr, "vardo-cli report: --reported goes with card --totals CATEGORY\n");
        return false;
    }
    if ((extras.firstLabel != 1 || extras.sortedLabels) && !extras.labels) {
        std::fprintf(stderr, "vardo-cli report: --first and --sorted go with card-labels\n");
        return false;
    }
    if (extras.cardMode != 1 && (extras.labels || extras.attendanceRecord ||
                                 (std::find(rest.begin(), rest.end(), "card") == rest.end() &&
                                  std::find(rest.begin(), rest.end(), "cards") == rest.end()))) {
        std::fprintf(stderr, "vardo-cli report: --months goes with card or cards\n");
        return false;
    }
    if (extras.attendanceRecord && (extras.labels || extras.totals)) {
        std::fprintf(stderr, "vardo-cli report: attendance-record takes no card options\n");
        return false;
    }
    // Options of the other reports that these ones would silently ignore.
    const auto refuse = [&](std::initializer_list<const char*> options, const char* report) {
        for (const char* option : options) {
            if (std::find(rest.begin(), rest.end(), option) != rest.end()) {
                std::fprintf(stderr, "vardo-cli report: %s does not apply to %s\n", option, report);
                return true;
            }
        }
        return false;
    };
    if ((extras.labels && refuse({"--group", "--list", "--previous-year"}, "card-labels")) ||
        (extras.attendanceRecord &&
         refuse({"--group", "--list", "--previous-year", "--person"}, "attendance-record")) ||
        (extras.totals && refuse({"--group", "--list", "--person"}, "card --totals")))
        return false;
    args = std::move(rest);
    if (extras.attendanceRecord)
        args.insert(args.begin(), "attendance-record");
    return true;
}

std::unique_ptr<Report> MakeCardExtraReport(const CVardoDoc& doc, const CardExtras& extras, bool previousYear,
                                            std::string& error) {
    const bool initialised = doc.GetMonthState(doc.GetWorkingMonth().monthIndex) != MonthState::NotInitialised;
    if (extras.attendanceRecord) {
        AttendanceRecordSource source;
        source.attendance = &doc.Side().attendance;
        source.workingMonth = doc.GetWorkingMonth();
        source.workingMonthInitialised = initialised;
        return MakeAttendanceRecordReport(source);
    }
    if (extras.labels) {
        LabelSource source;
        source.database = &doc.Database();
        source.workingMonth = doc.GetWorkingMonth();
        source.sorted = extras.sortedLabels;
        if (extras.labelPersons.empty()) {
            for (const IndexEntry& entry : doc.Database().List(PublisherCategory::Publisher))
                source.records.push_back(entry.recordNumber);
        }
        for (const std::string& person : extras.labelPersons) {
            const RecordNumber record = FindPerson(doc.Database(), person);
            if (record == 0) {
                error = "no person '" + person + "'";
                return nullptr;
            }
            source.records.push_back(record);
        }
        if (source.records.empty()) {
            error = "the active list is empty; no labels to print";
            return nullptr;
        }
        if (extras.firstLabel != 1 && source.records.size() > 20) {
            error = "--first applies to at most 20 labels";
            return nullptr;
        }
        source.firstPosition = extras.firstLabel;
        return MakeCardLabelsReport(std::move(source));
    }
    if (extras.totals) {
        CardSource cards;
        cards.database = &doc.Database();
        cards.groups = &doc.Side().groups;
        cards.remarks = &doc.Side().remarks;
        cards.workingMonth = doc.GetWorkingMonth();
        cards.workingMonthInitialised = initialised;
        cards.options = CardOptionsFromSettings(doc.GetSettings());
        cards.previousYear = previousYear;
        cards.cardMode = extras.cardMode;
        if (previousYear)
            cards.options.onePerPage = true;
        cards.totals =
            CardTotalsChoice{*extras.totals, extras.reported ? CardTotalsSource::Reported : CardTotalsSource::Register,
                             &doc.Side().cardTotals};
        return MakeCardTotalsReport(cards);
    }
    return nullptr;
}

} // namespace vardo::cli
