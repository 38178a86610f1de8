#include "InfoDialogBar.h"

#include "Resource.h"

InfoDialogBar::InfoDialogBar(QWidget* parent) : fw::Dialog(IDD_INFODIALOGBAR, parent) {}
