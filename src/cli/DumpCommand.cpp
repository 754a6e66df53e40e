// vardo-cli dump: the whole document as JSON (format: docs/dump-format.md).

#include <cstdio>
#include <string>

#include "cli/DocumentCommand.h"
#include "core/doc/DocumentJson.h"

namespace vardo::cli {
namespace {

int RunDump(const CliContext& context) {
    OpenedDocument opened("dump");
    if (const int failed = opened.OpenWithoutArguments(context); failed != 0)
        return failed;
    const std::string json = DocumentToJson(opened.Doc());
    opened.Close();
    if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() || std::fflush(stdout) != 0) {
        opened.Error("cannot write the output");
        return 1;
    }
    return 0;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"dump", "dump", "the whole document as JSON on standard output", RunDump});

} // namespace
} // namespace vardo::cli
