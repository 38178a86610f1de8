// fw::View on Qt: a plain peer as the frame's central widget.
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/qt/QtWnd.h"

#include <QMainWindow>

namespace fw {

bool View::Create(FrameWnd* frame, uint32_t id)
{
    auto* window = qobject_cast<QMainWindow*>(qt::WidgetOf(frame));
    if (window == nullptr || IsWindow())
        return false;
    auto* widget = new qt::WndWidget(window, Qt::Widget);
    qt::Attach(this, widget, WinStyle::Child | WinStyle::ClipSiblings | WinStyle::ClipChildren, id);
    int created = 0;
    qt::Dispatch(widget, [&](Wnd& wnd) { created = wnd.OnCreate(); });
    if (created == -1) {
        DestroyWindow();
        return false;
    }
    window->setCentralWidget(widget);
    return true;
}

} // namespace fw
