#include "UserMessage.h"

#include "framework/Application.h"
#include "framework/FrameWnd.h"
#include "framework/System.h"

namespace {

UserMessageHandler& Handler()
{
    static UserMessageHandler handler;
    return handler;
}

} // namespace

void ShowUserMessage(const std::string& caption, const std::string& text)
{
    if (Handler()) {
        Handler()(caption, text);
        return;
    }
    // Over the main window once it is on screen; during start-up it is not yet.
    fw::Application* app = fw::Application::Instance();
    fw::FrameWnd* frame = app != nullptr ? app->GetMainWnd() : nullptr;
    fw::ShowMessage(frame != nullptr && frame->IsWindowVisible() ? frame : nullptr, text, caption,
                    fw::MsgBox::Ok | fw::MsgBox::IconWarning);
}

UserMessageHandler SetUserMessageHandler(UserMessageHandler handler)
{
    UserMessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
