#include "WindowProcedure.h"

WindowHandle mainWindow = nullptr;
std::int32_t appActive = 0;

std::int32_t WindowProcedure(const ViewerMessage& message, MessageQueue& queue)
{
    switch (message.kind) {
    case MessageActivateApp:
        appActive = message.param;
        return 0;
    case MessageKeyDown:
        // Only Escape does something; no key goes on to the window system's own handling.
        if (message.param == kKeyEscape)
            queue.PostClose();
        return 0;
    case MessageClose:
        // Closing ends the program. The window itself stays until the application has shut
        // down: its GL context and its display mode are released through it.
        queue.PostQuit(0);
        return 0;
    case MessageQuit:
    case MessageOther:
        break;
    }
    return 0;
}
