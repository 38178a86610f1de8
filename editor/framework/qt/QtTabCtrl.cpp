#include "framework/TabCtrl.h"

#include "framework/Resources.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include <algorithm>

namespace fw {

TabCtrl::TabCtrl(uint32_t style, QWidget* parent) : QWidget(parent), m_style(style), m_bar(new QTabBar(this))
{
    m_bar->setShape((style & CtlStyle::TabsBottom) ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
    m_bar->setExpanding(!(style & CtlStyle::RaggedRight));
    m_bar->setDrawBase(false);
    m_bar->setUsesScrollButtons(true);
    m_bar->setAttribute(Qt::WA_Hover, (style & CtlStyle::HotTrack) != 0);
    m_bar->setFocusPolicy((style & CtlStyle::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int) {
        if (!m_quiet)
            emit selChange();
    });
}

int TabCtrl::InsertItem(int position, const QString& text)
{
    position = std::clamp(position, 0, m_bar->count());
    m_quiet = true; // the first tab becomes current without the user choosing it
    const int index = m_bar->insertTab(position, text);
    if (m_style & CtlStyle::ToolTips)
        m_bar->setTabToolTip(index, text);
    m_quiet = false;
    LayoutStrip();
    return index;
}

int TabCtrl::GetItemCount() const
{
    return m_bar->count();
}

QString TabCtrl::GetItemText(int index) const
{
    return m_bar->tabText(index);
}

int TabCtrl::GetCurSel() const
{
    return m_bar->currentIndex();
}

int TabCtrl::SetCurSel(int index)
{
    const int previous = m_bar->currentIndex();
    if (index < 0 || index >= m_bar->count())
        return -1;
    m_quiet = true;
    m_bar->setCurrentIndex(index);
    m_quiet = false;
    return previous;
}

QRect TabCtrl::TabStripRect() const
{
    return m_bar->geometry();
}

void TabCtrl::LayoutStrip()
{
    const int height = std::min(m_bar->sizeHint().height(), this->height());
    const int y = (m_style & CtlStyle::TabsBottom) ? this->height() - height : 0;
    m_bar->setGeometry(0, y, width(), height);
}

void TabCtrl::resizeEvent(QResizeEvent*)
{
    LayoutStrip();
}

void TabCtrl::paintEvent(QPaintEvent*)
{
    // The framed display area the pages sit on.
    QRect frame = rect();
    if (m_style & CtlStyle::TabsBottom) {
        frame.setBottom(m_bar->geometry().top() - 1 + 2);
    } else {
        frame.setTop(m_bar->geometry().bottom() + 1 - 2);
    }
    if (frame.isEmpty())
        return;
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.rect = frame;
    option.shape = m_bar->shape();
    option.tabBarSize = m_bar->size();
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}

} // namespace fw
