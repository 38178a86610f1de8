#include "orvex/platform/Platform.h"

#include <cstdio>

namespace {

Platform registered;

class StderrBox final : public MessageBox {
public:
    void Show(const char* caption, const char* text) override
    {
        std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    }
};

} // namespace

void SetPlatform(const Platform& platform)
{
    registered = platform;
}
const Platform& GetPlatform()
{
    return registered;
}

LibraryLoader& PlatformLibraries()
{
    return registered.libraries ? *registered.libraries : SystemLibraries();
}
MessageBox& PlatformMessages()
{
    return registered.messages ? *registered.messages : StderrMessageBox();
}
TextRasterizer& PlatformText()
{
    return registered.text ? *registered.text : SystemText();
}
DisplayModes* PlatformDisplay()
{
    return registered.display;
}
GlBinding* PlatformBinding()
{
    return registered.binding;
}

MessageBox& StderrMessageBox()
{
    static StderrBox box;
    return box;
}
