#include "cli/DocumentCommand.h"

#include <cstdio>

namespace vardo::cli {

std::unique_ptr<Clock> CommandClock(const CliContext& context) {
    if (context.today)
        return std::make_unique<FixedClock>(*context.today);
    return std::make_unique<SystemClock>();
}

void OpenedDocument::Error(std::string_view text) const {
    std::fprintf(stderr, "vardo-cli %s: %.*s\n", m_command.c_str(), static_cast<int>(text.size()), text.data());
}

bool OpenedDocument::TakeOptions(const CliContext& context, std::vector<std::string>& args) {
    const ConsolePrompter::Policy global = context.answers == CliAnswers::Yes  ? ConsolePrompter::Policy::Yes
                                           : context.answers == CliAnswers::No ? ConsolePrompter::Policy::No
                                                                               : ConsolePrompter::Policy::Default;
    m_password = context.password;
    if (!ConsolePrompter::FromArgs(args, m_prompter)) {
        Error("--yes and --no exclude each other");
        return false;
    }
    // After the command, --yes or --no (kept for older scripts) may not contradict the global one.
    const ConsolePrompter::Policy local = m_prompter.GetPolicy();
    if (local != ConsolePrompter::Policy::Default && global != ConsolePrompter::Policy::Default && local != global) {
        Error("--yes and --no exclude each other");
        return false;
    }
    if (local == ConsolePrompter::Policy::Default)
        m_prompter = ConsolePrompter(global);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--password")
            continue;
        if (i + 1 >= args.size()) {
            Error("--password needs a value");
            return false;
        }
        m_password = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        break;
    }
    return true;
}

bool OpenedDocument::Open(const CliContext& context) {
    m_clock = CommandClock(context);
    StartupOptions options;
    options.showStartupNote = false;
    bool asked = false;
    options.checkPassword = [&](std::string_view stored) {
        asked = true;
        return m_password && *m_password == stored;
    };
    const Status loaded = m_doc.Load(DataFolder(context.dataFolder), *m_clock, m_prompter, options);
    if (!loaded) {
        Error(loaded.message());
        if (asked && !m_password)
            Error("podaj hasło opcją --password");
        return false;
    }
    if (context.past) {
        // A past month is viewed read-only: the save refuses, so a changing command fails. What the start-up
        // itself changed is not saved by a command line run either, so the save question is not asked.
        m_doc.Changes().MarkReloaded(false);
        if (const Status viewed = m_doc.LoadPastMonth(*context.past, m_prompter); !viewed) {
            Error(viewed.message());
            return false;
        }
    }
    return true;
}

int OpenedDocument::OpenWithoutArguments(const CliContext& context) {
    std::vector<std::string> args = context.args;
    if (!TakeOptions(context, args))
        return 2;
    if (!args.empty()) {
        Error("unexpected argument '" + args.front() + "'");
        return 2;
    }
    return Open(context) ? 0 : 1;
}

std::string_view CategoryIdentifier(std::uint8_t category) {
    static constexpr std::string_view kNames[] = {"Publisher", "Inactive", "NonPublisher",
                                                  "Moved",     "Deleted",  "CircuitOverseer"};
    return category < std::size(kNames) ? kNames[category] : std::string_view("Unknown");
}

} // namespace vardo::cli
