// A modal message with a caption and an OK button.
#pragma once

class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void Show(const char* caption, const char* text) = 0;
};

// Writes "caption: text" as one line on stderr; for programs without a display.
MessageBox& StderrMessageBox();
