#include "framework/win32/Win32ControlStyles.h"

namespace fw::win32 {

ControlKind KindOf(ControlClass cls)
{
    switch (cls) {
    case ControlClass::PushButton:
    case ControlClass::DefPushButton:
    case ControlClass::GroupBox:
        return {nullptr, 0x0080};
    case ControlClass::Edit:
        return {nullptr, 0x0081};
    case ControlClass::Text:
    case ControlClass::Icon:
    case ControlClass::BlackFrame:
        return {nullptr, 0x0082};
    case ControlClass::ListView:
        return {WC_LISTVIEWW, 0};
    case ControlClass::TreeView:
        return {WC_TREEVIEWW, 0};
    case ControlClass::TabControl:
        return {WC_TABCONTROLW, 0};
    }
    return {nullptr, 0x0082};
}

DWORD ControlWindowStyle(ControlClass cls, uint32_t style)
{
    DWORD ws = WS_CHILD | WS_VISIBLE;
    if (style & CtlStyle::TabStop)
        ws |= WS_TABSTOP;
    if (style & CtlStyle::Border)
        ws |= WS_BORDER;
    switch (cls) {
    case ControlClass::PushButton:
        return ws | BS_PUSHBUTTON;
    case ControlClass::DefPushButton:
        return ws | BS_DEFPUSHBUTTON;
    case ControlClass::GroupBox:
        return ws | BS_GROUPBOX;
    case ControlClass::Text:
        return ws | SS_LEFT | ((style & CtlStyle::NoPrefix) ? SS_NOPREFIX : 0);
    case ControlClass::Icon:
        return ws | SS_ICON;
    case ControlClass::BlackFrame:
        return ws | SS_BLACKFRAME;
    case ControlClass::Edit:
        return ws | ((style & CtlStyle::Multiline) ? ES_MULTILINE : 0) |
               ((style & CtlStyle::ReadOnly) ? ES_READONLY : 0) |
               ((style & CtlStyle::AutoHScroll) ? ES_AUTOHSCROLL : 0) |
               ((style & CtlStyle::AutoVScroll) ? ES_AUTOVSCROLL : 0);
    case ControlClass::ListView:
        return ws | ((style & CtlStyle::Report) ? LVS_REPORT : 0) |
               ((style & CtlStyle::SingleSel) ? LVS_SINGLESEL : 0) |
               ((style & CtlStyle::EditLabels) ? LVS_EDITLABELS : 0);
    case ControlClass::TreeView:
        return ws | ((style & CtlStyle::HasButtons) ? TVS_HASBUTTONS : 0) |
               ((style & CtlStyle::HasLines) ? TVS_HASLINES : 0) |
               ((style & CtlStyle::LinesAtRoot) ? TVS_LINESATROOT : 0) |
               ((style & CtlStyle::EditLabels) ? TVS_EDITLABELS : 0) |
               ((style & CtlStyle::DisableDragDrop) ? TVS_DISABLEDRAGDROP : 0) |
               ((style & CtlStyle::FullRowSelect) ? TVS_FULLROWSELECT : 0);
    case ControlClass::TabControl:
        return ws | ((style & CtlStyle::TabsBottom) ? TCS_BOTTOM : 0) |
               ((style & CtlStyle::HotTrack) ? TCS_HOTTRACK : 0) |
               ((style & CtlStyle::RaggedRight) ? TCS_RAGGEDRIGHT : 0) |
               ((style & CtlStyle::ToolTips) ? TCS_TOOLTIPS : 0);
    }
    return ws;
}

} // namespace fw::win32
