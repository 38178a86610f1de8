#pragma once
// Toggle state of the lock keys, for the status bar's CAP, NUM and SCRL indicators.

namespace fw {

struct KeyLockState {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// Read from the keyboard LEDs of the X server; all off on platforms that do not say.
KeyLockState QueryKeyLocks();

} // namespace fw
