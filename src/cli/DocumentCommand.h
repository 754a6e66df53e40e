#pragma once

// What the commands that open a data folder share: the clock of the command line, the options --password,
// --yes, --no and --past, and the start-up of the document.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/ConsolePrompter.h"
#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"

namespace vardo::cli {

/// The date of --today, or the system clock.
std::unique_ptr<Clock> CommandClock(const CliContext& context);

/// A command's view of its data folder. Open() loads the document; the destructor closes it (removing the
/// start-up's remark undo copy), so a command leaves the folder as a run of the program would.
class OpenedDocument {
public:
    /// `command` names the command in messages.
    explicit OpenedDocument(std::string_view command) : m_command(command) {}
    ~OpenedDocument() { m_doc.Close(); }
    OpenedDocument(const OpenedDocument&) = delete;
    OpenedDocument& operator=(const OpenedDocument&) = delete;

    /// Takes the global --yes, --no and --password of `context`, then the same options given after the command
    /// out of `args` (those win); false (after printing why) on bad usage, --past included while past months
    /// cannot be viewed.
    bool TakeOptions(const CliContext& context, std::vector<std::string>& args);
    /// Loads the data folder of `context`; prints the reason and returns false when it cannot be opened.
    bool Open(const CliContext& context);
    /// For commands without arguments of their own: takes the options, refuses any other argument and opens
    /// the folder. Returns 0 when the document is open, otherwise the exit code (2 bad usage, 1 failure).
    int OpenWithoutArguments(const CliContext& context);
    /// Closes the document at once (output written after this cannot leave the folder half closed).
    void Close() { m_doc.Close(); }

    CVardoDoc& Doc() { return m_doc; }
    ConsolePrompter& Prompter() { return m_prompter; }
    const Clock& GetClock() const { return *m_clock; }

    /// Prints "vardo-cli COMMAND: text" to standard error.
    void Error(std::string_view text) const;

private:
    std::string m_command;
    std::optional<std::string> m_password;
    ConsolePrompter m_prompter;
    std::unique_ptr<Clock> m_clock;
    CVardoDoc m_doc;
};

/// Category name as the dump and the list print it ("Publisher", "Inactive", ...).
std::string_view CategoryIdentifier(std::uint8_t category);

} // namespace vardo::cli
