// The viewer's window: the program-wide window handle and active flag, and the handler of
// the messages that reach the window.
#pragma once

#include "MessageQueue.h"

#include "orvex/platform/Window.h"

#include <cstdint>

// The viewer's only window; null while there is none.
extern WindowHandle mainWindow;
// Non-zero while the viewer is the active application; frames run only then.
extern std::int32_t appActive;

// Handles one message of the window and returns its result:
//   MessageActivateApp  active flag := param; 0.
//   MessageKeyDown      Escape posts a close request; every key is swallowed; 0.
//   MessageClose        the window goes away, which posts the quit message with code 0; 0.
//   anything else       left to the window system; 0.
std::int32_t WindowProcedure(const ViewerMessage& message, MessageQueue& queue);
