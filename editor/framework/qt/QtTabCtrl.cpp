// fw::TabCtrl on Qt: a QTabBar over (or under) a framed display area.
#include "framework/Resources.h"
#include "framework/TabCtrl.h"
#include "framework/qt/QtWnd.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include <algorithm>

namespace fw {
namespace {

// The control's widget: the tab strip and the frame the pages sit on.
class TabWidget : public QWidget {
public:
    TabWidget(TabCtrl* control, uint32_t style, QWidget* parent)
        : QWidget(parent), m_control(control), m_style(style), m_bar(new QTabBar(this))
    {
        m_bar->setShape((style & CtlStyle::TabsBottom) ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
        m_bar->setExpanding(!(style & CtlStyle::RaggedRight));
        m_bar->setDrawBase(false);
        m_bar->setUsesScrollButtons(true);
        m_bar->setAttribute(Qt::WA_Hover, (style & CtlStyle::HotTrack) != 0);
        m_bar->setFocusPolicy((style & CtlStyle::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
        connect(m_bar, &QTabBar::currentChanged, this, [this](int) {
            if (!m_quiet && qt::WndOf(this) != nullptr)
                m_control->OnSelChange();
        });
    }

    QTabBar* Bar() const { return m_bar; }

    // Changes made by code send no notification.
    template <class Change>
    auto Quietly(Change change)
    {
        m_quiet = true;
        auto result = change();
        m_quiet = false;
        LayoutStrip();
        return result;
    }

    void LayoutStrip()
    {
        const int height = std::min(m_bar->sizeHint().height(), this->height());
        const int y = (m_style & CtlStyle::TabsBottom) ? this->height() - height : 0;
        m_bar->setGeometry(0, y, width(), height);
    }

protected:
    void resizeEvent(QResizeEvent*) override { LayoutStrip(); }

    void paintEvent(QPaintEvent*) override
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

private:
    TabCtrl* m_control;
    uint32_t m_style;
    QTabBar* m_bar;
    bool m_quiet = false;
};

TabWidget* WidgetOfTabs(const TabCtrl* tabs)
{
    return dynamic_cast<TabWidget*>(qt::WidgetOf(tabs));
}

} // namespace

TabCtrl::TabCtrl() = default;

TabCtrl::~TabCtrl() = default;

bool TabCtrl::Create(uint32_t style, const Rect& rect, Wnd* parent, uint32_t id)
{
    QWidget* host = qt::ChildHost(parent);
    if (host == nullptr || IsWindow())
        return false;
    m_style = style;
    auto* widget = new TabWidget(this, style, host);
    widget->setObjectName(QStringLiteral("control%1").arg(id));
    widget->setGeometry(qt::ChildGeometry(parent, rect));
    qt::Attach(this, widget, WinStyle::Child | WinStyle::Visible, id);
    return true;
}

int TabCtrl::InsertItem(int position, const std::string& text)
{
    TabWidget* widget = WidgetOfTabs(this);
    if (widget == nullptr)
        return -1;
    QTabBar* bar = widget->Bar();
    position = std::clamp(position, 0, bar->count());
    // The first tab becomes current without the user choosing it.
    const int index = widget->Quietly([&] { return bar->insertTab(position, qt::ToQ(text)); });
    if (m_style & CtlStyle::ToolTips)
        bar->setTabToolTip(index, qt::ToQ(text));
    return index;
}

int TabCtrl::GetItemCount() const
{
    TabWidget* widget = WidgetOfTabs(this);
    return widget != nullptr ? widget->Bar()->count() : 0;
}

std::string TabCtrl::GetItemText(int index) const
{
    TabWidget* widget = WidgetOfTabs(this);
    return widget != nullptr ? qt::FromQ(widget->Bar()->tabText(index)) : std::string();
}

int TabCtrl::GetCurSel() const
{
    TabWidget* widget = WidgetOfTabs(this);
    return widget != nullptr ? widget->Bar()->currentIndex() : -1;
}

int TabCtrl::SetCurSel(int index)
{
    TabWidget* widget = WidgetOfTabs(this);
    if (widget == nullptr)
        return -1;
    QTabBar* bar = widget->Bar();
    const int previous = bar->currentIndex();
    if (index < 0 || index >= bar->count())
        return -1;
    widget->Quietly([&] {
        bar->setCurrentIndex(index);
        return 0;
    });
    return previous;
}

Rect TabCtrl::GetItemRect(int index) const
{
    TabWidget* widget = WidgetOfTabs(this);
    if (widget == nullptr || index < 0 || index >= widget->Bar()->count())
        return Rect();
    return qt::FromQ(widget->Bar()->tabRect(index).translated(widget->Bar()->pos()));
}

} // namespace fw
