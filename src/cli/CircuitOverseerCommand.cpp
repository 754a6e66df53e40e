// vardo-cli circuit-overseer: shows or changes the circuit overseer's record.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "core/platform/Strings.h"
#include "core/registry/AutoCapitalize.h"
#include "core/registry/CircuitOverseer.h"

namespace vardo::cli {
namespace {

constexpr std::string_view kUsage = "usage: circuit-overseer [--first TEXT] [--last TEXT] [--address TEXT] "
                                    "[--phone TEXT] [--mobile TEXT] [--work TEXT] [--email TEXT]";

struct Option {
    const char* name;
    OverseerField field;
};
constexpr Option kOptions[] = {{"--first", OverseerField::FirstName},    {"--last", OverseerField::LastName},
                               {"--address", OverseerField::Address},    {"--phone", OverseerField::PhoneHome},
                               {"--mobile", OverseerField::PhoneMobile}, {"--work", OverseerField::PhoneWork},
                               {"--email", OverseerField::Email}};

int RunCircuitOverseer(const CliContext& context) {
    OpenedDocument opened("circuit-overseer");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    std::vector<std::pair<OverseerField, std::string>> given;
    for (const Option& option : kOptions) {
        std::optional<std::string> value;
        if (!TakeValue(args, option.name, value, opened))
            return 2;
        if (value) {
            if (CharacterCount(*value) > CircuitOverseerPresenter::MaxLength(option.field)) {
                opened.Error(std::string(option.name) + ": " +
                             FormatArgs(Str(StrId::TextTooLong),
                                        {*value, std::to_string(CircuitOverseerPresenter::MaxLength(option.field))}));
                return 2;
            }
            given.emplace_back(option.field, *value);
        }
    }
    if (!args.empty()) {
        opened.Error(kUsage);
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    RegistryContext registry = doc.MakeRegistryContext(opened.Prompter());
    if (!given.empty()) {
        if (doc.PastMonthMode()) {
            opened.Error(Str(StrId::PastMonthReadOnly));
            return 1;
        }
        CircuitOverseerPresenter presenter(registry);
        for (auto& [field, value] : given)
            presenter.SetText(field, value);
        if (Status stored = presenter.Store(); !stored) {
            opened.Error(stored.message());
            return 1;
        }
        if (doc.Database().CircuitOverseerRecord() == 0) {
            opened.Error(Str(StrId::OverseerNeedsLastName));
            return 1;
        }
        if (const int failed = SaveIfModified(opened); failed != 0)
            return failed;
    }
    // One line: first name, last name, address, home, mobile, work telephone, e-mail.
    CircuitOverseerPresenter shown(registry);
    std::string out;
    for (int f = 0; f < kOverseerFields; ++f) {
        std::string text = shown.Text(static_cast<OverseerField>(f));
        for (char& c : text)
            if (c == '\t' || c == '\n')
                c = ' ';
        out += text + (f + 1 < kOverseerFields ? "\t" : "\n");
    }
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"circuit-overseer",
     "circuit-overseer [--first TEXT] [--last TEXT] [--address TEXT] [--phone TEXT] [--mobile TEXT] [--work TEXT] "
     "[--email TEXT]",
     "show or change the circuit overseer's record (first, last, address, home, mobile, work, e-mail)",
     RunCircuitOverseer});

} // namespace
} // namespace vardo::cli
