#include "framework/ToolBar.h"

#include "framework/BarStyle.h"
#include "framework/FrameWnd.h"
#include "framework/Resources.h"

#include <QAction>

namespace fw {

ToolBar::ToolBar() = default;

bool ToolBar::CreateEx(FrameWnd* parent, uint32_t toolBarStyle, uint32_t style, uint32_t id)
{
    if (parent == nullptr || m_frame != nullptr)
        return false;
    m_frame = parent;
    m_id = id;
    m_toolBarStyle = toolBarStyle;
    setParent(parent);
    setObjectName(QStringLiteral("ToolBar%1").arg(id));
    SetBarStyle(style & BarStyle::Mask);
    setFloatable(true);
    if (!(style & WinStyle::Visible))
        hide();
    parent->AddControlBar(id, this);
    return true;
}

void ToolBar::SetBarStyle(uint32_t style)
{
    m_barStyle = style;
    setMovable((style & BarStyle::Gripper) != 0); // the gripper is what the user drags
    setOrientation((style & (BarStyle::AlignLeft | BarStyle::AlignRight)) ? Qt::Vertical : Qt::Horizontal);
}

bool ToolBar::LoadToolBar(uint32_t resourceId)
{
    const ToolBarResource* resource = ResourceTable::Instance().ToolBar(resourceId);
    if (resource == nullptr || m_frame == nullptr)
        return false;
    const std::vector<QIcon> images = resource->images ? resource->images() : std::vector<QIcon>();
    size_t buttons = 0;
    for (uint32_t id : resource->buttons)
        buttons += id != 0 ? 1 : 0;
    if (images.size() < buttons)
        return false; // one image per button

    clear();
    setIconSize(resource->buttonSize);
    size_t image = 0;
    for (uint32_t id : resource->buttons) {
        if (id == 0) {
            addSeparator();
            continue;
        }
        QAction* action = m_frame->GetAction(id);
        action->setIcon(images[image++]);
        action->setIconVisibleInMenu(false); // menus carry text only
        addAction(action);
    }
    return true;
}

void ToolBar::EnableDocking(uint32_t alignment)
{
    Qt::ToolBarAreas areas;
    if (alignment & BarStyle::AlignTop)
        areas |= Qt::TopToolBarArea;
    if (alignment & BarStyle::AlignBottom)
        areas |= Qt::BottomToolBarArea;
    if (alignment & BarStyle::AlignLeft)
        areas |= Qt::LeftToolBarArea;
    if (alignment & BarStyle::AlignRight)
        areas |= Qt::RightToolBarArea;
    setAllowedAreas(areas);
    setFloatable(true);
}

std::vector<uint32_t> ToolBar::ButtonIds() const
{
    std::vector<uint32_t> ids;
    for (QAction* action : actions())
        ids.push_back(action->isSeparator() ? 0u : action->data().toUInt());
    return ids;
}

} // namespace fw
