// vardo-cli: the headless side of the program.

#include <cstdio>
#include <string>
#include <string_view>

#include "cli/CliCommand.h"

namespace {

void PrintUsage(std::FILE* out) {
    std::fputs("Usage: vardo-cli [--data DIR] [--today YYYY-MM-DD] [--past K] COMMAND [ARGS]\n\n"
               "Options:\n"
               "  --data DIR            the data folder (default: the current directory)\n"
               "  --today YYYY-MM-DD    take this date as today\n"
               "  --past K              view the month K (1..6) before the working month, read-only\n"
               "  --help                show this help\n"
               "  --version             show the version\n\n"
               "Commands:\n",
               out);
    for (const auto& command : vardo::cli::Commands())
        std::fprintf(out, "  %-44s %s\n", command.usage.c_str(), command.summary.c_str());
}

} // namespace

int main(int argc, char** argv) {
    vardo::cli::CliContext context;
    std::string commandName;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (commandName.empty() && (arg == "--help" || arg == "-h")) {
            PrintUsage(stdout);
            return 0;
        }
        if (commandName.empty() && arg == "--version") {
            std::printf("vardo-cli %s\n", VARDO_VERSION);
            return 0;
        }
        if ((arg == "--data" || arg == "--today" || arg == "--past") && i + 1 >= argc) {
            std::fprintf(stderr, "vardo-cli: %s needs a value\n", argv[i]);
            return 2;
        }
        if (arg == "--data") {
            context.dataFolder = argv[++i];
        } else if (arg == "--today") {
            context.today = vardo::Date::Parse(argv[++i]);
            if (!context.today) {
                std::fprintf(stderr, "vardo-cli: --today needs a date as YYYY-MM-DD\n");
                return 2;
            }
        } else if (commandName.empty() && arg == "--past") {
            const std::string_view value = argv[++i];
            if (value.size() != 1 || value[0] < '1' || value[0] > '6') {
                std::fprintf(stderr, "vardo-cli: --past needs a number of months from 1 to 6\n");
                return 2;
            }
            context.past = value[0] - '0';
        } else if (commandName.empty()) {
            commandName = arg;
        } else {
            context.args.emplace_back(arg);
        }
    }
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
