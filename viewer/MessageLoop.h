// The viewer's message loop: one message per pass; when the queue is empty, one frame if
// the program is active, else a blocking wait for the next message.
#pragma once

#include "MessageQueue.h"

#include <cstdint>

class Application;

// Runs until the quit message and returns its exit code.
std::int32_t RunMessageLoop(Application& application, MessageQueue& queue);

// One frame: Update, Render, Present, each timed when frame timing is on. The loop runs one
// whenever the queue is empty and the program active; a web page runs one per animation frame.
void RunFrame(Application& application);
