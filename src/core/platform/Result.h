#pragma once

#include <optional>
#include <string>
#include <utility>

namespace vardo {

/// Outcome of an operation that can fail. On failure it carries a message in Polish or English that can
/// be shown to the user as it stands. Never throws.
class [[nodiscard]] Status {
public:
    static Status Ok() { return Status(); }
    static Status Fail(std::string message) { return Status(std::move(message)); }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const std::string& message() const { return m_message; }

private:
    Status() = default;
    explicit Status(std::string message) : m_failed(true), m_message(std::move(message)) {}

    bool m_failed = false;
    std::string m_message;
};

/// A value or a failure message. Access value() only after checking ok().
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {} // NOLINT(google-explicit-constructor): natural return syntax
    static Result Fail(std::string message) { return Result(std::nullopt, std::move(message)); }
    static Result Fail(const Status& status) { return Result(std::nullopt, status.message()); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    T& value() & { return *m_value; }
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    T value_or(T fallback) const { return m_value ? *m_value : std::move(fallback); }
    const std::string& error() const { return m_error; }
    Status status() const { return ok() ? Status::Ok() : Status::Fail(m_error); }

private:
    Result(std::nullopt_t, std::string error) : m_error(std::move(error)) {}

    std::optional<T> m_value;
    std::string m_error;
};

} // namespace vardo
