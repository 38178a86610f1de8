#pragma once
// The editor's main frame: toolbar, status bar and the two docking bars that host the left
// panel (mesh list, node tree, keyframes) and the info panel.
#include "InfoDialogBar.h"
#include "LeftDialogBar.h"
#include "controls/CoolDialogBar.h"
#include "framework/FrameWnd.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"

#include <string>

class CMainFrame : public fw::FrameWnd {
    FW_DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // The profile section that keeps the window's placement and its bars' layout between runs.
    static std::string LayoutSection() { return "Layout"; }

    // The document fills and empties the left panel's mesh list and node tree.
    LeftDialogBar& GetLeftPanel() { return m_leftPanel; }
    InfoDialogBar& GetInfoPanel() { return m_infoPanel; }
    fw::StatusBar& GetStatusBar() { return m_statusBar; }
    fw::ToolBar& GetToolBar() { return m_toolBar; }
    CoolDialogBar& GetLeftBar() { return m_leftBar; }
    CoolDialogBar& GetInfoBar() { return m_infoBar; }

    bool PreCreateWindow(fw::CreateStruct& cs) override;
    int OnCreate() override;
    // A closing frame keeps its placement and layout for the next run.
    void OnClose() override;

private:
    // Declared so that the bars go first: a bar's window takes its panel's window with it.
    LeftDialogBar m_leftPanel;
    InfoDialogBar m_infoPanel;
    fw::StatusBar m_statusBar;
    fw::ToolBar m_toolBar;
    CoolDialogBar m_leftBar;
    CoolDialogBar m_infoBar;
};
