#include "MainFrm.h"

#include "Resource.h"
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/System.h"

#include <iterator>

namespace {

const uint32_t kIndicators[] = {
    fw::ID_SEPARATOR, // message pane
    fw::ID_INDICATOR_CAPS,
    fw::ID_INDICATOR_NUM,
    fw::ID_INDICATOR_SCRL,
};

} // namespace

FW_IMPLEMENT_DYNCREATE(CMainFrame, fw::FrameWnd)

CMainFrame::CMainFrame()
{
    OnCommandEx(ID_VIEW_LEFTDIALOGBAR, [this](uint32_t id) { return OnBarCheck(id); });
    OnUpdateCommandUI(ID_VIEW_LEFTDIALOGBAR, [this](fw::CmdUI& ui) { OnUpdateControlBarMenu(ui); });
    OnCommandEx(ID_VIEW_INFODIALOGBAR, [this](uint32_t id) { return OnBarCheck(id); });
    OnUpdateCommandUI(ID_VIEW_INFODIALOGBAR, [this](fw::CmdUI& ui) { OnUpdateControlBarMenu(ui); });
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::PreCreateWindow(fw::CreateStruct& cs)
{
    return fw::FrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate()
{
    using namespace fw::BarStyle;
    using fw::WinStyle::Child;
    using fw::WinStyle::Visible;
    if (fw::FrameWnd::OnCreate() == -1)
        return -1;

    if (!m_toolBar.CreateEx(this, fw::ToolBarStyle::Flat,
                            Child | Visible | Top | Gripper | ToolTips | FlyBy | SizeDynamic, fw::IDW_TOOLBAR) ||
        !m_toolBar.LoadToolBar(IDR_MAINFRAME)) {
        fw::Trace("Failed to create toolbar\n");
        return -1;
    }

    if (!m_statusBar.Create(this, Child | Visible | Bottom, fw::IDW_STATUS_BAR) ||
        !m_statusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)))) {
        fw::Trace("Failed to create status bar\n");
        return -1;
    }

    m_toolBar.EnableDocking(AlignAny);
    EnableDocking(AlignAny);
    DockControlBar(&m_toolBar);

    if (!m_infoBar.Create(this, &m_infoPanel, "InfoDialogBar", IDD_INFODIALOGBAR, ID_VIEW_INFODIALOGBAR,
                          Child | Visible | Left)) {
        fw::Trace("Failed to create dialogbar\n");
        return -1;
    }
    m_infoBar.SetBarStyle(m_infoBar.GetBarStyle() | ToolTips | FlyBy | SizeDynamic);
    m_infoBar.EnableDocking(AlignAny);
    // At the bottom, where its wide, low panel fits under the view. Beside the left bar it
    // would take all the width a 1024x768 screen leaves the window, and the view none.
    DockControlBar(&m_infoBar, fw::IDW_DOCKBAR_BOTTOM);

    if (!m_leftBar.Create(this, &m_leftPanel, "LeftDialogBar", IDD_LEFTDIALOGBAR, ID_VIEW_LEFTDIALOGBAR,
                          Child | Visible | Left)) {
        fw::Trace("Failed to create dialogbar\n");
        return -1;
    }
    m_leftBar.SetBarStyle(m_leftBar.GetBarStyle() | ToolTips | FlyBy | SizeDynamic);
    m_leftBar.EnableDocking(AlignAny);
    DockControlBar(&m_leftBar);

    DragAcceptFiles();
    return 0;
}

void CMainFrame::OnClose()
{
    // Kept before the frame goes (its bars go with it); a close that the document refuses
    // leaves the frame as it was kept.
    SaveBarState(LayoutSection());
    fw::FrameWnd::OnClose();
}
