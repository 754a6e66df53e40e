// vardo-cli: the headless side of the program.
//
// The --help text is also the source of the manual page vardo-cli(1), made from it at build time by
// cmake/help-to-man.sh: "Usage:" gives the synopsis, every "Title:" block a section of two-column entries. A command
// appears in both once it is registered, a global option once it is in kGlobalOptions; the bash completion asks
// the same tables (AnswerCompletionQuery).

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliUsage.h"
#include "core/reports/ReportKind.h"

namespace {

using vardo::cli::CliContext;

int BadUsage(const std::string& text) {
    std::fprintf(stderr, "vardo-cli: %s\n", text.c_str());
    return 2;
}

// --past K: a whole number 1..6, nothing else.
std::optional<int> PastMonths(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > vardo::cli::kMaxPastMonths)
        return std::nullopt;
    return value;
}

// An option that comes before the command. `apply` takes the value (nullptr for a flag) and returns false after
// printing what is wrong with it; --help and --version have none, they are answered at once.
struct GlobalOption {
    std::string_view name;
    std::string_view value; // placeholder of the value in the help; empty for a flag
    std::string_view help;
    bool (*apply)(CliContext& context, const char* value);
};

constexpr GlobalOption kGlobalOptions[] = {
    {"--data", "DIR", "the data folder (default: the current directory)",
     [](CliContext& context, const char* value) {
         context.dataFolder = value;
         return true;
     }},
    {"--today", "YYYY-MM-DD", "take this date as today",
     [](CliContext& context, const char* value) {
         context.today = vardo::Date::Parse(value);
         if (!context.today)
             std::fprintf(stderr, "vardo-cli: --today needs a date as YYYY-MM-DD\n");
         return context.today.has_value();
     }},
    {"--yes", "", "answer every question with yes (OK); without --yes or --no each takes its default",
     [](CliContext& context, const char*) {
         context.answers = vardo::cli::CliAnswers::Yes;
         return true;
     }},
    {"--no", "", "answer every question with no (Cancel)",
     [](CliContext& context, const char*) {
         context.answers = vardo::cli::CliAnswers::No;
         return true;
     }},
    {"--password", "TEXT", "the password of a protected data folder",
     [](CliContext& context, const char* value) {
         context.password = value;
         return true;
     }},
    {"--past", "K", "view the snapshot of the month K (1..6) before the working month, read-only",
     [](CliContext& context, const char* value) {
         context.past = PastMonths(value);
         if (!context.past)
             std::fprintf(stderr, "vardo-cli: --past needs a number of months from 1 to %d\n",
                          vardo::cli::kMaxPastMonths);
         return context.past.has_value();
     }},
    {"--help", "", "show this help", nullptr},
    {"--version", "", "show the version", nullptr},
};

const GlobalOption* FindGlobalOption(std::string_view name) {
    for (const auto& option : kGlobalOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

const vardo::cli::CliCommand* FindCommand(std::string_view name) {
    for (const auto& command : vardo::cli::Commands())
        if (command.name == name)
            return &command;
    return nullptr;
}

// Prints entries as two columns; a term too long for the first column stands on a line of its own.
void PrintColumns(std::FILE* out, const std::vector<std::pair<std::string, std::string>>& entries) {
    constexpr std::size_t kMaxColumn = 40;
    std::size_t column = 0;
    for (const auto& [term, text] : entries)
        if (term.size() <= kMaxColumn)
            column = std::max(column, term.size());
    for (const auto& [term, text] : entries) {
        if (term.size() <= column)
            std::fprintf(out, "  %-*s  %s\n", static_cast<int>(column), term.c_str(), text.c_str());
        else
            std::fprintf(out, "  %s\n  %*s  %s\n", term.c_str(), static_cast<int>(column), "", text.c_str());
    }
}

void PrintUsage(std::FILE* out) {
    std::fputs("Usage: vardo-cli [OPTIONS] COMMAND [ARGS]\n\nOptions:\n", out);
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& option : kGlobalOptions) {
        std::string term(option.name);
        if (!option.value.empty())
            term.append(" ").append(option.value);
        entries.emplace_back(term, std::string(option.help));
    }
    PrintColumns(out, entries);
    std::fputs("\nCommands:\n", out);
    entries.clear();
    for (const auto& command : vardo::cli::Commands())
        entries.emplace_back(command.usage, command.summary);
    PrintColumns(out, entries);
}

// The lists the shell completion asks for (not shown in --help): --commands, --report-kinds, --options [COMMAND]
// and --arguments COMMAND print one entry a line. Returns the exit code, or -1 when `arg` is none of them.
int AnswerCompletionQuery(std::string_view arg, const char* operand) {
    if (arg == "--commands") {
        for (const auto& command : vardo::cli::Commands())
            std::printf("%s\n", command.name.c_str());
        return 0;
    }
    if (arg == "--report-kinds") {
        // Name, report number and whether the report is drawn for one group; report numbers stay below 1000.
        for (int number = 1; number < 1000; ++number) {
            const auto kind = vardo::ReportKindFromNumber(number);
            if (kind && !vardo::ReportKindName(*kind).empty())
                std::printf("%s\t%d\t%s\n", std::string(vardo::ReportKindName(*kind)).c_str(), number,
                            vardo::ReportKindTakesGroup(*kind) ? "group" : "");
        }
        // Reports the report command draws by name only: no report number.
        for (const char* name : {"card", "cards", "attendance-record", "activity"})
            std::printf("%s\t\t\n", name);
        return 0;
    }
    if (arg == "--options" && operand == nullptr) {
        for (const auto& option : kGlobalOptions)
            std::printf("%s%s%s\n", std::string(option.name).c_str(), option.value.empty() ? "" : " ",
                        std::string(option.value).c_str());
        return 0;
    }
    if (arg != "--options" && arg != "--arguments")
        return -1;
    const vardo::cli::CliCommand* command = operand != nullptr ? FindCommand(operand) : nullptr;
    if (command == nullptr) {
        std::fprintf(stderr, "vardo-cli: %s needs a command name\n", std::string(arg).c_str());
        return 2;
    }
    const vardo::cli::UsageParts parts = vardo::cli::ParseUsage(command->usage);
    if (arg == "--options") {
        for (const auto& option : parts.options)
            std::printf("%s%s%s\n", option.name.c_str(), option.value.empty() ? "" : " ", option.value.c_str());
    } else {
        for (const auto& positional : parts.positionals)
            std::printf("%s\n", positional.c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2) {
        const int answered = AnswerCompletionQuery(argv[1], argc >= 3 ? argv[2] : nullptr);
        if (answered >= 0)
            return answered;
    }
    CliContext context;
    std::string commandName;
    bool yes = false;
    bool no = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool global = commandName.empty();
        if (global && (arg == "--help" || arg == "-h")) {
            PrintUsage(stdout);
            return 0;
        }
        if (global && arg == "--version") {
            std::printf("vardo-cli %s\n", VARDO_VERSION);
            return 0;
        }
        // --data and --today count anywhere; the other global options only before the command, since after
        // it they belong to the command (which still takes --yes, --no and --password there).
        const GlobalOption* option = FindGlobalOption(arg);
        if (option != nullptr && option->apply != nullptr && (global || arg == "--data" || arg == "--today")) {
            if (!option->value.empty() && i + 1 >= argc)
                return BadUsage(std::string(arg) + " needs a value");
            yes = yes || arg == "--yes";
            no = no || arg == "--no";
            if (!option->apply(context, option->value.empty() ? nullptr : argv[++i]))
                return 2;
        } else if (global && arg.size() > 1 && arg.front() == '-') {
            return BadUsage("unknown option '" + std::string(arg) + "' (see --help)");
        } else if (global) {
            commandName = arg;
        } else {
            context.args.emplace_back(arg);
        }
    }
    if (yes && no)
        return BadUsage("--yes and --no exclude each other");
    if (commandName.empty()) {
        PrintUsage(stderr);
        return 2;
    }
    if (const vardo::cli::CliCommand* command = FindCommand(commandName))
        return command->run(context);
    std::fprintf(stderr, "vardo-cli: unknown command '%s' (see --help)\n", commandName.c_str());
    return 2;
}
