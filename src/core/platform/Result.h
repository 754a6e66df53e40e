#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace vardo {

/// Why an operation did not succeed.
enum class Failure {
    None,      ///< success
    Failed,    ///< failed for a reason given only in the message
    Cancelled, ///< the user chose not to go on (no message needed)
    Refused,   ///< not allowed now: a rule, a password, a read-only view
    Io,        ///< a file or folder could not be read or written
    Full,      ///< a table, list or register has no room
    Invalid,   ///< the input or the data is not as it must be
    NotFound,  ///< the person, file or entry asked for does not exist
};

/// Outcome of an operation that can fail. On failure it carries a code and, except for Cancelled, a message
/// in Polish or English that can be shown to the user as it stands. Never throws.
class [[nodiscard]] Status {
public:
    static Status Ok() { return Status(); }
    /// A failure of kind `code` with the text for the user (required: a failure must say what failed).
    static Status Fail(Failure code, std::string message) {
        assert(code != Failure::None && (code == Failure::Cancelled || !message.empty()));
        return Status(code, std::move(message));
    }
    /// A failure with the text for the user; its kind is Failed.
    static Status Fail(std::string message) { return Fail(Failure::Failed, std::move(message)); }
    /// The user cancelled.
    static Status Cancelled() { return Status(Failure::Cancelled, {}); }

    bool ok() const { return m_code == Failure::None; }
    explicit operator bool() const { return ok(); }
    Failure code() const { return m_code; }
    bool cancelled() const { return m_code == Failure::Cancelled; }
    const std::string& message() const { return m_message; }

private:
    Status() = default;
    Status(Failure code, std::string message) : m_code(code), m_message(std::move(message)) {}

    Failure m_code = Failure::None;
    std::string m_message;
};

/// A value or a failure (code and message). Access value() only after checking ok().
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {} // NOLINT(google-explicit-constructor): natural return syntax
    static Result Fail(std::string message) { return Result(Failure::Failed, std::move(message)); }
    static Result Fail(Failure code, std::string message) { return Result(code, std::move(message)); }
    static Result Fail(const Status& status) { return Result(status.code(), status.message()); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    T& value() & { return *m_value; }
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    T value_or(T fallback) const { return m_value ? *m_value : std::move(fallback); }
    Failure code() const { return ok() ? Failure::None : m_code; }
    const std::string& error() const { return m_error; }
    Status status() const { return ok() ? Status::Ok() : Status::Fail(m_code, m_error); }

private:
    Result(Failure code, std::string error) : m_code(code), m_error(std::move(error)) {
        assert(code != Failure::None && (code == Failure::Cancelled || !m_error.empty()));
    }

    std::optional<T> m_value;
    Failure m_code = Failure::Failed;
    std::string m_error;
};

} // namespace vardo
