#include "orvex/foundation/Timer.h"
#include "orvex/platform/Clock.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A clock the test moves by hand: a 1000-tick-per-second counter and a millisecond clock.
struct ManualClock {
    static inline bool hasCounter = true;
    static inline std::int64_t ticksPerSecond = 1000;
    static inline std::int64_t ticks = 0;
    static inline std::uint32_t millis = 0;

    static bool Frequency(std::int64_t* frequency)
    {
        *frequency = ticksPerSecond;
        return hasCounter;
    }
    static std::int64_t Counter() { return ticks; }
    static std::uint32_t Milliseconds() { return millis; }
    static void Advance(int milliseconds)
    {
        ticks += milliseconds;
        millis += static_cast<std::uint32_t>(milliseconds);
    }
};

const ClockSource manualClock{ManualClock::Frequency, ManualClock::Counter, ManualClock::Milliseconds};

// Both clock sources run every case; the names say which.
class TimerTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ManualClock::hasCounter = GetParam();
        ManualClock::ticks = 5000;
        ManualClock::millis = 5000;
        ResetTimerForClock(&manualClock);
    }
    void TearDown() override { ResetTimerForClock(nullptr); }
    bool counter() const { return GetParam(); }
};

TEST_P(TimerTest, UnknownCommandsGiveMinusOneAndChangeNothing)
{
    Timer(TimerStart);
    ManualClock::Advance(250);
    EXPECT_FLOAT_EQ(Timer(static_cast<TimerCommand>(7)), -1.0f);
    EXPECT_FLOAT_EQ(Timer(static_cast<TimerCommand>(-1)), -1.0f);
    EXPECT_FLOAT_EQ(Timer(TimerSinceLast), 0.25f);
}

TEST_P(TimerTest, RunningClockMeasuresSinceStartAndSinceLast)
{
    EXPECT_FLOAT_EQ(Timer(TimerStart), 0.0f);
    ManualClock::Advance(1500);
    EXPECT_FLOAT_EQ(Timer(TimerSinceStart), 1.5f);
    EXPECT_FLOAT_EQ(Timer(TimerSinceLast), 1.5f);
    ManualClock::Advance(20);
    EXPECT_FLOAT_EQ(Timer(TimerSinceLast), 0.02f);
    EXPECT_FLOAT_EQ(Timer(TimerAbsolute), 6.52f);
    EXPECT_FLOAT_EQ(Timer(TimerReset), 0.0f);
    ManualClock::Advance(100);
    EXPECT_FLOAT_EQ(Timer(TimerSinceStart), 0.1f);
}

TEST_P(TimerTest, StoppedClockFreezesAndResumesWithoutTheStoppedInterval)
{
    Timer(TimerStart);
    ManualClock::Advance(1000);
    Timer(TimerStop);
    ManualClock::Advance(3000);
    EXPECT_FLOAT_EQ(Timer(TimerSinceStart), 1.0f);
    EXPECT_FLOAT_EQ(Timer(TimerAbsolute), 9.0f) << "the absolute reading keeps running";
    Timer(TimerStart);
    ManualClock::Advance(500);
    EXPECT_FLOAT_EQ(Timer(TimerSinceStart), 1.5f);
}

TEST_P(TimerTest, SinceLastWhileStoppedDependsOnTheClock)
{
    Timer(TimerStart);
    ManualClock::Advance(200);
    Timer(TimerSinceLast);
    ManualClock::Advance(300);
    Timer(TimerStop);
    ManualClock::Advance(400);
    if (counter()) {
        // Stopping sets the last-query time too.
        EXPECT_FLOAT_EQ(Timer(TimerSinceLast), 0.0f);
    } else {
        // The first reading covers the previous query up to the stop.
        EXPECT_FLOAT_EQ(Timer(TimerSinceLast), 0.3f);
    }
    EXPECT_FLOAT_EQ(Timer(TimerSinceLast), 0.0f);
}

TEST_P(TimerTest, AdvanceMovesAStoppedClockByATenth)
{
    Timer(TimerStart);
    ManualClock::Advance(1000);
    Timer(TimerStop);
    Timer(TimerAdvance);
    Timer(TimerAdvance);
    EXPECT_FLOAT_EQ(Timer(TimerSinceStart), 1.2f);
}

TEST_P(TimerTest, AdvanceOnARunningClockStopsItATenthAfterZero)
{
    Timer(TimerReset);
    Timer(TimerAdvance);
    ManualClock::Advance(700);
    // Frozen at 0.1 s on the clock's own scale: start was at 5 s.
    EXPECT_FLOAT_EQ(Timer(TimerSinceStart), 0.1f - 5.0f);
    EXPECT_FLOAT_EQ(Timer(TimerAbsolute), 5.7f);
}

INSTANTIATE_TEST_SUITE_P(BothClocks, TimerTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Counter" : "Milliseconds";
                         });

// A counter that reports success but no ticks a second cannot measure anything: the
// millisecond clock is used instead.
TEST(Timer, CounterWithoutFrequencyFallsBackToMilliseconds)
{
    ManualClock::hasCounter = true;
    ManualClock::ticksPerSecond = 0;
    ResetTimerForClock(&manualClock);
    Timer(TimerStart);
    ManualClock::Advance(250);
    EXPECT_FLOAT_EQ(Timer(TimerSinceStart), 0.25f);
    ManualClock::ticksPerSecond = 1000;
    ResetTimerForClock(nullptr);
}

TEST(SystemTimer, RunsForwardOnTheMonotonicClock)
{
    ResetTimerForClock(nullptr);
    Timer(TimerStart);
    const float first = Timer(TimerAbsolute);
    const float second = Timer(TimerAbsolute);
    EXPECT_GE(second, first);
    EXPECT_GE(Timer(TimerSinceStart), 0.0f);
    ResetTimerForClock(nullptr);
}

} // namespace
