#include "QtPlatform.h"

#include "QtGlBinding.h"
#include "UserMessage.h"
#include "platform/Platform.h"
#include "render/GlDriver.h"

#include <dlfcn.h>

namespace {

class QtMessageBox final : public MessageBox {
public:
    void Show(const char* caption, const char* text) override {
        ShowUserMessage(QString::fromUtf8(caption != nullptr ? caption : ""), QString::fromUtf8(text != nullptr ? text : ""));
    }
};

}  // namespace

void InstallQtPlatform() {
    // A view's device unloads the GL library when the view goes, and a new view loads it again.
    // One reference held for the process keeps the library (and the driver it brought in)
    // mapped in between, as Qt's own GL is: unmapping Mesa mid-run is not something it is
    // made for, and it hides its allocations from leak reports.
    static void* const residentGl = dlopen(kSystemGlLibrary, RTLD_NOW | RTLD_LOCAL);
    (void)residentGl;
    static QtGlBinding binding;
    static QtMessageBox messages;
    const Platform& current = GetPlatform();
    if (current.binding == &binding && current.messages == &messages) return;
    Platform services{};
    services.binding = &binding;
    services.messages = &messages;
    SetPlatform(services);
}
