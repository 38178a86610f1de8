#include "framework/ControlBar.h"

#include "framework/BarStyle.h"

namespace fw {

FW_IMPLEMENT_DYNAMIC(ControlBar, Wnd)

void ControlBar::SetBarStyle(uint32_t style)
{
    m_barStyle = style;
}

Size ControlBar::CalcFixedLayout(bool, bool)
{
    return GetWindowRect().GetSize();
}

Size ControlBar::CalcDynamicLayout(int, uint32_t mode)
{
    return CalcFixedLayout((mode & LayoutMode::Stretch) != 0, (mode & LayoutMode::Horz) != 0);
}

void ControlBar::OnUpdateCmdUI(FrameWnd*, bool) {}

} // namespace fw
