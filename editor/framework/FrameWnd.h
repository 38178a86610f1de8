#pragma once
// Frame window: menu bar and accelerators from resources, one action per command id, control
// bars found by control id, docking at any edge, the status bar's message pane, and the command
// route view -> document -> frame -> application.
#include "framework/Command.h"
#include "framework/View.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <map>
#include <vector>

class QMenu;
class QMimeData;

namespace fw {

class Document;
class SingleDocTemplate;
class StatusBar;
struct MenuItem;

// What the template hands a new frame: the view class to create and the document it shows.
struct CreateContext {
    const QMetaObject* viewClass = nullptr;
    Document* document = nullptr;
    SingleDocTemplate* docTemplate = nullptr;
};

// The window's initial look, which a frame may change before it is built.
struct CreateStruct {
    QSize size;
    QString title;
};

class FrameWnd;

// The update object of one action: the menu item and toolbar button of a command.
class ActionCmdUI : public CmdUI {
public:
    ActionCmdUI(uint32_t id, QAction* action, FrameWnd* frame) : CmdUI(id), m_action(action), m_frame(frame) {}
    void Enable(bool on = true) override;
    void SetCheck(int check = 1) override;
    void SetText(const QString& text) override;
    QAction* Action() const { return m_action; }
    FrameWnd* Frame() const { return m_frame; }

private:
    QAction* m_action;
    FrameWnd* m_frame;
};

class FrameWnd : public QMainWindow, public CmdTarget {
    Q_OBJECT
public:
    FrameWnd();
    ~FrameWnd() override;

    // Builds the window from resource id (menu, accelerators, icon, title) and runs OnCreate.
    bool LoadFrame(uint32_t resourceId, CreateContext* context = nullptr);
    uint32_t ResourceId() const { return m_resourceId; }

    View* GetActiveView() const { return m_activeView; }
    void SetActiveView(View* view);
    Document* GetActiveDocument() const;

    // The action of command id, made on first use with the prompt of the string of that id.
    QAction* GetAction(uint32_t id);
    QAction* FindAction(uint32_t id) const;
    QMenu* MenuOfPopup(int index) const; // a drop-down of the menu bar

    void AddControlBar(uint32_t id, QWidget* bar);
    QWidget* GetControlBar(uint32_t id) const;
    void ShowControlBar(QWidget* bar, bool show, bool delay);
    void EnableDocking(uint32_t alignment);
    uint32_t DockingAlignment() const { return m_dockAlignment; }
    // Docks bar in a new row (or column) of an edge: the one dockBarId names (IDW_DOCKBAR_TOP,
    // _LEFT, _RIGHT, _BOTTOM), or with 0 the one the bar's alignment names.
    void DockControlBar(QWidget* bar, uint32_t dockBarId = 0);
    void RecalcLayout();

    // Files dropped on the window open as File Open opens them (see OnDropFiles). Only files
    // with the document template's extension are taken.
    void DragAcceptFiles(bool accept = true);

    // The window's placement and its bars' layout (edge or floating, order, shown or hidden,
    // their own sizes), kept in the application's profile under `section`.
    void SaveBarState(const QString& section) const;
    // Puts the window and its bars back as SaveBarState kept them. False, leaving the window's
    // placement alone, when the profile holds none or it cannot be used.
    bool LoadBarState(const QString& section);

    void SetMessageText(const QString& text);
    void SetMessageText(uint32_t stringId);
    QString GetMessageText() const;
    StatusBar* GetMessageBar() const;

    // Brings every action and status pane up to date through the route.
    void UpdateCommandUI();
    // Runs command id as if chosen from the menu: false when it is disabled or nobody takes it.
    bool SendCommand(uint32_t id);
    bool OnCmdMsg(uint32_t id, CmdMsg msg, CmdUI* ui) override;

    // Title "<document> - <application>".
    virtual void OnUpdateFrameTitle();
    void InitialUpdateFrame(Document* document);

protected:
    virtual bool PreCreateWindow(CreateStruct& cs);
    // Builds the frame's contents; -1 makes LoadFrame fail. The base creates the view.
    virtual int OnCreate();
    virtual bool OnCreateClient(CreateContext* context);

    bool OnBarCheck(uint32_t id);
    void OnUpdateControlBarMenu(CmdUI& ui);

    // The files of a drop, in the order dropped: the single document opens the first.
    virtual void OnDropFiles(const QStringList& paths);

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The local files of a drag that a document of this frame opens.
    QStringList DroppableFiles(const QMimeData* data) const;
    // A drag entering or moving over the window: accepted when it carries files to open.
    void DragFilesOver(QDragMoveEvent* event);

    void AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items);
    void UpdateActions(const QList<QAction*>& actions);

    uint32_t m_resourceId = 0;
    QString m_title;
    uint32_t m_dockAlignment = 0;
    bool m_closing = false;
    CreateContext* m_createContext = nullptr;
    QPointer<View> m_activeView;
    std::map<uint32_t, QAction*> m_actions;
    std::map<uint32_t, QPointer<QWidget>> m_controlBars;
};

} // namespace fw
