// fw::StatusBar on Qt: the frame's QStatusBar with one label per pane, the message pane
// stretching and each indicator sized for its text whether it shows it or not.
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/StatusBar.h"
#include "framework/qt/QtWnd.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace fw {
namespace {

QLabel* PaneLabel(const StatusBar* bar, int index)
{
    QWidget* widget = qt::WidgetOf(bar);
    return widget != nullptr ? widget->findChild<QLabel*>(QStringLiteral("pane%1").arg(index)) : nullptr;
}

} // namespace

StatusBar::StatusBar() = default;

StatusBar::~StatusBar() = default;

bool StatusBar::Create(FrameWnd* parent, uint32_t style, uint32_t id)
{
    auto* window = qobject_cast<QMainWindow*>(qt::WidgetOf(parent));
    if (window == nullptr || IsWindow())
        return false;
    auto* bar = new QStatusBar(window);
    bar->setObjectName(QStringLiteral("StatusBar%1").arg(id));
    window->setStatusBar(bar);
    qt::Attach(this, bar, style & ~WinStyle::Visible, id);
    SetDockingFrame(parent);
    SetBarStyle(style & BarStyle::Mask);
    if (!(style & WinStyle::Visible))
        bar->hide();
    parent->AddControlBar(this);
    return true;
}

void StatusBar::MakePanes()
{
    auto* bar = qobject_cast<QStatusBar*>(qt::WidgetOf(this));
    if (bar == nullptr)
        return;
    for (QLabel* old : bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (old->objectName().startsWith(QLatin1String("pane"))) {
            bar->removeWidget(old);
            delete old;
        }
    }
    for (int i = 0; i < GetCount(); ++i) {
        const PaneInfo& pane = m_panes[static_cast<size_t>(i)];
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("pane%1").arg(i));
        label->setTextFormat(Qt::PlainText);
        if (pane.id == ID_SEPARATOR) {
            label->setMinimumWidth(1);
            bar->addWidget(label, 1);
        } else {
            label->setText(qt::ToQ(pane.shown));
            label->setAlignment(Qt::AlignCenter);
            label->setFrameShape(QFrame::Panel);
            label->setFrameShadow(QFrame::Sunken);
            // Sized for its text whether it shows it or not, so the panes never jump.
            label->setFixedWidth(label->fontMetrics().horizontalAdvance(qt::ToQ(pane.text)) + 12);
            bar->addPermanentWidget(label);
        }
    }
}

void StatusBar::ShowPaneText(int index)
{
    if (QLabel* label = PaneLabel(this, index))
        label->setText(qt::ToQ(m_panes[static_cast<size_t>(index)].shown));
}

Rect StatusBar::GetItemRect(int index) const
{
    const QLabel* label = PaneLabel(this, index);
    return label != nullptr ? qt::FromQ(label->geometry()) : Rect();
}

} // namespace fw
