// fw::ToolBar on Qt: a QToolBar of the frame's actions, so a button shares text, prompt, state
// and shortcuts with the menu item of its command. Images are the desktop theme's icon of the
// button's theme name when it has one, otherwise the resource's own.
#include "framework/BarStyle.h"
#include "framework/FrameWnd.h"
#include "framework/Resources.h"
#include "framework/ToolBar.h"
#include "framework/qt/QtBars.h"
#include "framework/qt/QtWnd.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

namespace fw {

FW_IMPLEMENT_DYNAMIC(ToolBar, ControlBar)

ToolBar::ToolBar() = default;

ToolBar::~ToolBar() = default;

bool ToolBar::CreateEx(FrameWnd* parent, uint32_t toolBarStyle, uint32_t style, uint32_t id)
{
    auto* window = qobject_cast<QMainWindow*>(qt::WidgetOf(parent));
    if (window == nullptr || IsWindow())
        return false;
    auto* bar = new QToolBar(window);
    bar->setObjectName(QStringLiteral("ToolBar%1").arg(id));
    bar->setFloatable(true);
    qt::Attach(this, bar, style & ~WinStyle::Visible, id);
    m_toolBarStyle = toolBarStyle;
    SetDockingFrame(parent);
    SetBarStyle(style & BarStyle::Mask);
    if (!(style & WinStyle::Visible))
        bar->hide();
    parent->AddControlBar(this);
    return true;
}

void ToolBar::SetBarStyle(uint32_t style)
{
    ControlBar::SetBarStyle(style);
    if (auto* bar = qobject_cast<QToolBar*>(qt::WidgetOf(this))) {
        bar->setMovable((style & BarStyle::Gripper) != 0); // the gripper is what the user drags
        bar->setOrientation((style & (BarStyle::AlignLeft | BarStyle::AlignRight)) ? Qt::Vertical : Qt::Horizontal);
    }
}

bool ToolBar::LoadToolBar(uint32_t resourceId)
{
    const ToolBarResource* resource = ResourceTable::Instance().ToolBar(resourceId);
    auto* bar = qobject_cast<QToolBar*>(qt::WidgetOf(this));
    FrameWnd* frame = GetDockingFrame();
    if (resource == nullptr || bar == nullptr || frame == nullptr)
        return false;
    const std::vector<Image> images = resource->images ? resource->images() : std::vector<Image>();
    size_t buttons = 0;
    for (uint32_t id : resource->buttons)
        buttons += id != 0 ? 1 : 0;
    if (images.size() < buttons)
        return false; // one image per button

    bar->clear();
    bar->setIconSize(QSize(resource->buttonSize.cx, resource->buttonSize.cy));
    size_t image = 0;
    for (uint32_t id : resource->buttons) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = qt::FrameAction(frame, id);
        const QString themeName =
            image < resource->themeNames.size() ? qt::ToQ(resource->themeNames[image]) : QString();
        const QIcon drawn(QPixmap::fromImage(qt::ToQImage(images[image])));
        action->setIcon(themeName.isEmpty() ? drawn : QIcon::fromTheme(themeName, drawn));
        action->setIconVisibleInMenu(false); // menus carry text only
        bar->addAction(action);
        ++image;
    }
    m_buttons = resource->buttons;
    m_buttonSize = resource->buttonSize;
    return true;
}

} // namespace fw
