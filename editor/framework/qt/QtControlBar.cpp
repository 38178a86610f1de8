// fw::ControlBar on Qt. A bar made with CreateBar is a QDockWidget of the frame: Qt's dock areas
// are the dock bars, its floating dock window the mini frame. The dock widget is made of two
// parts, the title bar slot (the strip before the client area: the gripper while docked, the
// mini frame's caption while floating) and the body; both paint and hit-test through the bar's
// non-client handlers in the bar's window coordinates. Toolbars are QToolBars and the status bar
// a QStatusBar (see QtToolBar.cpp, QtStatusBar.cpp).
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/ControlBar.h"
#include "framework/FrameWnd.h"
#include "framework/System.h"
#include "framework/qt/QtBars.h"
#include "framework/qt/QtWnd.h"

#include <QDockWidget>
#include <QLayout>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QToolBar>

#include <algorithm>

namespace fw {

struct ControlBar::Impl {};

namespace {

class DockBar;

// One of the two widgets a dock bar is made of.
class DockPart : public QWidget {
public:
    enum class Role { Title, Body };

    DockPart(DockBar* bar, Role role);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return m_role == Role::Title ? sizeHint() : QSize(0, 0); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    DockBar* m_bar;
    Role m_role;
};

class DockBar : public QDockWidget {
public:
    DockBar(ControlBar* bar, QWidget* frame) : QDockWidget(frame), m_bar(bar)
    {
        m_title = new DockPart(this, DockPart::Role::Title);
        m_body = new DockPart(this, DockPart::Role::Body);
        setTitleBarWidget(m_title);
        setWidget(m_body);
        setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
        setMouseTracking(true);
        connect(this, &QDockWidget::dockLocationChanged, this, [this] { OnDockChanged(); });
        connect(this, &QDockWidget::topLevelChanged, this, [this] { OnDockChanged(); });
    }

    ControlBar* Bar() const { return m_bar; }
    DockPart* Title() const { return m_title; }
    DockPart* Body() const { return m_body; }
    bool Docked() const { return !isFloating() && m_bar->GetDockBarId() != 0; }

    // The strip before the client area: the gripper's width while docked, the caption while
    // floating.
    int TitleExtent() const
    {
        if (isFloating())
            return GetSystemMetric(SysMetric::CySmCaption);
        const Rect client = m_bar->GetImpl()->ncClient;
        return std::max(1, IsHorizontalDock() ? client.left : client.top);
    }

    bool IsHorizontalDock() const
    {
        const uint32_t id = m_bar->GetDockBarId();
        return id == IDW_DOCKBAR_TOP || id == IDW_DOCKBAR_BOTTOM;
    }

    QWidget* WindowWidget() const { return isFloating() ? static_cast<QWidget*>(m_body) : const_cast<DockBar*>(this); }

    // A point of a part in the bar's window coordinates.
    QPoint PartToWindow(const QWidget* part, QPoint local) const
    {
        return part->mapTo(this, local) - WindowWidget()->mapTo(this, QPoint(0, 0));
    }

    // Recomputes the client area (OnNcCalcSize) and where the children go.
    void RecalcNonClient()
    {
        Wnd::Impl* impl = m_bar->GetImpl();
        impl->windowArea = WindowWidget();
        const QSize window = WindowWidget()->size();
        Rect client = Rect::FromSize(0, 0, window.width(), window.height());
        qt::Dispatch(this, [&](Wnd& wnd) { wnd.OnNcCalcSize(client); });
        impl->ncClient = client;
        impl->hasNonClient = true;
        impl->childHost = m_body;
        impl->childOffset = qt::ToQ(client.TopLeft()) - PartToWindow(m_body, QPoint(0, 0));
        // Docked at the top or bottom the gripper runs down the leading side.
        QDockWidget::DockWidgetFeatures features = QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable;
        if (!isFloating() && IsHorizontalDock())
            features |= QDockWidget::DockWidgetVerticalTitleBar;
        if (features != this->features())
            setFeatures(features);
        m_title->updateGeometry();
        m_title->update();
        m_body->update();
    }

    // A frame change: new non-client area, then the position-changed message.
    void FrameChanged()
    {
        RecalcNonClient();
        qt::Dispatch(this, [](Wnd& wnd) { wnd.OnWindowPosChanged(); });
    }

    void ApplySize()
    {
        if (isFloating()) {
            setMinimumSize(GetSystemMetric(SysMetric::CxMin), GetSystemMetric(SysMetric::CyMin));
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            return;
        }
        if (m_bar->GetDockBarId() == 0)
            return; // not docked yet
        // Across the dock the bar has its own size; along it the dock bar decides.
        const Size fixed = m_bar->CalcFixedLayout(false, IsHorizontalDock());
        if (IsHorizontalDock()) {
            setMinimumSize(0, fixed.cy);
            setMaximumSize(QWIDGETSIZE_MAX, fixed.cy);
        } else {
            setMinimumSize(fixed.cx, 0);
            setMaximumSize(fixed.cx, QWIDGETSIZE_MAX);
        }
    }

    void ToggleDocking()
    {
        if (isFloating()) {
            setFloating(false); // back to where it was docked
            return;
        }
        setFloating(true);
        if (QLayout* own = layout())
            own->activate();
        const Size floating = m_bar->CalcFixedLayout(false, false);
        const QSize frameExtra = size() - m_body->size();
        resize(QSize(floating.cx, floating.cy) + frameExtra);
        if (QLayout* own = layout())
            own->activate();
    }

    // The mini frame's caption while floating: its close box.
    QRect FloatingCloseRect() const
    {
        const QRect caption = m_title->rect();
        const int extent = std::max(0, caption.height() - 4);
        return QRect(caption.x() + caption.width() - extent - 2, caption.y() + 2, extent, extent);
    }

    // Mouse messages of a part (or of the bar itself while it has the mouse captured).
    bool RouteMouse(QWidget* part, QMouseEvent* event)
    {
        if (qt::WndOf(this) == nullptr)
            return false;
        const Point screen = qt::FromQ(event->globalPosition().toPoint());
        const uint32_t flags = qt::MouseFlags(event->buttons(), event->modifiers());
        const bool captured = Wnd::GetCapture() == m_bar;
        if (isFloating() && part == m_title && !captured)
            return FloatingCaptionMouse(event);
        const int hit = captured ? Hit::Client : m_bar->OnNcHitTest(screen);
        const Point client = m_bar->ScreenToClient(screen);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            if (event->button() != Qt::LeftButton)
                return false;
            m_dragRequested = false;
            m_pressPart = part;
            const bool dbl = event->type() == QEvent::MouseButtonDblClick;
            // The frame's own treatment of a non-client press: Qt's dock machinery drags the
            // bar by its title part.
            const auto drag = [this] { m_dragRequested = true; };
            qt::Dispatch(
                this,
                [&](Wnd& wnd) {
                    if (hit == Hit::Client) {
                        dbl ? wnd.OnLButtonDblClk(flags, client) : wnd.OnLButtonDown(flags, client);
                    } else {
                        dbl ? wnd.OnNcLButtonDblClk(hit, screen) : wnd.OnNcLButtonDown(hit, screen);
                    }
                },
                drag);
            m_pressPart = nullptr;
            const bool letQtDrag = m_dragRequested && part == m_title && qt::WndOf(this) != nullptr;
            event->setAccepted(!letQtDrag);
            return true;
        }
        case QEvent::MouseMove: {
            if (event->buttons() == Qt::NoButton && !captured) {
                QPointer<QWidget> previous = qt::CursorTarget();
                qt::CursorTarget() = part;
                bool set = false;
                qt::Dispatch(this, [&](Wnd& wnd) { set = wnd.OnSetCursor(hit); });
                if (!set && part != nullptr)
                    part->unsetCursor();
                qt::CursorTarget() = previous;
            }
            if (captured || hit == Hit::Client)
                qt::Dispatch(this, [&](Wnd& wnd) { wnd.OnMouseMove(flags, client); });
            event->setAccepted(captured);
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (event->button() != Qt::LeftButton || (!captured && hit != Hit::Client))
                return false;
            qt::Dispatch(this, [&](Wnd& wnd) { wnd.OnLButtonUp(flags, client); });
            event->setAccepted(captured);
            return true;
        default:
            return false;
        }
    }

    void RequestDrag() { m_dragRequested = true; }

    void PaintPart(QWidget* part, QPainter& painter)
    {
        if (isFloating() && part == m_title) {
            PaintFloatingCaption(painter);
            return;
        }
        const QPoint origin = -PartToWindow(part, QPoint(0, 0));
        DC dc(qt::PaintImpl(&painter, this, origin));
        const QSize window = WindowWidget()->size();
        // The frame's erasing of a bar's non-client area: the button face and the borders its
        // style still asks for, as etched lines.
        const auto erase = [&] {
            const Color face = GetSysColor(SysColor::BtnFace);
            const Color shadow = GetSysColor(SysColor::BtnShadow);
            const Color light = GetSysColor(SysColor::BtnHighlight);
            const int w = window.width();
            const int h = window.height();
            dc.FillSolidRect(Rect::FromSize(0, 0, w, h), face);
            const uint32_t style = m_bar->GetBarStyle();
            if (style & BarStyle::BorderTop) {
                dc.FillSolidRect(Rect::FromSize(0, 0, w, 1), shadow);
                dc.FillSolidRect(Rect::FromSize(0, 1, w, 1), light);
            }
            if (style & BarStyle::BorderLeft) {
                dc.FillSolidRect(Rect::FromSize(0, 0, 1, h), shadow);
                dc.FillSolidRect(Rect::FromSize(1, 0, 1, h), light);
            }
            if (style & BarStyle::BorderBottom)
                dc.FillSolidRect(Rect::FromSize(0, h - 1, w, 1), shadow);
            if (style & BarStyle::BorderRight)
                dc.FillSolidRect(Rect::FromSize(w - 1, 0, 1, h), shadow);
        };
        qt::Dispatch(
            this, [&](Wnd& wnd) { wnd.OnNcPaint(dc); }, erase);
    }

protected:
    bool event(QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            // Only while the bar has the mouse captured do its own events come here.
            if (Wnd::GetCapture() == m_bar && RouteMouse(this, static_cast<QMouseEvent*>(event)))
                return true;
            break;
        case QEvent::Resize: {
            const bool taken = QDockWidget::event(event);
            if (qt::WndOf(this) == nullptr)
                return taken;
            if (isFloating() && !m_resizing) {
                // The floating frame's sides are dragged by Qt; the bar hears each length.
                m_resizing = true;
                m_bar->CalcDynamicLayout(m_body->width(), 0);
                m_bar->CalcDynamicLayout(m_body->height(), LayoutMode::LengthY);
                m_resizing = false;
            }
            FrameChanged();
            return taken;
        }
        default:
            break;
        }
        return QDockWidget::event(event);
    }

private:
    void OnDockChanged()
    {
        if (qt::WndOf(this) == nullptr)
            return;
        // Alignment and borders follow the edge the bar sits at; a floating bar has all borders.
        uint32_t style = m_bar->GetBarStyle() & ~BarStyle::Floating;
        switch (m_bar->GetDockBarId()) {
        case IDW_DOCKBAR_TOP:
            style = (style & ~(BarStyle::AlignAny | BarStyle::BorderAny)) | BarStyle::Top;
            break;
        case IDW_DOCKBAR_LEFT:
            style = (style & ~(BarStyle::AlignAny | BarStyle::BorderAny)) | BarStyle::Left;
            break;
        case IDW_DOCKBAR_RIGHT:
            style = (style & ~(BarStyle::AlignAny | BarStyle::BorderAny)) | BarStyle::Right;
            break;
        case IDW_DOCKBAR_BOTTOM:
            style = (style & ~(BarStyle::AlignAny | BarStyle::BorderAny)) | BarStyle::Bottom;
            break;
        case IDW_DOCKBAR_FLOAT:
            style |= BarStyle::Floating | BarStyle::BorderAny;
            break;
        default:
            break;
        }
        m_bar->SetBarStyle(style);
        ApplySize();
        FrameChanged();
    }

    bool FloatingCaptionMouse(QMouseEvent* event)
    {
        if (event->button() != Qt::LeftButton)
            return false;
        const QPoint at = m_title->mapFromGlobal(event->globalPosition().toPoint());
        if (event->type() == QEvent::MouseButtonPress && FloatingCloseRect().contains(at)) {
            if (FrameWnd* frame = m_bar->GetDockingFrame())
                frame->ShowControlBar(m_bar, false, false);
            event->accept();
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_bar->ToggleDocking();
            event->accept();
            return true;
        }
        return false; // Qt drags the floating window by its caption
    }

    void PaintFloatingCaption(QPainter& painter)
    {
        const QRect caption = m_title->rect();
        painter.fillRect(caption, qt::ToQColor(GetSysColor(SysColor::Highlight)));
        const QRect close = FloatingCloseRect();
        DC dc(qt::PaintImpl(&painter, this));
        Font bold;
        bold.bold = true;
        dc.SelectFont(bold);
        dc.SetTextColor(GetSysColor(SysColor::HighlightText));
        const Rect text = qt::FromQ(caption.adjusted(4, 0, -(close.width() + 6), 0));
        dc.DrawString(m_bar->GetText(), text,
                      TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine | TextFormat::EndEllipsis);
        dc.DrawCaptionButton(qt::FromQ(close), CaptionButton::Close);
    }

    ControlBar* m_bar;
    DockPart* m_title = nullptr;
    DockPart* m_body = nullptr;
    QWidget* m_pressPart = nullptr;
    bool m_dragRequested = false;
    bool m_resizing = false;
};

DockPart::DockPart(DockBar* bar, Role role) : QWidget(bar), m_bar(bar), m_role(role)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize DockPart::sizeHint() const
{
    if (m_role == Role::Title) {
        const int extent = m_bar->TitleExtent();
        return QSize(extent, extent);
    }
    // The body holds what the bar hosts: as large as its largest child.
    QSize hint(0, 0);
    for (const QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        hint = hint.expandedTo(child->size());
    return hint;
}

bool DockPart::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (m_bar->RouteMouse(this, static_cast<QMouseEvent*>(event)))
            return true;
        event->ignore();
        return false;
    default:
        return QWidget::event(event);
    }
}

void DockPart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_bar->PaintPart(this, painter);
}

DockBar* DockBarOf(const ControlBar* bar)
{
    return dynamic_cast<DockBar*>(qt::WidgetOf(bar));
}

} // namespace

void qt::ApplyBarSize(ControlBar* bar)
{
    if (DockBar* dock = DockBarOf(bar))
        dock->ApplySize();
}

ControlBar::ControlBar() : m_impl(std::make_unique<Impl>()) {}

ControlBar::~ControlBar()
{
    if (m_frame != nullptr)
        m_frame->RemoveControlBar(this);
}

bool ControlBar::CreateBar(FrameWnd* frame, const std::string& title, uint32_t style, uint32_t id)
{
    auto* window = qobject_cast<QMainWindow*>(qt::WidgetOf(frame));
    if (window == nullptr || IsWindow())
        return false;
    m_frame = frame;
    m_barStyle = style & BarStyle::Mask;
    auto* dock = new DockBar(this, window);
    dock->setWindowTitle(qt::ToQ(title));
    dock->setObjectName(qt::ToQ(title));
    // The window: button-face background, arrow cursor; double clicks always arrive.
    QPalette colours = dock->palette();
    colours.setColor(QPalette::Window, qt::ToQColor(GetSysColor(SysColor::BtnFace)));
    dock->setPalette(colours);
    dock->setAutoFillBackground(true);
    dock->setCursor(Qt::ArrowCursor);
    qt::Attach(this, dock, style & ~WinStyle::Visible, id);
    GetImpl()->ncRecalc = [dock] { dock->FrameChanged(); };
    frame->AddControlBar(this);
    if (!(style & WinStyle::Visible))
        dock->hide();
    dock->RecalcNonClient();
    return true;
}

void ControlBar::EnableDocking(uint32_t alignment)
{
    m_dockingAlignment = alignment & BarStyle::AlignAny;
    QWidget* widget = qt::WidgetOf(this);
    if (auto* dock = qobject_cast<QDockWidget*>(widget)) {
        Qt::DockWidgetAreas areas;
        if (alignment & BarStyle::AlignTop)
            areas |= Qt::TopDockWidgetArea;
        if (alignment & BarStyle::AlignBottom)
            areas |= Qt::BottomDockWidgetArea;
        if (alignment & BarStyle::AlignLeft)
            areas |= Qt::LeftDockWidgetArea;
        if (alignment & BarStyle::AlignRight)
            areas |= Qt::RightDockWidgetArea;
        dock->setAllowedAreas(areas);
    } else if (auto* toolBar = qobject_cast<QToolBar*>(widget)) {
        Qt::ToolBarAreas areas;
        if (alignment & BarStyle::AlignTop)
            areas |= Qt::TopToolBarArea;
        if (alignment & BarStyle::AlignBottom)
            areas |= Qt::BottomToolBarArea;
        if (alignment & BarStyle::AlignLeft)
            areas |= Qt::LeftToolBarArea;
        if (alignment & BarStyle::AlignRight)
            areas |= Qt::RightToolBarArea;
        toolBar->setAllowedAreas(areas);
        toolBar->setFloatable(true);
    }
}

uint32_t ControlBar::GetDockBarId() const
{
    QWidget* widget = qt::WidgetOf(this);
    auto* window = qobject_cast<QMainWindow*>(qt::WidgetOf(m_frame));
    if (widget == nullptr || window == nullptr)
        return 0;
    if (auto* dock = qobject_cast<QDockWidget*>(widget)) {
        if (dock->isFloating())
            return IDW_DOCKBAR_FLOAT;
        if (!window->findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly).contains(dock))
            return 0;
        switch (window->dockWidgetArea(dock)) {
        case Qt::TopDockWidgetArea:
            return IDW_DOCKBAR_TOP;
        case Qt::LeftDockWidgetArea:
            return IDW_DOCKBAR_LEFT;
        case Qt::RightDockWidgetArea:
            return IDW_DOCKBAR_RIGHT;
        case Qt::BottomDockWidgetArea:
            return IDW_DOCKBAR_BOTTOM;
        default:
            return 0;
        }
    }
    if (auto* toolBar = qobject_cast<QToolBar*>(widget)) {
        if (toolBar->isFloating())
            return IDW_DOCKBAR_FLOAT;
        switch (window->toolBarArea(toolBar)) {
        case Qt::TopToolBarArea:
            return IDW_DOCKBAR_TOP;
        case Qt::LeftToolBarArea:
            return IDW_DOCKBAR_LEFT;
        case Qt::RightToolBarArea:
            return IDW_DOCKBAR_RIGHT;
        case Qt::BottomToolBarArea:
            return IDW_DOCKBAR_BOTTOM;
        default:
            return 0;
        }
    }
    return 0;
}

bool ControlBar::IsFloating() const
{
    return GetDockBarId() == IDW_DOCKBAR_FLOAT;
}

void ControlBar::ToggleDocking()
{
    // Once the message that asked is over: the bar leaves the frame under the pointer.
    QWidget* widget = qt::WidgetOf(this);
    if (widget == nullptr)
        return;
    WndRef<ControlBar> self(this);
    QMetaObject::invokeMethod(
        widget,
        [self] {
            if (DockBar* dock = DockBarOf(self))
                dock->ToggleDocking();
        },
        Qt::QueuedConnection);
}

void ControlBar::StartDrag(Point)
{
    // Qt's dock machinery drags from the title part, when the press there is left to it.
    if (DockBar* dock = DockBarOf(this))
        dock->RequestDrag();
}

} // namespace fw
