#pragma once

// Reading a command's usage line, such as "report KIND [--group N] (--pdf FILE | --png DIR)": which options the
// command takes, which of them take a value, and its positional words. The shell completion asks for these, so
// that it follows the table the commands are dispatched from.

#include <string>
#include <string_view>
#include <vector>

namespace vardo::cli {

/// One option of a usage line: "--group" with its value placeholder "N", or "--letter" with none.
struct UsageOption {
    std::string name;
    std::string value; // empty for a flag

    bool operator==(const UsageOption&) const = default;
};

/// What a usage line says, its first word (the command name) left out.
struct UsageParts {
    std::vector<UsageOption> options; // in the order given, each name once
    /// One entry per position: a placeholder in capitals ("KIND", "FILE"), a literal word ("outline"), or
    /// alternatives joined by '|' ("outline|check").
    std::vector<std::string> positionals;
};

/// Reads a usage line. Brackets, parentheses and '|' only group words. An option takes the word right after it as
/// its value when that word is a placeholder in capitals ("[--group N]", "(--pdf FILE | --png DIR)",
/// "--today=YYYY-MM-DD"); in "[--all] FILE" the bracket ends the option, so FILE is a positional. Words separated
/// by '|' that are not options are alternatives for one position. A trailing "..." is dropped.
UsageParts ParseUsage(std::string_view usage);

/// True for a value placeholder: capitals, digits, '-', '_' and '.', with at least one capital ("N", "YYYY-MM-DD").
bool IsPlaceholder(std::string_view word);

} // namespace vardo::cli
