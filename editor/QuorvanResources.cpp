#include "Resource.h"

#include "QuorvanIcon.h"
#include "ToolBarImages.h"
#include "framework/CommandIds.h"
#include "framework/Keys.h"
#include "framework/Resources.h"

using namespace fw;

namespace {

void AddStrings(ResourceTable& table)
{
    table.AddString(IDR_MAINFRAME, "Quorvan\n\nnoname\nMesh Files (*.mes)\n.mes\nQuorvan.Document\nMesh Document");
    table.AddString(IDS_APP_TITLE, "Quorvan");
    table.AddString(IDS_IDLEMESSAGE, "Ready");
    table.AddString(ID_INDICATOR_EXT, "EXT");
    table.AddString(ID_INDICATOR_CAPS, "CAP");
    table.AddString(ID_INDICATOR_NUM, "NUM");
    table.AddString(ID_INDICATOR_SCRL, "SCRL");
    table.AddString(ID_INDICATOR_OVR, "OVR");
    table.AddString(ID_INDICATOR_REC, "REC");

    // Command prompts: status-bar text, then "\n", then the tooltip.
    table.AddString(ID_FILE_NEW, "Create a new document\nNew");
    table.AddString(ID_FILE_OPEN, "Open an existing document\nOpen");
    table.AddString(ID_FILE_SAVE, "Save the active document\nSave");
    table.AddString(ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As");
    for (uint32_t id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_LAST; ++id) {
        table.AddString(id, "Open this document");
    }
    table.AddString(ID_APP_EXIT, "Quit the application; prompts to save documents\nExit");
    table.AddString(ID_EDIT_UNDO, "Undo the last action\nUndo");
    table.AddString(ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut");
    table.AddString(ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy");
    table.AddString(ID_EDIT_PASTE, "Insert Clipboard contents\nPaste");
    table.AddString(ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar");
    table.AddString(ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar");
    table.AddString(ID_VIEW_FITSCENE, "Place the camera so that the whole scene is in view\nFit Scene");
    table.AddString(ID_APP_ABOUT, "Display program information, version number and copyright\nAbout");
    table.AddString(ID_VIEW_LARGEICON, "Display items by using large icons.\nLarge Icons");
    table.AddString(ID_VIEW_SMALLICON, "Display items by using small icons.\nSmall Icons");
    table.AddString(ID_VIEW_LIST, "Displays items in a list.\nList");
    table.AddString(ID_VIEW_DETAILS, "Displays detailed information about each item in the window.\nDetails");
    table.AddString(ID_NEXT_PANE, "Switch to the next window pane\nNext Pane");
    table.AddString(ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane");
}

void AddMenu(ResourceTable& table)
{
    using Item = MenuItem;
    MenuResource menu;
    menu.popups = {
        Item::Popup("&File",
                    {
                        Item::Command(ID_FILE_NEW, "&New\tCtrl+N"),
                        Item::Command(ID_FILE_OPEN, "&Open...\tCtrl+O"),
                        Item::Command(ID_FILE_SAVE, "&Save\tCtrl+S"),
                        Item::Command(ID_FILE_SAVE_AS, "Save &As..."),
                        Item::Separator(),
                        Item::Command(ID_FILE_MRU_FILE1, "Recent File", true),
                        Item::Separator(),
                        Item::Command(ID_APP_EXIT, "E&xit"),
                    }),
        Item::Popup("&Edit",
                    {
                        Item::Command(ID_EDIT_UNDO, "&Undo\tCtrl+Z"),
                        Item::Separator(),
                        Item::Command(ID_EDIT_CUT, "Cu&t\tCtrl+X"),
                        Item::Command(ID_EDIT_COPY, "&Copy\tCtrl+C"),
                        Item::Command(ID_EDIT_PASTE, "&Paste\tCtrl+V"),
                    }),
        Item::Popup("&Tools",
                    {
                        Item::Command(ID_TOOLS_MATERIALEDITOR, "Material Editor"),
                    }),
        Item::Popup("&View",
                    {
                        Item::Command(ID_VIEW_TOOLBAR, "&Toolbar"),
                        Item::Command(ID_VIEW_STATUS_BAR, "&Status Bar"),
                        Item::Separator(),
                        Item::Command(ID_VIEW_LEFTDIALOGBAR, "Left Dialogbar"),
                        Item::Command(ID_VIEW_INFODIALOGBAR, "Info Dialogbar"),
                        Item::Separator(),
                        Item::Command(ID_VIEW_FITSCENE, "Fit Scene"),
                    }),
        Item::Popup("&Help",
                    {
                        Item::Command(ID_APP_ABOUT, "&About Quorvan..."),
                    }),
    };
    table.AddMenu(IDR_MAINFRAME, std::move(menu));
}

void AddToolBar(ResourceTable& table)
{
    ToolBarResource toolBar;
    toolBar.buttonSize = Size{16, 15};
    toolBar.buttons = {ID_FILE_NEW,
                       ID_FILE_OPEN,
                       ID_FILE_SAVE,
                       0,
                       ID_EDIT_CUT,
                       ID_EDIT_COPY,
                       ID_EDIT_PASTE,
                       0,
                       ID_FILE_PRINT,
                       0,
                       ID_VIEW_LARGEICON,
                       ID_VIEW_SMALLICON,
                       ID_VIEW_LIST,
                       ID_VIEW_DETAILS,
                       0,
                       ID_APP_ABOUT};
    toolBar.images = [] { return MainToolBarImages(); };
    toolBar.themeNames = MainToolBarThemeNames();
    table.AddToolBar(IDR_MAINFRAME, std::move(toolBar));
}

void AddAccelerators(ResourceTable& table)
{
    // clang-format off
    table.AddAccelerators(IDR_MAINFRAME, {
        {'N', KeyMod::Control, ID_FILE_NEW},
        {'O', KeyMod::Control, ID_FILE_OPEN},
        {'S', KeyMod::Control, ID_FILE_SAVE},
        {'Z', KeyMod::Control, ID_EDIT_UNDO},
        {Key::Back, KeyMod::Alt, ID_EDIT_UNDO},
        {'X', KeyMod::Control, ID_EDIT_CUT},
        {Key::Delete, KeyMod::Shift, ID_EDIT_CUT},
        {'C', KeyMod::Control, ID_EDIT_COPY},
        {Key::Insert, KeyMod::Control, ID_EDIT_COPY},
        {'V', KeyMod::Control, ID_EDIT_PASTE},
        {Key::Insert, KeyMod::Shift, ID_EDIT_PASTE},
        {Key::F6, 0, ID_NEXT_PANE},
        {Key::F6, KeyMod::Shift, ID_PREV_PANE},
    });
    // clang-format on
}

void AddDialogs(ResourceTable& table)
{
    using namespace CtlStyle;
    DialogTemplate about;
    about.caption = "About Quorvan";
    about.size = Size{235, 55};
    about.fontFamily = "MS Sans Serif";
    about.fontPoints = 8;
    about.style = DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu | DlgStyle::ModalFrame;
    about.controls = {
        {-1, ControlClass::Icon, std::string(), Rect::FromSize(11, 17, 20, 20), 0, IDR_MAINFRAME},
        {-1, ControlClass::Text, "Quorvan Version 1.0", Rect::FromSize(40, 10, 119, 8), NoPrefix, 0},
        {IdOk, ControlClass::DefPushButton, "OK", Rect::FromSize(178, 7, 50, 14), TabStop, 0},
    };
    table.AddDialog(IDD_ABOUTBOX, std::move(about));

    DialogTemplate left;
    left.size = Size{129, 254};
    left.fontFamily = "Microsoft Sans Serif";
    left.fontPoints = 9;
    left.style = DlgStyle::Child;
    left.controls = {
        {IDC_PAGETABS, ControlClass::TabControl, "Tab1", Rect::FromSize(5, 224, 119, 25),
         TabsBottom | HotTrack | RaggedRight | ToolTips, 0},
        {IDC_NODETREE, ControlClass::TreeView, "Tree2", Rect::FromSize(5, 54, 119, 22),
         HasButtons | HasLines | Border | TabStop, 0},
        {IDC_KEYFRAMELIST, ControlClass::ListView, "List1", Rect::FromSize(5, 87, 119, 41),
         Report | SingleSel | EditLabels | Border | TabStop, 0},
        {IDC_MESHLIST, ControlClass::ListView, "List2", Rect::FromSize(5, 5, 119, 39),
         Report | EditLabels | Border | TabStop, 0},
    };
    table.AddDialog(IDD_LEFTDIALOGBAR, std::move(left));

    DialogTemplate material;
    material.caption = "Material Editor Dialog...";
    material.size = Size{259, 215};
    material.fontFamily = "Microsoft Sans Serif";
    material.fontPoints = 8;
    material.style = DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu | DlgStyle::ModalFrame;
    material.controls = {
        {IDC_MATERIALTREE, ControlClass::TreeView, "Tree1", Rect::FromSize(5, 5, 145, 205),
         HasButtons | HasLines | EditLabels | DisableDragDrop | FullRowSelect | Border | TabStop, 0},
        {-1, ControlClass::BlackFrame, std::string(), Rect::FromSize(154, 5, 100, 100), 0, 0},
        {-1, ControlClass::GroupBox, "Information", Rect::FromSize(155, 111, 99, 75), 0, 0},
        {IdOk, ControlClass::DefPushButton, "OK", Rect::FromSize(209, 194, 45, 16), TabStop, 0},
    };
    table.AddDialog(IDD_MATERIALEDITOR, std::move(material));

    DialogTemplate info;
    info.size = Size{439, 80};
    info.fontFamily = "MS Sans Serif";
    info.fontPoints = 8;
    info.style = DlgStyle::Child;
    info.controls = {
        {IDC_INFOTEXT, ControlClass::Edit, std::string(), Rect::FromSize(7, 7, 425, 66),
         Border | TabStop | Multiline | ReadOnly | AutoHScroll, 0},
    };
    table.AddDialog(IDD_INFODIALOGBAR, std::move(info));
}

} // namespace

void RegisterQuorvanResources()
{
    ResourceTable& table = ResourceTable::Instance();
    AddStrings(table);
    AddMenu(table);
    AddToolBar(table);
    AddAccelerators(table);
    AddDialogs(table);
    table.AddIcon(IDR_MAINFRAME, DrawQuorvanIcon);
    table.AddIcon(IDI_TREEITEM, DrawTreeItemImage);
}
