#pragma once
// The info panel: one read-only, multi-line text box (control 1009) that nothing writes into.
#include "framework/Dialog.h"

class InfoDialogBar : public fw::Dialog {
    Q_OBJECT
public:
    explicit InfoDialogBar(QWidget* parent = nullptr);
};
