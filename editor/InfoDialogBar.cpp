#include "InfoDialogBar.h"

#include "Resource.h"

InfoDialogBar::InfoDialogBar(fw::Wnd* parent) : fw::Dialog(IDD_INFODIALOGBAR, parent) {}
