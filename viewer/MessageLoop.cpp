#include "MessageLoop.h"

#include "Application.h"
#include "FrameProfile.h"
#include "WindowProcedure.h"

std::int32_t RunMessageLoop(Application& application, MessageQueue& queue)
{
    for (;;) {
        if (queue.Peek()) {
            const ViewerMessage message = queue.Get();
            if (message.kind == MessageQuit)
                return message.param;
            WindowProcedure(message, queue);
        } else if (appActive != 0) {
            RunFrame(application);
        } else {
            // Inactive: sleep until something happens; no frames.
            queue.Wait();
        }
    }
}

void RunFrame(Application& application)
{
    {
        ProfileScope scope(ProfileUpdate);
        application.Update();
    }
    {
        ProfileScope scope(ProfileRender);
        application.Render();
    }
    {
        ProfileScope scope(ProfilePresent);
        application.Present();
    }
    frameProfile.FrameDone();
}
