#pragma once
// Frame window: menu bar and accelerators from resources, one menu item and toolbar button state
// per command id, control bars found by control id that dock at any edge, the status bar's
// message pane, dropped files, the kept layout, and the command route view -> document -> frame
// -> application.
#include "framework/Command.h"
#include "framework/RuntimeClass.h"
#include "framework/Wnd.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class ControlBar;
class Document;
class SingleDocTemplate;
class StatusBar;
class View;

// What the template hands a new frame: the view class to create and the document it shows.
struct CreateContext {
    const RuntimeClass* viewClass = nullptr;
    Document* document = nullptr;
    SingleDocTemplate* docTemplate = nullptr;
};

// The window's initial look, which a frame may change before it is built.
struct CreateStruct {
    Size size;
    std::string title;
};

// What a menu item shows.
struct MenuItemState {
    uint32_t id = 0; // 0 for separators and drop-downs
    std::string text;
    bool separator = false;
    bool popup = false;
    bool enabled = true;
    bool checked = false;
};

// The state the menu items and toolbar buttons of a command show.
struct CommandState {
    bool known = false; // the frame has a menu item, button or accelerator for it
    bool enabled = false;
    bool checked = false;
    std::string text; // the menu item's text (the tooltip for a button-only command)
};

class FrameWnd : public Wnd {
    FW_DECLARE_DYNAMIC(FrameWnd)
public:
    struct Impl;

    FrameWnd();
    ~FrameWnd() override;

    // Builds the window from resource id (menu, accelerators, icon, title) and runs OnCreate.
    // The frame is hidden until shown.
    bool LoadFrame(uint32_t resourceId, CreateContext* context = nullptr);
    uint32_t ResourceId() const { return m_resourceId; }

    View* GetActiveView() const { return m_activeView; }
    void SetActiveView(View* view);
    Document* GetActiveDocument() const;

    // The menu bar as it shows: its drop-downs and their visible items.
    int GetMenuPopupCount() const;
    std::string GetMenuPopupText(int index) const;
    std::vector<MenuItemState> GetMenuItems(int popup) const;
    // Brings the items of drop-down popup up to date, as opening it does.
    void UpdateMenuPopup(int popup);
    CommandState GetCommandState(uint32_t id) const;

    // Control bars register themselves when they are made.
    void AddControlBar(ControlBar* bar);
    void RemoveControlBar(ControlBar* bar);
    ControlBar* GetControlBar(uint32_t id) const;
    void ShowControlBar(ControlBar* bar, bool show, bool delay);
    // Lets control bars dock at the edges of alignment (BarStyle::Align bits).
    void EnableDocking(uint32_t alignment);
    uint32_t DockingAlignment() const { return m_dockAlignment; }
    // Docks bar in a new row (or column) of an edge: the one dockBarId names (IDW_DOCKBAR_TOP,
    // _LEFT, _RIGHT, _BOTTOM), or with 0 the one the bar's alignment names.
    void DockControlBar(ControlBar* bar, uint32_t dockBarId = 0);
    // Floats bar in a window of its own at screen point.
    void FloatControlBar(ControlBar* bar, Point screenPoint);
    // Lays the bars and the view out again.
    void RecalcLayout();
    // The length bars docked at dockBarId have: the frame's width at the top and bottom, the
    // height between the top and bottom bars at the left and right.
    int GetDockLength(uint32_t dockBarId) const;

    // Files dropped on the window open as File Open opens them (see OnDropFiles). Only files
    // with the document template's extension are taken.
    void DragAcceptFiles(bool accept = true);
    bool AcceptsDroppedFiles() const { return m_acceptFiles; }
    // The files of a drop a document of this frame opens.
    std::vector<std::string> DroppableFiles(const std::vector<std::string>& paths) const;
    // The files of a drop, in the order dropped: the single document opens the first.
    virtual void OnDropFiles(const std::vector<std::string>& paths);

    // The window's placement and its bars' layout (edge or floating, order, shown or hidden,
    // their own sizes), kept in the application's profile under `section`.
    void SaveBarState(const std::string& section) const;
    // Puts the window and its bars back as SaveBarState kept them. False, leaving the window's
    // placement alone, when the profile holds none or it cannot be used.
    bool LoadBarState(const std::string& section);

    void SetMessageText(const std::string& text);
    void SetMessageText(uint32_t stringId);
    std::string GetMessageText() const;
    StatusBar* GetMessageBar() const;

    // Brings every menu item, button and status pane up to date through the route.
    void UpdateCommandUI();
    // Runs command id as if chosen from the menu: false when it is disabled or nobody takes it.
    bool SendCommand(uint32_t id);
    bool OnCmdMsg(uint32_t id, CmdMsg msg, CmdUI* ui) override;

    // Title "<document> - <application>".
    virtual void OnUpdateFrameTitle();
    void InitialUpdateFrame(Document* document);

    // Closes the frame as its close box does (OnClose).
    void Close();

    // Before the window is made: its size and title.
    virtual bool PreCreateWindow(CreateStruct& cs);
    // Builds the frame's contents; -1 makes LoadFrame fail. The base creates the view.
    int OnCreate() override;
    virtual bool OnCreateClient(CreateContext* context);
    // The close box: asks the document to save, lets it close, and destroys the frame.
    void OnClose() override;
    // A frame goes with its window.
    void PostNcDestroy() override;

    Impl* GetFrameImpl() const { return m_impl.get(); } // for the toolkit's own files

protected:
    bool OnBarCheck(uint32_t id);
    void OnUpdateControlBarMenu(CmdUI& ui);

private:
    // The neutral part of construction (the bar toggles and lock-key indicators), which the
    // toolkit's constructor calls.
    void ConstructCommon();

    std::unique_ptr<Impl> m_impl;
    uint32_t m_resourceId = 0;
    std::string m_title;
    uint32_t m_dockAlignment = 0;
    bool m_acceptFiles = false;
    bool m_closing = false;
    CreateContext* m_createContext = nullptr;
    WndRef<View> m_activeView;
    std::map<uint32_t, ControlBar*> m_controlBars;
};

} // namespace fw
