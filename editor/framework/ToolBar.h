#pragma once
// Toolbar of command buttons loaded from a toolbar resource; each button is the frame's action
// for its command, so it shares text, prompt, icon and state with the menu item.
#include "framework/ControlBar.h"

#include <QToolBar>

#include <vector>

namespace fw {

class FrameWnd;

class ToolBar : public QToolBar, public ControlBar {
    Q_OBJECT
public:
    ToolBar();

    // toolBarStyle: ToolBarStyle bits; style: WinStyle and BarStyle bits.
    bool CreateEx(FrameWnd* parent, uint32_t toolBarStyle, uint32_t style, uint32_t id);
    bool LoadToolBar(uint32_t resourceId);
    void EnableDocking(uint32_t alignment);

    uint32_t GetBarStyle() const override { return m_barStyle; }
    void SetBarStyle(uint32_t style) override;
    uint32_t GetDlgCtrlID() const override { return m_id; }

    // Command ids of the buttons in order, 0 for each separator.
    std::vector<uint32_t> ButtonIds() const;

private:
    FrameWnd* m_frame = nullptr;
    uint32_t m_barStyle = 0;
    uint32_t m_toolBarStyle = 0;
    uint32_t m_id = 0;
};

} // namespace fw
