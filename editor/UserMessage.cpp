#include "UserMessage.h"

#include "framework/Application.h"
#include "framework/FrameWnd.h"

#include <QMessageBox>

namespace {

UserMessageHandler& Handler()
{
    static UserMessageHandler handler;
    return handler;
}

} // namespace

void ShowUserMessage(const QString& caption, const QString& text)
{
    if (Handler()) {
        Handler()(caption, text);
        return;
    }
    // Over the main window once it is on screen; during start-up it is not yet.
    fw::Application* app = fw::Application::Instance();
    fw::FrameWnd* frame = app != nullptr ? app->GetMainWnd() : nullptr;
    QMessageBox::warning(frame != nullptr && frame->isVisible() ? frame : nullptr, caption, text);
}

UserMessageHandler SetUserMessageHandler(UserMessageHandler handler)
{
    UserMessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
