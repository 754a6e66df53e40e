// vardo-cli resave: opens the data folder and saves it again, as File > Save does.

#include <cstdio>
#include <string>

#include "cli/DocumentCommand.h"

namespace vardo::cli {
namespace {

int RunResave(const CliContext& context) {
    OpenedDocument opened("resave");
    if (const int failed = opened.OpenWithoutArguments(context); failed != 0)
        return failed;
    CVardoDoc& doc = opened.Doc();
    const Status saved = doc.Save(opened.Prompter(), true);
    if (!saved) {
        opened.Error(saved.message());
        return 1;
    }
    std::printf("Zapisano dane w %s\n", doc.Folder().Root().string().c_str());
    return 0;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"resave", "resave", "open the data folder and save every file again", RunResave});

} // namespace
} // namespace vardo::cli
