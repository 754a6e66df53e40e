#include "core/platform/Clock.h"

#include <ctime>

namespace vardo {
namespace {

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace

DateTime SystemClock::Now() const {
    const std::tm local = LocalNow();
    return DateTime{{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min, local.tm_sec};
}

DateTime FixedClock::Now() const {
    if (m_fixedTime)
        return DateTime{m_today, m_hour, m_minute, m_second};
    const std::tm local = LocalNow();
    return DateTime{m_today, local.tm_hour, local.tm_min, local.tm_sec};
}

} // namespace vardo
