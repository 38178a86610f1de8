#include "orvex/web/WebPlatform.h"

#include "orvex/web/WebLibraries.h"

#include <emscripten/emscripten.h>

namespace {
EM_JS(void, OrvexShowMessage, (const char* caption, const char* text), {
    var line = UTF8ToString(caption) + ': ' + UTF8ToString(text);
    if (Module.onMessage)
        Module.onMessage(line);
    else
        console.error(line);
});
} // namespace

void WebMessageBox::Show(const char* caption, const char* text)
{
    OrvexShowMessage(caption ? caption : "", text ? text : "");
}

WebPlatform::~WebPlatform()
{
    Unregister();
}

void WebPlatform::Register()
{
    SetPlatform(Platform{&WebGlLibraries(), &messages, nullptr, &binding, &SystemText()});
}

void WebPlatform::Unregister()
{
    if (GetPlatform().binding == &binding)
        SetPlatform(Platform{});
}

LibraryLoader& SystemLibraries()
{
    return WebGlLibraries();
}
