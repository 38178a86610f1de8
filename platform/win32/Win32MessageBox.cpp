#include "orvex/win32/Win32MessageBox.h"

#include "orvex/win32/Win32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool MessageBoxesSuppressed()
{
    const char* value = std::getenv("ORVEX_NO_MESSAGE_BOX");
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
}

void Win32MessageBox::Show(const char* caption, const char* text)
{
    if (caption == nullptr)
        caption = "";
    if (text == nullptr)
        text = "";
    if (MessageBoxesSuppressed()) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
        std::fflush(stderr);
        return;
    }
    MessageBoxA(nullptr, text, caption, MB_OK);
}
