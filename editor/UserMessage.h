#pragma once
// Messages for the person at the editor: a modal warning box over the main window, or,
// when a handler is set (tests, scripted runs), that handler instead, which must not block.
#include <functional>
#include <string>

using UserMessageHandler = std::function<void(const std::string& caption, const std::string& text)>;

void ShowUserMessage(const std::string& caption, const std::string& text);
// Sends messages to handler from now on and returns the previous one; an empty handler
// brings the message box back.
UserMessageHandler SetUserMessageHandler(UserMessageHandler handler);
