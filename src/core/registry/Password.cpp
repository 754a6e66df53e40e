#include "core/registry/Password.h"

#include <algorithm>

#include "core/platform/CodePage.h"
#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"
#include "core/registry/AutoCapitalize.h"

namespace vardo {

bool IsNoPassword(std::string_view stored) {
    return stored.empty() || stored == " ";
}

PasswordGate::PasswordGate(std::string stored, bool changing) : m_stored(std::move(stored)), m_changing(changing) {}

std::string PasswordGate::Prompt() const {
    if (m_wrongShown)
        return std::string(Str(StrId::WrongPassword));
    return std::string(Str(m_changing ? StrId::EnterOldPassword : StrId::EnterPassword));
}

PasswordGate::Outcome PasswordGate::Wrong() {
    if (m_wrongShown)
        return Outcome::Rejected;
    m_wrongShown = true;
    return Outcome::Pending;
}

PasswordGate::Outcome PasswordGate::TextChanged(std::string_view typed) {
    if (m_wrongShown)
        return Outcome::Rejected;
    if (typed == m_stored)
        return Outcome::Accepted;
    // A longer password kept from older data must stay typeable, so the limit grows to its length.
    if (CharacterCount(typed) > std::max(kPasswordTryLength, CharacterCount(m_stored)))
        return Wrong();
    return Outcome::Pending;
}

PasswordGate::Outcome PasswordGate::Ok(std::string_view typed) {
    if (typed == m_stored && !m_wrongShown)
        return Outcome::Accepted;
    return Wrong();
}

std::string PasswordChange::Prompt() const {
    std::string prompt(Str(StrId::EnterNewPassword));
    if (m_first) {
        prompt += ' ';
        prompt += Str(StrId::PasswordAgain);
    }
    return prompt;
}

bool PasswordChange::Ok(std::string_view typed) {
    if (!m_first) {
        m_first = std::string(typed);
        return false;
    }
    if (*m_first == typed)
        m_confirmed = *m_first;
    return true;
}

std::optional<std::string> ApplyPasswordChange(const std::optional<std::string>& confirmed, Prompter& prompter) {
    // A password the record's code page cannot hold could never be typed back at the gate.
    if (!confirmed || CharacterCount(*confirmed) > kNewPasswordLength ||
        !codepage::Utf8ToCp1250(*confirmed).lossless()) {
        prompter.Message(Str(StrId::PasswordNotChanged));
        return std::nullopt;
    }
    if (confirmed->empty() || confirmed->front() == ' ') {
        prompter.Message(Str(StrId::PasswordOff));
        return std::string(" ");
    }
    prompter.Message(Str(StrId::PasswordChanged));
    return *confirmed;
}

} // namespace vardo
