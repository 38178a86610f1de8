#include "EditorPlatform.h"

#include "UserMessage.h"
#include "framework/GlWindow.h"

void InstallEditorPlatform()
{
    fw::InstallEnginePlatform(
        [](const std::string& caption, const std::string& text) { ShowUserMessage(caption, text); });
}
