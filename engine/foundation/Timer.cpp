#include "orvex/foundation/Timer.h"

#include "orvex/platform/Clock.h"

#include <cstdint>

namespace {

struct TimerState {
    bool initialised = false;
    bool counterAvailable = false;
    std::int64_t frequency = 0;
    // Counter clock, in ticks. A stop time of zero means running.
    std::int64_t counterStart = 0;
    std::int64_t counterStop = 0;
    std::int64_t counterLast = 0;
    // Millisecond clock, in seconds.
    double secondsStart = 0.0;
    double secondsStop = 0.0;
    double secondsLast = 0.0;
};

TimerState state;
const ClockSource* clockSource = nullptr;

bool ReadsLiveClock(TimerCommand command)
{
    return command == TimerStart || command == TimerAbsolute;
}

double CounterTimer(TimerCommand command)
{
    const std::int64_t now =
        (state.counterStop != 0 && !ReadsLiveClock(command)) ? state.counterStop : clockSource->queryCounter();
    const double frequency = static_cast<double>(state.frequency);

    switch (command) {
    case TimerSinceLast: {
        const double elapsed = static_cast<double>(now - state.counterLast) / frequency;
        state.counterLast = now;
        return elapsed;
    }
    case TimerSinceStart:
        return static_cast<double>(now - state.counterStart) / frequency;
    case TimerReset:
        state.counterStart = now;
        state.counterLast = now;
        return 0.0;
    case TimerStart:
        state.counterStart += now - state.counterStop;
        state.counterStop = 0;
        state.counterLast = now;
        return 0.0;
    case TimerStop:
        state.counterStop = now;
        state.counterLast = now;
        return 0.0;
    case TimerAdvance:
        state.counterStop += state.frequency / 10;
        return 0.0;
    case TimerAbsolute:
        return static_cast<double>(now) / frequency;
    }
    return -1.0;
}

double MillisecondTimer(TimerCommand command)
{
    const double now = (state.secondsStop != 0.0 && !ReadsLiveClock(command))
                           ? state.secondsStop
                           : static_cast<double>(clockSource->milliseconds()) * 0.001;

    switch (command) {
    case TimerSinceLast: {
        const double elapsed = now - state.secondsLast;
        state.secondsLast = now;
        return elapsed;
    }
    case TimerSinceStart:
        return now - state.secondsStart;
    case TimerReset:
        state.secondsStart = now;
        state.secondsLast = now;
        return 0.0;
    case TimerStart:
        state.secondsStart += now - state.secondsStop;
        state.secondsStop = 0.0;
        state.secondsLast = now;
        return 0.0;
    case TimerStop:
        // Unlike the counter clock, stopping leaves the last-query time alone.
        state.secondsStop = now;
        return 0.0;
    case TimerAdvance:
        state.secondsStop += 0.1;
        return 0.0;
    case TimerAbsolute:
        return now;
    }
    return -1.0;
}

} // namespace

float Timer(TimerCommand command)
{
    if (!state.initialised) {
        state.initialised = true;
        if (clockSource == nullptr)
            clockSource = &SystemClock();
        std::int64_t frequency = 0;
        if (clockSource->queryFrequency(&frequency) && frequency > 0) {
            state.counterAvailable = true;
            state.frequency = frequency;
        }
    }
    if (command < TimerReset || command > TimerSinceLast)
        return -1.0f;
    const double seconds = state.counterAvailable ? CounterTimer(command) : MillisecondTimer(command);
    return static_cast<float>(seconds);
}

void ResetTimerForClock(const ClockSource* source)
{
    state = TimerState{};
    clockSource = source;
}
