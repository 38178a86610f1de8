#pragma once
// The info panel: one read-only, multi-line text box (control 1009) that nothing writes into.
#include "framework/Dialog.h"

class InfoDialogBar : public fw::Dialog {
public:
    explicit InfoDialogBar(fw::Wnd* parent = nullptr);
};
