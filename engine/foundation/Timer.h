/// @file
/// The engine's one clock: a free function with program-wide state, answering in seconds.
#pragma once

struct ClockSource;

/// What a call of Timer does and answers.
enum TimerCommand {
    TimerReset = 0,    ///< start and last-query become now
    TimerStart = 1,    ///< starts, or resumes without counting the stopped interval
    TimerStop = 2,     ///< freezes the clock at now
    TimerAdvance = 3,  ///< moves a stopped clock forward by a tenth of a second
    TimerAbsolute = 4, ///< the live clock's reading, even while stopped
    /// Seconds since the clock started (while stopped, until it stopped).
    TimerSinceStart = 5,
    TimerSinceLast = 6, ///< and last-query becomes now
};

/// Computed in double precision, handed back as float. An unknown command gives -1.
float Timer(TimerCommand command);

/// Chooses the clock the next first call will pick its source from, and forgets all
/// state as at program start. For tests; the programs use the system clock.
void ResetTimerForClock(const ClockSource* source);
