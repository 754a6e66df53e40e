// vardo-cli: the headless side of the program.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Clock.h"
#include "core/platform/Date.h"

namespace {

constexpr const char* kUsage = R"(Usage: vardo-cli [--data DIR] [--today YYYY-MM-DD] COMMAND [ARGS]

Options:
  --data DIR            the data folder (default: the current directory)
  --today YYYY-MM-DD    take this date as today
  --help                show this help
  --version             show the version

Commands:
)";

struct Options {
    std::string dataFolder = ".";
    std::optional<vardo::Date> today;
    std::vector<std::string> args;
};

} // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("vardo-cli %s\n", VARDO_VERSION);
            return 0;
        }
        if ((arg == "--data" || arg == "--today") && i + 1 >= argc) {
            std::fprintf(stderr, "vardo-cli: %s needs a value\n", argv[i]);
            return 2;
        }
        if (arg == "--data") {
            options.dataFolder = argv[++i];
        } else if (arg == "--today") {
            options.today = vardo::Date::Parse(argv[++i]);
            if (!options.today) {
                std::fprintf(stderr, "vardo-cli: --today needs a date as YYYY-MM-DD\n");
                return 2;
            }
        } else {
            options.args.emplace_back(arg);
        }
    }
    if (options.args.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::fprintf(stderr, "vardo-cli: unknown command '%s'\n", options.args.front().c_str());
    return 2;
}
