// The viewer's message queue on SDL's event queue. SDL events become viewer messages:
// focus of the main window -> activation, key presses -> key-down, a close request or
// SDL_QUIT (window manager, SIGINT/SIGTERM) -> close. Close and quit requests of the
// viewer itself travel as SDL user events so they queue behind what is already waiting.
#pragma once

#include "MessageQueue.h"

#include <SDL.h>

class SdlMessageQueue final : public MessageQueue {
public:
    // Longest blocking wait before the queue lets SDL pump again.
    static constexpr int kWaitSliceMs = 100;

    // Needs SDL video started (the user event types are registered here).
    SdlMessageQueue();

    bool Peek() override;
    ViewerMessage Get() override;
    void Wait() override;
    void PostClose() override;
    void PostQuit(std::int32_t exitCode) override;

    // The viewer message of an SDL event.
    ViewerMessage Translate(const SDL_Event& event) const;

private:
    Uint32 closeEvent = 0;
    Uint32 quitEvent = 0;
};
