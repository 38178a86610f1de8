#pragma once
// Messages for the person at the editor: a modal warning box over the main window, or,
// when a handler is set (tests, scripted runs), that handler instead, which must not block.
#include <QString>

#include <functional>

using UserMessageHandler = std::function<void(const QString& caption, const QString& text)>;

void ShowUserMessage(const QString& caption, const QString& text);
// Sends messages to handler from now on and returns the previous one; an empty handler
// brings the message box back.
UserMessageHandler SetUserMessageHandler(UserMessageHandler handler);
