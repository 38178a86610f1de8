// The viewer's messages and the queue they arrive through. The window system's events are
// translated into these few messages; everything the viewer does not handle arrives as
// MessageOther and is left to the window system.
#pragma once

#include <cstdint>

enum ViewerMessageKind {
    MessageOther = 0,
    MessageActivateApp = 1, // param: non-zero when the program became the active one
    MessageKeyDown = 2,     // param: the key code (kKeyEscape for Escape)
    MessageClose = 3,       // the window is asked to close
    MessageQuit = 4,        // ends the message loop; param: the exit code
};

struct ViewerMessage {
    ViewerMessageKind kind = MessageOther;
    std::int32_t param = 0;
};

inline constexpr std::int32_t kKeyEscape = 0x1B;

class MessageQueue {
public:
    virtual ~MessageQueue() = default;

    // True when a message waits; never blocks and removes nothing.
    virtual bool Peek() = 0;
    // Removes and returns the next message, waiting for one if none is there.
    virtual ViewerMessage Get() = 0;
    // Blocks until a message waits, without removing it.
    virtual void Wait() = 0;
    virtual void PostClose() = 0;
    virtual void PostQuit(std::int32_t exitCode) = 0;
};
