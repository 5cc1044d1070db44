#pragma once

#include <chrono>
#include <cstdint>

namespace tickora::runtime::ticks {

using std::chrono::nanoseconds;

// A repeating timer is anchored once, when it is enabled: tick n (counted from
// 1) falls due at anchor + n x period, however late the previous ones were
// delivered. Re-arming from the moment of delivery instead would add every
// delay to all later ticks, and a program that counts ticks would drift.
constexpr nanoseconds DueTime(nanoseconds anchor, nanoseconds period, std::int64_t tick)
{
    return anchor + period * tick;
}

// How many ticks have fallen due by `now`.
constexpr std::int64_t TicksDue(nanoseconds anchor, nanoseconds period, nanoseconds now)
{
    if (period <= nanoseconds::zero() || now < anchor)
        return 0;
    return (now - anchor) / period;
}

// Whole milliseconds to wait from `now` until `due`, rounded up so that a
// wake-up never comes before the tick is due.
constexpr std::int64_t MillisecondsUntil(nanoseconds now, nanoseconds due)
{
    if (due <= now)
        return 0;
    const auto wait = due - now;
    constexpr nanoseconds oneMs = std::chrono::milliseconds(1);
    return (wait + oneMs - nanoseconds(1)) / oneMs;
}

} // namespace tickora::runtime::ticks
