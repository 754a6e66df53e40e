#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "core/platform/Prompter.h"

namespace vardo::cli {

/// The prompter of vardo-cli: messages and questions go to standard error; a question is answered with
/// its default unless the command line said --yes or --no.
class ConsolePrompter final : public Prompter {
public:
    enum class Policy { Default, Yes, No };

    explicit ConsolePrompter(Policy policy = Policy::Default, std::FILE* out = stderr) : m_policy(policy), m_out(out) {}

    /// A prompter for the flags --yes and --no found in `args`; the flags are removed from `args`. Both
    /// flags together leave the policy at Default and return false.
    static bool FromArgs(std::vector<std::string>& args, ConsolePrompter& prompter);

    void Message(std::string_view text, Severity severity = Severity::Information) override;
    /// --yes picks Yes or OK, --no picks No or Cancel; a retry question is always cancelled, since nobody
    /// can fix the cause in between.
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer) override;

    Policy GetPolicy() const { return m_policy; }

private:
    Policy m_policy;
    std::FILE* m_out;
};

} // namespace vardo::cli
