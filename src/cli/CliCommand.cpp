#include "cli/CliCommand.h"

#include <algorithm>

namespace vardo::cli {
namespace {

std::vector<CliCommand>& Table() {
    static std::vector<CliCommand> table;
    return table;
}

} // namespace

bool RegisterCommand(CliCommand command) {
    auto& table = Table();
    auto at = std::lower_bound(table.begin(), table.end(), command.name,
                               [](const CliCommand& c, const std::string& name) { return c.name < name; });
    table.insert(at, std::move(command));
    return true;
}

const std::vector<CliCommand>& Commands() {
    return Table();
}

} // namespace vardo::cli
