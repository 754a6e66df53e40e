#include "core/platform/Prompter.h"

#include <algorithm>

namespace vardo {

void ScriptedPrompter::Message(std::string_view text, Severity) {
    m_shown.emplace_back(text);
}

Answer ScriptedPrompter::Ask(std::string_view text, Buttons, Answer defaultAnswer) {
    m_shown.emplace_back(text);
    ++m_questions;
    if (m_answers.empty())
        return defaultAnswer;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

bool ScriptedPrompter::AnyShownContains(std::string_view fragment) const {
    return std::any_of(m_shown.begin(), m_shown.end(),
                       [&](const std::string& s) { return s.find(fragment) != std::string::npos; });
}

} // namespace vardo
