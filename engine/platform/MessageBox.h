/// @file
/// A modal message with a caption and an OK button.
#pragma once

/// Shows a message to the user, implemented by a backend (StderrMessageBox without a display).
class MessageBox {
public:
    virtual ~MessageBox() = default;
    /// Shows `text` under `caption` and returns once it was seen (at once where nobody can answer).
    virtual void Show(const char* caption, const char* text) = 0;
};

/// Writes "caption: text" as one line on stderr; for programs without a display.
MessageBox& StderrMessageBox();
