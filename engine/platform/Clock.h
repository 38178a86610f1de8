/// @file
/// The clock sources the frame timer reads: a high-resolution counter with its frequency,
/// and a millisecond clock used when no counter answers.
#pragma once

#include <cstdint>

/// A clock the frame timer can read, as three functions.
struct ClockSource {
    /// Ticks per second into *frequency; false when no high-resolution counter exists.
    bool (*queryFrequency)(std::int64_t* frequency);
    /// The counter's current value in ticks.
    std::int64_t (*queryCounter)();
    /// Milliseconds on a monotonic clock; wraps like a 32-bit millisecond count.
    std::uint32_t (*milliseconds)();
};

/// The monotonic system clock (std::chrono::steady_clock) as counter and millisecond clock.
const ClockSource& SystemClock();
