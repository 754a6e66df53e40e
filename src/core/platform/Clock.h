#pragma once

#include "core/platform/Date.h"

namespace vardo {

/// Source of the current local date and time. The program takes it from the system; tests and `--today`
/// pin it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
    Date Today() const { return Now().date; }
};

/// The system's local time.
class SystemClock final : public Clock {
public:
    DateTime Now() const override;
};

/// A clock fixed on one date; the time of day runs from the system clock unless given.
class FixedClock final : public Clock {
public:
    explicit FixedClock(Date today) : m_today(today) {}
    FixedClock(Date today, int hour, int minute, int second)
        : m_today(today), m_fixedTime(true), m_hour(hour), m_minute(minute), m_second(second) {}
    DateTime Now() const override;

private:
    Date m_today;
    bool m_fixedTime = false;
    int m_hour = 0;
    int m_minute = 0;
    int m_second = 0;
};

} // namespace vardo
