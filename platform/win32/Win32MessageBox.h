// Messages on Windows: MessageBoxA, unless ORVEX_NO_MESSAGE_BOX is set in the environment
// (to anything but "" or "0"); then the message goes to stderr as one line, so that a
// program run by a test or a script never waits for a click.
#pragma once

#include "orvex/platform/MessageBox.h"

// Whether ORVEX_NO_MESSAGE_BOX asks for no boxes.
bool MessageBoxesSuppressed();

class Win32MessageBox final : public MessageBox {
public:
    // A modal box without an owner, with an OK button; "caption: text" on stderr instead
    // when boxes are suppressed.
    void Show(const char* caption, const char* text) override;
};
