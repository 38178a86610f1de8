// Tooltips on Qt: the owner's tooltip events show the text of the tool under the pointer.
#include "framework/ToolTipCtrl.h"
#include "framework/qt/QtWnd.h"

#include <QHelpEvent>
#include <QToolTip>

namespace fw {

struct ToolTipCtrl::Impl : public QObject {
    ToolTipCtrl* control = nullptr;
    QPointer<QWidget> watched;

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (object != watched || event->type() != QEvent::ToolTip || control->m_owner == nullptr)
            return false;
        auto* help = static_cast<QHelpEvent*>(event);
        const Point client = control->m_owner->ScreenToClient(qt::FromQ(help->globalPos()));
        for (const Tool& tool : control->m_tools) {
            if (tool.rect.Contains(client)) {
                const Point origin = control->m_owner->ClientToScreen(tool.rect.TopLeft());
                const QRect area(watched->mapFromGlobal(qt::ToQ(origin)), qt::ToQ(tool.rect).size());
                QToolTip::showText(help->globalPos(), qt::ToQ(tool.text), watched, area);
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
};

ToolTipCtrl::ToolTipCtrl() : m_impl(std::make_unique<Impl>())
{
    m_impl->control = this;
}

ToolTipCtrl::~ToolTipCtrl()
{
    if (m_impl->watched)
        m_impl->watched->removeEventFilter(m_impl.get());
}

bool ToolTipCtrl::Attach()
{
    QWidget* widget = qt::WindowArea(m_owner);
    if (widget == nullptr)
        return false;
    if (m_impl->watched)
        m_impl->watched->removeEventFilter(m_impl.get());
    m_impl->watched = widget;
    widget->installEventFilter(m_impl.get());
    return true;
}

} // namespace fw
