#include "orvex/platform/Clock.h"

#include <chrono>

namespace {

using SteadyClock = std::chrono::steady_clock;

bool SteadyFrequency(std::int64_t* frequency)
{
    *frequency = static_cast<std::int64_t>(SteadyClock::period::den / SteadyClock::period::num);
    return *frequency > 0;
}

std::int64_t SteadyCounter()
{
    return static_cast<std::int64_t>(SteadyClock::now().time_since_epoch().count());
}

std::uint32_t SteadyMilliseconds()
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now().time_since_epoch());
    return static_cast<std::uint32_t>(elapsed.count());
}

} // namespace

const ClockSource& SystemClock()
{
    static const ClockSource source{SteadyFrequency, SteadyCounter, SteadyMilliseconds};
    return source;
}
