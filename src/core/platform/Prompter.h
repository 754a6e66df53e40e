#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vardo {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };
enum class Severity { Information, Warning, Error, Question };

/// The way rules in core talk to the user. The GUI shows message boxes, the CLI uses flags or standard
/// input, tests script the answers. Texts are UTF-8.
class Prompter {
public:
    virtual ~Prompter() = default;
    /// Shows a message with an OK button.
    virtual void Message(std::string_view text, Severity severity = Severity::Information) = 0;
    /// Asks a question; returns the button chosen. `defaultAnswer` is the button that Enter presses.
    virtual Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer) = 0;
};

/// A prompter for tests and unattended runs: answers come from a script, in order; once the script is
/// used up every question gets its default answer. Every text shown is recorded.
class ScriptedPrompter final : public Prompter {
public:
    ScriptedPrompter() = default;
    explicit ScriptedPrompter(std::vector<Answer> answers) : m_answers(answers.begin(), answers.end()) {}

    void Message(std::string_view text, Severity severity = Severity::Information) override;
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer) override;

    void Script(Answer answer) { m_answers.push_back(answer); }
    /// Every text shown, messages and questions alike, in order.
    const std::vector<std::string>& Shown() const { return m_shown; }
    /// Number of questions asked so far.
    int Questions() const { return m_questions; }
    bool AnyShownContains(std::string_view fragment) const;
    void Clear() { m_shown.clear(); }

private:
    std::deque<Answer> m_answers;
    std::vector<std::string> m_shown;
    int m_questions = 0;
};

} // namespace vardo
