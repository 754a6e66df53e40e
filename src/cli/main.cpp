// vardo-cli: the headless side of the program.

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "cli/CliCommand.h"

namespace {

void PrintUsage(std::FILE* out) {
    std::fputs("Usage: vardo-cli [GLOBAL OPTIONS] COMMAND [ARGS]\n\n"
               "Global options (before the command):\n"
               "  --data DIR            the data folder (default: the current directory)\n"
               "  --today YYYY-MM-DD    take this date as today\n"
               "  --yes | --no          answer every question with yes (OK) or no (Cancel);\n"
               "                        without either, each question takes its default answer\n"
               "  --password TEXT       the password of a protected data folder\n"
               "  --past K              view the snapshot of K months back (1..6), read-only\n"
               "  --help                show this help\n"
               "  --version             show the version\n\n"
               "Commands:\n",
               out);
    for (const auto& command : vardo::cli::Commands())
        std::fprintf(out, "  %-44s %s\n", command.usage.c_str(), command.summary.c_str());
}

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

} // namespace

int main(int argc, char** argv) {
    vardo::cli::CliContext context;
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
        const bool takesValue =
            arg == "--data" || arg == "--today" || (global && (arg == "--password" || arg == "--past"));
        if (takesValue && i + 1 >= argc)
            return BadUsage(std::string(arg) + " needs a value");
        if (arg == "--data") {
            context.dataFolder = argv[++i];
        } else if (arg == "--today") {
            context.today = vardo::Date::Parse(argv[++i]);
            if (!context.today)
                return BadUsage("--today needs a date as YYYY-MM-DD");
        } else if (global && arg == "--yes") {
            yes = true;
        } else if (global && arg == "--no") {
            no = true;
        } else if (global && arg == "--password") {
            context.password = argv[++i];
        } else if (global && arg == "--past") {
            context.past = PastMonths(argv[++i]);
            if (!context.past)
                return BadUsage("--past needs a number of months from 1 to " +
                                std::to_string(vardo::cli::kMaxPastMonths));
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
    context.answers = yes  ? vardo::cli::CliAnswers::Yes
                      : no ? vardo::cli::CliAnswers::No
                           : vardo::cli::CliAnswers::Default;
    if (commandName.empty()) {
        PrintUsage(stderr);
        return 2;
    }
    for (const auto& command : vardo::cli::Commands())
        if (command.name == commandName)
            return command.run(context);
    std::fprintf(stderr, "vardo-cli: unknown command '%s' (see --help)\n", commandName.c_str());
    return 2;
}
