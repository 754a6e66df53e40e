// vardo-cli user-category: shows or changes the congregation's own category.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "core/platform/Strings.h"
#include "core/registry/AutoCapitalize.h"
#include "core/registry/TextRules.h"
#include "core/registry/UserCategory.h"

namespace vardo::cli {
namespace {

constexpr std::string_view kUsage = "usage: user-category [--name TEXT] [--enable yes|no] [--clear-marks]";

int RunUserCategory(const CliContext& context) {
    OpenedDocument opened("user-category");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    std::optional<std::string> name, enable;
    if (!TakeValue(args, "--name", name, opened) || !TakeValue(args, "--enable", enable, opened))
        return 2;
    bool clearMarks = false;
    if (auto it = std::find(args.begin(), args.end(), "--clear-marks"); it != args.end()) {
        clearMarks = true;
        args.erase(it);
    }
    const std::optional<bool> on = enable ? ParseYesNo(*enable) : std::nullopt;
    if (!args.empty() || (enable && !on) || (clearMarks && !name)) {
        opened.Error(std::string(kUsage) + (clearMarks && !name ? " (--clear-marks goes with a new --name)" : ""));
        return 2;
    }
    // Trailing blanks are dropped before the label's limit applies, as the dialog does.
    if (name && CharacterCount(TrimmedRight(*name)) > UserCategoryPresenter::kNameMax) {
        opened.Error("--name: " +
                     FormatArgs(Str(StrId::TextTooLong), {*name, std::to_string(UserCategoryPresenter::kNameMax)}));
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    RegistryContext registry = doc.MakeRegistryContext(opened.Prompter());
    UserCategoryPresenter presenter(registry);
    if (name || on) {
        if (doc.PastMonthMode()) {
            opened.Error(Str(StrId::PastMonthReadOnly));
            return 1;
        }
        if (name)
            presenter.name = *name;
        if (on)
            presenter.enabled = *on;
        std::optional<UserCategoryPresenter::Marks> marks;
        if (presenter.NeedsMarksChoice())
            marks = clearMarks ? UserCategoryPresenter::Marks::Clear : UserCategoryPresenter::Marks::Keep;
        presenter.Store(marks);
        if (const int failed = SaveIfModified(opened); failed != 0)
            return failed;
    }
    // One line: label, enabled (yes/no), persons marked.
    const Settings& settings = doc.GetSettings();
    const std::string out = settings.userCategoryLabel + "\t" + (settings.userCategoryEnabled ? "yes" : "no") + "\t" +
                            std::to_string(UserCategoryPresenter(registry).MarkedCount()) + "\n";
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"user-category", "user-category [--name TEXT] [--enable yes|no] [--clear-marks]",
                     "show or change the user category (label, enabled, persons marked)", RunUserCategory});

} // namespace
} // namespace vardo::cli
