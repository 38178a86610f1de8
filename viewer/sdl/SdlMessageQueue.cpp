#include "SdlMessageQueue.h"

#include "WindowProcedure.h"

SdlMessageQueue::SdlMessageQueue()
{
    const Uint32 first = SDL_RegisterEvents(2);
    if (first != static_cast<Uint32>(-1)) {
        closeEvent = first;
        quitEvent = first + 1;
    }
}

// With a null event SDL pumps the window system and reports without removing anything.
bool SdlMessageQueue::Peek()
{
    return SDL_PollEvent(nullptr) == 1;
}

ViewerMessage SdlMessageQueue::Get()
{
    SDL_Event event;
    // A queue that cannot be read any more cannot be run: end with a failure code.
    if (SDL_WaitEvent(&event) != 1)
        return {MessageQuit, 1};
    return Translate(event);
}

// SDL blocks on the window system's connection here. It holds back X11 focus changes for
// 200 ms and hands them out only on a later pump, which an endless wait would never do, so
// the wait wakes up every kWaitSliceMs to let the next Peek pump; no frame runs for that.
void SdlMessageQueue::Wait()
{
    SDL_WaitEventTimeout(nullptr, kWaitSliceMs);
}

void SdlMessageQueue::PostClose()
{
    SDL_Event event{};
    event.type = closeEvent;
    SDL_PushEvent(&event);
}

void SdlMessageQueue::PostQuit(std::int32_t exitCode)
{
    SDL_Event event{};
    event.type = quitEvent;
    event.user.code = exitCode;
    SDL_PushEvent(&event);
}

ViewerMessage SdlMessageQueue::Translate(const SDL_Event& event) const
{
    if (closeEvent != 0 && event.type == closeEvent)
        return {MessageClose, 0};
    if (quitEvent != 0 && event.type == quitEvent)
        return {MessageQuit, event.user.code};

    switch (event.type) {
    case SDL_QUIT:
        return {MessageClose, 0};
    case SDL_KEYDOWN:
        return {MessageKeyDown, static_cast<std::int32_t>(event.key.keysym.sym)};
    case SDL_WINDOWEVENT: {
        // Only the main window counts (the driver's probe makes short-lived hidden windows).
        if (mainWindow == nullptr || SDL_GetWindowFromID(event.window.windowID) != static_cast<SDL_Window*>(mainWindow))
            return {MessageOther, 0};
        switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            return {MessageActivateApp, 1};
        case SDL_WINDOWEVENT_FOCUS_LOST:
            return {MessageActivateApp, 0};
        case SDL_WINDOWEVENT_CLOSE:
            return {MessageClose, 0};
        default:
            return {MessageOther, 0};
        }
    }
    default:
        return {MessageOther, 0};
    }
}
