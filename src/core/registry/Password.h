#pragma once

// The password gate (dialog "Wymagane Hasło") and the password change (dialog "Zmiana Hasła").

#include <optional>
#include <string>
#include <string_view>

namespace vardo {

class Prompter;

/// Longest text the gate accepts as a try (or the stored password's length when longer); longer texts count
/// as a wrong password.
inline constexpr int kPasswordTryLength = 13;
/// Width of the password edit field of the gate (the stored field holds 20 characters).
inline constexpr int kPasswordFieldLength = 20;

/// True when a stored password means "no password": a single space (or nothing at all).
bool IsNoPassword(std::string_view stored);

/// The gate: compares every keystroke with the stored password. Typing the right password ends the dialog
/// at once; OK with a wrong text shows 1075 and the next keystroke or OK then fails.
class PasswordGate {
public:
    enum class Outcome { Pending, Accepted, Rejected };

    /// `changing`: asked before a password change (prompt 1078 instead of 1076).
    PasswordGate(std::string stored, bool changing);

    /// False when no password is set: the gate succeeds without a dialog.
    bool NeedsDialog() const { return !IsNoPassword(m_stored); }
    /// Text of the prompt line.
    std::string Prompt() const;

    /// After every change of the edit field's text.
    Outcome TextChanged(std::string_view typed);
    /// The OK button.
    Outcome Ok(std::string_view typed);

private:
    Outcome Wrong();

    std::string m_stored;
    bool m_changing = false;
    bool m_wrongShown = false;
};

/// The two entries of a new password: the first OK keeps the text and asks again, the second compares.
class PasswordChange {
public:
    /// Prompt: 1077, or 1077 + " " + 1081 for the second entry.
    std::string Prompt() const;
    bool SecondEntry() const { return m_first.has_value(); }
    /// The OK button; true when the dialog ends (after the second entry).
    bool Ok(std::string_view typed);
    /// After the dialog: the confirmed new text, or nullopt when the entries differed or were cancelled.
    const std::optional<std::string>& Confirmed() const { return m_confirmed; }

private:
    std::optional<std::string> m_first;
    std::optional<std::string> m_confirmed;
};

/// Longest new password, in characters: a password the gate accepts when typed.
inline constexpr int kNewPasswordLength = kPasswordTryLength;

/// Applies the outcome of a password change and tells the user: a confirmed empty text or one that begins
/// with a space switches the password off (" ", message 1082); another confirmed text becomes the password
/// (1079); no confirmation leaves it (1080). Returns the password to store, or nullopt when nothing changes.
std::optional<std::string> ApplyPasswordChange(const std::optional<std::string>& confirmed, Prompter& prompter);

} // namespace vardo
