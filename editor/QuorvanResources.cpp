#include "Resource.h"

#include "QuorvanIcon.h"
#include "ToolBarImages.h"
#include "framework/CommandIds.h"
#include "framework/Resources.h"

#include <QApplication>
#include <QStyle>

using namespace fw;

namespace {

void AddStrings(ResourceTable& table)
{
    table.AddString(IDR_MAINFRAME,
                    QStringLiteral("Quorvan\n\nnoname\nMesh Files (*.mes)\n.mes\nQuorvan.Document\nMesh Document"));
    table.AddString(IDS_APP_TITLE, QStringLiteral("Quorvan"));
    table.AddString(IDS_IDLEMESSAGE, QStringLiteral("Ready"));
    table.AddString(ID_INDICATOR_EXT, QStringLiteral("EXT"));
    table.AddString(ID_INDICATOR_CAPS, QStringLiteral("CAP"));
    table.AddString(ID_INDICATOR_NUM, QStringLiteral("NUM"));
    table.AddString(ID_INDICATOR_SCRL, QStringLiteral("SCRL"));
    table.AddString(ID_INDICATOR_OVR, QStringLiteral("OVR"));
    table.AddString(ID_INDICATOR_REC, QStringLiteral("REC"));

    // Command prompts: status-bar text, then "\n", then the tooltip.
    table.AddString(ID_FILE_NEW, QStringLiteral("Create a new document\nNew"));
    table.AddString(ID_FILE_OPEN, QStringLiteral("Open an existing document\nOpen"));
    table.AddString(ID_FILE_SAVE, QStringLiteral("Save the active document\nSave"));
    table.AddString(ID_FILE_SAVE_AS, QStringLiteral("Save the active document with a new name\nSave As"));
    for (uint32_t id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_LAST; ++id) {
        table.AddString(id, QStringLiteral("Open this document"));
    }
    table.AddString(ID_APP_EXIT, QStringLiteral("Quit the application; prompts to save documents\nExit"));
    table.AddString(ID_EDIT_UNDO, QStringLiteral("Undo the last action\nUndo"));
    table.AddString(ID_EDIT_CUT, QStringLiteral("Cut the selection and put it on the Clipboard\nCut"));
    table.AddString(ID_EDIT_COPY, QStringLiteral("Copy the selection and put it on the Clipboard\nCopy"));
    table.AddString(ID_EDIT_PASTE, QStringLiteral("Insert Clipboard contents\nPaste"));
    table.AddString(ID_VIEW_TOOLBAR, QStringLiteral("Show or hide the toolbar\nToggle ToolBar"));
    table.AddString(ID_VIEW_STATUS_BAR, QStringLiteral("Show or hide the status bar\nToggle StatusBar"));
    table.AddString(ID_VIEW_FITSCENE, QStringLiteral("Place the camera so that the whole scene is in view\nFit Scene"));
    table.AddString(ID_APP_ABOUT, QStringLiteral("Display program information, version number and copyright\nAbout"));
    table.AddString(ID_VIEW_LARGEICON, QStringLiteral("Display items by using large icons.\nLarge Icons"));
    table.AddString(ID_VIEW_SMALLICON, QStringLiteral("Display items by using small icons.\nSmall Icons"));
    table.AddString(ID_VIEW_LIST, QStringLiteral("Displays items in a list.\nList"));
    table.AddString(ID_VIEW_DETAILS,
                    QStringLiteral("Displays detailed information about each item in the window.\nDetails"));
    table.AddString(ID_NEXT_PANE, QStringLiteral("Switch to the next window pane\nNext Pane"));
    table.AddString(ID_PREV_PANE, QStringLiteral("Switch back to the previous window pane\nPrevious Pane"));
}

void AddMenu(ResourceTable& table)
{
    using Item = MenuItem;
    MenuResource menu;
    menu.popups = {
        Item::Popup(QStringLiteral("&File"),
                    {
                        Item::Command(ID_FILE_NEW, QStringLiteral("&New\tCtrl+N")),
                        Item::Command(ID_FILE_OPEN, QStringLiteral("&Open...\tCtrl+O")),
                        Item::Command(ID_FILE_SAVE, QStringLiteral("&Save\tCtrl+S")),
                        Item::Command(ID_FILE_SAVE_AS, QStringLiteral("Save &As...")),
                        Item::Separator(),
                        Item::Command(ID_FILE_MRU_FILE1, QStringLiteral("Recent File"), true),
                        Item::Separator(),
                        Item::Command(ID_APP_EXIT, QStringLiteral("E&xit")),
                    }),
        Item::Popup(QStringLiteral("&Edit"),
                    {
                        Item::Command(ID_EDIT_UNDO, QStringLiteral("&Undo\tCtrl+Z")),
                        Item::Separator(),
                        Item::Command(ID_EDIT_CUT, QStringLiteral("Cu&t\tCtrl+X")),
                        Item::Command(ID_EDIT_COPY, QStringLiteral("&Copy\tCtrl+C")),
                        Item::Command(ID_EDIT_PASTE, QStringLiteral("&Paste\tCtrl+V")),
                    }),
        Item::Popup(QStringLiteral("&Tools"),
                    {
                        Item::Command(ID_TOOLS_MATERIALEDITOR, QStringLiteral("Material Editor")),
                    }),
        Item::Popup(QStringLiteral("&View"),
                    {
                        Item::Command(ID_VIEW_TOOLBAR, QStringLiteral("&Toolbar")),
                        Item::Command(ID_VIEW_STATUS_BAR, QStringLiteral("&Status Bar")),
                        Item::Separator(),
                        Item::Command(ID_VIEW_LEFTDIALOGBAR, QStringLiteral("Left Dialogbar")),
                        Item::Command(ID_VIEW_INFODIALOGBAR, QStringLiteral("Info Dialogbar")),
                        Item::Separator(),
                        Item::Command(ID_VIEW_FITSCENE, QStringLiteral("Fit Scene")),
                    }),
        Item::Popup(QStringLiteral("&Help"),
                    {
                        Item::Command(ID_APP_ABOUT, QStringLiteral("&About Quorvan...")),
                    }),
    };
    table.AddMenu(IDR_MAINFRAME, std::move(menu));
}

void AddToolBar(ResourceTable& table)
{
    ToolBarResource toolBar;
    toolBar.buttonSize = QSize(16, 15);
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
    table.AddToolBar(IDR_MAINFRAME, std::move(toolBar));
}

void AddAccelerators(ResourceTable& table)
{
    table.AddAccelerators(IDR_MAINFRAME, {
                                             {QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
                                             {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
                                             {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
                                             {QKeySequence(Qt::CTRL | Qt::Key_Z), ID_EDIT_UNDO},
                                             {QKeySequence(Qt::ALT | Qt::Key_Backspace), ID_EDIT_UNDO},
                                             {QKeySequence(Qt::CTRL | Qt::Key_X), ID_EDIT_CUT},
                                             {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},
                                             {QKeySequence(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY},
                                             {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
                                             {QKeySequence(Qt::CTRL | Qt::Key_V), ID_EDIT_PASTE},
                                             {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE},
                                             {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
                                             {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE},
                                         });
}

void AddDialogs(ResourceTable& table)
{
    using namespace CtlStyle;
    DialogTemplate about;
    about.caption = QStringLiteral("About Quorvan");
    about.size = QSize(235, 55);
    about.fontFamily = QStringLiteral("MS Sans Serif");
    about.fontPoints = 8;
    about.style = DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu | DlgStyle::ModalFrame;
    about.controls = {
        {-1, ControlClass::Icon, QString(), QRect(11, 17, 20, 20), 0, IDR_MAINFRAME},
        {-1, ControlClass::Text, QStringLiteral("Quorvan Version 1.0"), QRect(40, 10, 119, 8), NoPrefix, 0},
        {IDOK, ControlClass::DefPushButton, QStringLiteral("OK"), QRect(178, 7, 50, 14), TabStop, 0},
    };
    table.AddDialog(IDD_ABOUTBOX, std::move(about));

    DialogTemplate left;
    left.size = QSize(129, 254);
    left.fontFamily = QStringLiteral("Microsoft Sans Serif");
    left.fontPoints = 9;
    left.style = DlgStyle::Child;
    left.controls = {
        {IDC_PAGETABS, ControlClass::TabControl, QStringLiteral("Tab1"), QRect(5, 224, 119, 25),
         TabsBottom | HotTrack | RaggedRight | ToolTips, 0},
        {IDC_NODETREE, ControlClass::TreeView, QStringLiteral("Tree2"), QRect(5, 54, 119, 22),
         HasButtons | HasLines | Border | TabStop, 0},
        {IDC_KEYFRAMELIST, ControlClass::ListView, QStringLiteral("List1"), QRect(5, 87, 119, 41),
         Report | SingleSel | EditLabels | Border | TabStop, 0},
        {IDC_MESHLIST, ControlClass::ListView, QStringLiteral("List2"), QRect(5, 5, 119, 39),
         Report | EditLabels | Border | TabStop, 0},
    };
    table.AddDialog(IDD_LEFTDIALOGBAR, std::move(left));

    DialogTemplate material;
    material.caption = QStringLiteral("Material Editor Dialog...");
    material.size = QSize(259, 215);
    material.fontFamily = QStringLiteral("Microsoft Sans Serif");
    material.fontPoints = 8;
    material.style = DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu | DlgStyle::ModalFrame;
    material.controls = {
        {IDC_MATERIALTREE, ControlClass::TreeView, QStringLiteral("Tree1"), QRect(5, 5, 145, 205),
         HasButtons | HasLines | EditLabels | DisableDragDrop | FullRowSelect | Border | TabStop, 0},
        {-1, ControlClass::BlackFrame, QString(), QRect(154, 5, 100, 100), 0, 0},
        {-1, ControlClass::GroupBox, QStringLiteral("Information"), QRect(155, 111, 99, 75), 0, 0},
        {IDOK, ControlClass::DefPushButton, QStringLiteral("OK"), QRect(209, 194, 45, 16), TabStop, 0},
    };
    table.AddDialog(IDD_MATERIALEDITOR, std::move(material));

    DialogTemplate info;
    info.size = QSize(439, 80);
    info.fontFamily = QStringLiteral("MS Sans Serif");
    info.fontPoints = 8;
    info.style = DlgStyle::Child;
    info.controls = {
        {IDC_INFOTEXT, ControlClass::Edit, QString(), QRect(7, 7, 425, 66),
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
    table.AddIcon(IDR_MAINFRAME, [] { return QuorvanIcon(); });
    table.AddIcon(IDI_TREEITEM, [] { return QApplication::style()->standardIcon(QStyle::SP_FileIcon); });
}
