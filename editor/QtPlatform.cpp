#include "QtPlatform.h"

#include "QtGlBinding.h"
#include "UserMessage.h"
#include "orvex/platform/Platform.h"

namespace {

class QtMessageBox final : public MessageBox {
public:
    void Show(const char* caption, const char* text) override
    {
        ShowUserMessage(QString::fromUtf8(caption != nullptr ? caption : ""),
                        QString::fromUtf8(text != nullptr ? text : ""));
    }
};

} // namespace

void InstallQtPlatform()
{
    static QtGlBinding binding;
    static QtMessageBox messages;
    const Platform& current = GetPlatform();
    if (current.binding == &binding && current.messages == &messages)
        return;
    Platform services{};
    services.binding = &binding;
    services.messages = &messages;
    SetPlatform(services);
}
