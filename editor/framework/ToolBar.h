#pragma once
// Toolbar of command buttons loaded from a toolbar resource; each button shares text, prompt,
// image and state with the frame's menu item of its command, and shows its tooltip and its
// fly-by prompt on the status bar.
#include "framework/ControlBar.h"

#include <vector>

namespace fw {

class FrameWnd;

class ToolBar : public ControlBar {
    FW_DECLARE_DYNAMIC(ToolBar)
public:
    ToolBar();
    ~ToolBar() override;

    // toolBarStyle: ToolBarStyle bits; style: WinStyle and BarStyle bits.
    bool CreateEx(FrameWnd* parent, uint32_t toolBarStyle, uint32_t style, uint32_t id);
    bool LoadToolBar(uint32_t resourceId);
    uint32_t GetToolBarStyle() const { return m_toolBarStyle; }

    void SetBarStyle(uint32_t style) override;

    // Command ids of the buttons in order, 0 for each separator.
    std::vector<uint32_t> ButtonIds() const { return m_buttons; }
    Size ButtonSize() const { return m_buttonSize; }

private:
    uint32_t m_toolBarStyle = 0;
    std::vector<uint32_t> m_buttons;
    Size m_buttonSize;
};

} // namespace fw
