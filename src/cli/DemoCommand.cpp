// vardo-cli demo DIR: writes a made-up congregation into a new data folder.

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "cli/DocumentCommand.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Strings.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage = "Usage: vardo-cli [--today YYYY-MM-DD] demo DIR [--people N] [--seed S]\n";

template <class T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

int RunDemo(const CliContext& context) {
    std::string folder;
    DemoOptions options;
    const std::vector<std::string>& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--people" || arg == "--seed") {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "vardo-cli demo: %s needs a value\n%s", arg.c_str(), kUsage);
                return 2;
            }
            const std::string& value = args[++i];
            if (arg == "--people") {
                const auto people = ParseNumber<int>(value);
                if (!people || *people < 1 || *people > kDemoMaxPeople) {
                    std::fprintf(stderr, "vardo-cli demo: --people takes a number from 1 to %d\n", kDemoMaxPeople);
                    return 2;
                }
                options.people = *people;
            } else {
                const auto seed = ParseNumber<std::uint64_t>(value);
                if (!seed) {
                    std::fprintf(stderr, "vardo-cli demo: --seed takes a whole number\n");
                    return 2;
                }
                options.seed = *seed;
            }
        } else if (folder.empty() && !arg.starts_with("--")) {
            folder = arg;
        } else {
            std::fprintf(stderr, "vardo-cli demo: unexpected argument '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (folder.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    const auto clock = CommandClock(context);
    ConsolePrompter prompter;
    const Status written = WriteDemoCongregation(DataFolder(folder), *clock, options, prompter);
    if (!written) {
        std::fprintf(stderr, "vardo-cli demo: %s\n", written.message().c_str());
        return 1;
    }
    const WorkingMonth month = WorkingMonthFor(clock->Today().year, clock->Today().month, clock->Today().day);
    std::printf("Zapisano przykładowy zbór: %d osób w %s (miesiąc roboczy: %s %d)\n", options.people, folder.c_str(),
                std::string(MonthName(month.monthIndex)).c_str(), month.Year());
    return 0;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"demo", "demo DIR [--people N] [--seed S]",
                     "write a made-up congregation (default 150 persons) into a new data folder", RunDemo});

} // namespace
} // namespace vardo::cli
