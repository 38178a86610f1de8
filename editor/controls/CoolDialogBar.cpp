#include "controls/CoolDialogBar.h"

#include "controls/CoolDialogBarTracker.h"
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/Dialog.h"
#include "framework/FrameWnd.h"

#include <QDataStream>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

using cool::DockSide;

namespace {

// Lines on the top and left in one colour, on the bottom and right in the other.
void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    if (rect.isEmpty())
        return;
    const int x = rect.x();
    const int y = rect.y();
    const int w = rect.width();
    const int h = rect.height();
    painter.fillRect(x, y, w - 1, 1, topLeft);
    painter.fillRect(x, y, 1, h - 1, topLeft);
    painter.fillRect(x + w - 1, y, 1, h, bottomRight);
    painter.fillRect(x, y + h - 1, w, 1, bottomRight);
}

enum class CaptionGlyph { Close, Maximize };

// A small raised caption button with its glyph, drawn in the button colours of palette.
void DrawCaptionButton(QPainter& painter, const QRect& rect, CaptionGlyph glyph, const QPalette& palette)
{
    if (rect.isEmpty())
        return;
    painter.fillRect(rect, palette.color(QPalette::Button));
    Draw3dRect(painter, rect, palette.color(QPalette::Light), palette.color(QPalette::Shadow));
    Draw3dRect(painter, rect.adjusted(1, 1, -1, -1), palette.color(QPalette::Midlight), palette.color(QPalette::Dark));
    const QRect inner = rect.adjusted(3, 3, -3, -3);
    if (inner.width() < 2 || inner.height() < 2)
        return;
    painter.save();
    const QColor ink = palette.color(QPalette::ButtonText);
    if (glyph == CaptionGlyph::Close) {
        painter.setPen(QPen(ink, 1.5));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawLine(QPointF(inner.left(), inner.top()),
                         QPointF(inner.left() + inner.width(), inner.top() + inner.height()));
        painter.drawLine(QPointF(inner.left() + inner.width(), inner.top()),
                         QPointF(inner.left(), inner.top() + inner.height()));
    } else {
        painter.fillRect(inner.x(), inner.y(), inner.width(), 2, ink);
        painter.fillRect(inner.x(), inner.y(), 1, inner.height(), ink);
        painter.fillRect(inner.x() + inner.width() - 1, inner.y(), 1, inner.height(), ink);
        painter.fillRect(inner.x(), inner.y() + inner.height() - 1, inner.width(), 1, ink);
    }
    painter.restore();
}

} // namespace

// The two widgets a bar is made of: the gripper (Qt's title bar slot; the caption while
// floating) and the body that holds the dialog. Both paint and hit-test through the bar in
// the bar's window coordinates.
class CoolDialogBar::Part : public QWidget {
public:
    enum class Role { Gripper, Body };

    Part(CoolDialogBar* bar, Role role) : QWidget(bar), m_bar(bar), m_role(role)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    QSize sizeHint() const override
    {
        if (m_role == Role::Gripper) {
            const int extent = m_bar->isFloating() ? m_bar->m_captionHeight : m_bar->m_gripperWidth;
            return QSize(extent, extent);
        }
        return m_bar->m_dialog ? m_bar->m_dialog->size() : QSize(0, 0);
    }
    QSize minimumSizeHint() const override { return m_role == Role::Gripper ? sizeHint() : QSize(0, 0); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (m_role == Role::Gripper && m_bar->isFloating()) {
            m_bar->PaintFloatingCaption(painter, rect());
            return;
        }
        painter.translate(-m_bar->PartToWindow(this, QPoint(0, 0)));
        m_bar->PaintNonClient(painter);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        bool taken = false;
        if (event->button() == Qt::LeftButton) {
            if (m_bar->isFloating()) {
                taken = m_role == Role::Gripper && m_bar->FloatingCaptionPress(event->position().toPoint());
            } else {
                const QPoint point = m_bar->PartToWindow(this, event->position().toPoint());
                taken = m_bar->NcLButtonDown(m_bar->HitTest(point), this);
            }
        }
        // What the bar leaves goes on to the dock machinery, which drags from the gripper.
        event->setAccepted(taken);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        bool taken = false;
        if (event->button() == Qt::LeftButton) {
            int hit = cool::HitClient;
            if (m_bar->isFloating()) {
                if (m_role == Role::Gripper)
                    hit = cool::HitCaption;
            } else {
                hit = m_bar->HitTest(m_bar->PartToWindow(this, event->position().toPoint()));
            }
            taken = m_bar->NcLButtonDblClk(hit);
        }
        event->setAccepted(taken);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        m_bar->MouseMove(this, m_bar->PartToWindow(this, event->position().toPoint()),
                         event->buttons() != Qt::NoButton);
        event->setAccepted(m_bar->IsTracking());
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        event->setAccepted(event->button() == Qt::LeftButton && m_bar->LButtonUp());
    }

private:
    CoolDialogBar* m_bar;
    Role m_role;
};

CoolDialogBar::CoolDialogBar()
    : m_highlight(palette().color(QPalette::Light)), m_shadow(palette().color(QPalette::Dark)),
      m_background(palette().color(QPalette::Button))
{
    m_captionHeight = std::max(16, fontMetrics().height() + 2);
    m_gripperPart = new Part(this, Part::Role::Gripper);
    m_bodyPart = new Part(this, Part::Role::Body);
    setTitleBarWidget(m_gripperPart);
    setWidget(m_bodyPart);
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    connect(this, &QDockWidget::dockLocationChanged, this, [this] { OnDockChanged(); });
    connect(this, &QDockWidget::topLevelChanged, this, [this] { OnDockChanged(); });
}

CoolDialogBar::~CoolDialogBar()
{
    if (m_tracking)
        StopTracking(false);
    // The hosted dialog belongs to whoever made it.
    if (m_dialog) {
        m_dialog->hide();
        m_dialog->setParent(nullptr);
    }
}

bool CoolDialogBar::Create(fw::FrameWnd* parent, fw::Dialog* dialog, const QString& title, uint32_t templateId,
                           uint32_t controlId, uint32_t style)
{
    Q_ASSERT(parent != nullptr);
    Q_ASSERT(!((style & fw::BarStyle::SizeFixed) && (style & fw::BarStyle::SizeDynamic)));
    if (parent == nullptr || m_frame != nullptr)
        return false;

    m_barStyle = style & fw::BarStyle::Mask;
    // The window: button-face background, arrow cursor; double clicks always arrive.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, m_background);
    setPalette(colours);
    setAutoFillBackground(true);
    setCursor(Qt::ArrowCursor);

    m_frame = parent;
    m_controlId = controlId;
    setParent(parent);
    setWindowTitle(title);
    setObjectName(title);
    parent->AddControlBar(controlId, this);
    if (!(style & fw::WinStyle::Visible))
        hide();

    m_dialog = dialog;
    if (dialog == nullptr || !dialog->Create(templateId, m_bodyPart))
        return false;

    const cool::InitialSizes sizes = cool::InitialSizesFor(dialog->size());
    m_floatSize = sizes.floating;
    m_horzSize = sizes.horizontal;
    m_vertSize = sizes.vertical;
    return true;
}

QByteArray CoolDialogBar::SaveSizes() const
{
    QByteArray sizes;
    QDataStream out(&sizes, QIODevice::WriteOnly);
    out << m_horzSize << m_vertSize << m_floatSize;
    return sizes;
}

bool CoolDialogBar::LoadSizes(const QByteArray& sizes)
{
    QDataStream in(sizes);
    QSize horizontal, vertical, floating;
    in >> horizontal >> vertical >> floating;
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return false;
    constexpr int kLargest = 16384; // beyond any screen: a damaged profile
    for (const QSize& size : {horizontal, vertical, floating}) {
        if (size.width() < m_minSize.width() || size.height() < m_minSize.height() || size.width() > kLargest ||
            size.height() > kLargest) {
            return false;
        }
    }
    m_horzSize = horizontal;
    m_vertSize = vertical;
    m_floatSize = floating;
    ApplyDockedSize();
    return true;
}

void CoolDialogBar::EnableDocking(uint32_t alignment)
{
    Qt::DockWidgetAreas areas;
    if (alignment & fw::BarStyle::AlignTop)
        areas |= Qt::TopDockWidgetArea;
    if (alignment & fw::BarStyle::AlignBottom)
        areas |= Qt::BottomDockWidgetArea;
    if (alignment & fw::BarStyle::AlignLeft)
        areas |= Qt::LeftDockWidgetArea;
    if (alignment & fw::BarStyle::AlignRight)
        areas |= Qt::RightDockWidgetArea;
    setAllowedAreas(areas);
}

void CoolDialogBar::OnUpdateCmdUI(fw::CmdTarget* target, bool disableIfNoHandler)
{
    if (m_dialog)
        m_dialog->UpdateDialogControls(target, disableIfNoHandler);
}

QPoint CoolDialogBar::WindowOrigin() const
{
    return isFloating() ? m_bodyPart->pos() : QPoint(0, 0);
}

QSize CoolDialogBar::WindowSize() const
{
    return isFloating() ? m_bodyPart->size() : size();
}

QPoint CoolDialogBar::PartToWindow(const QWidget* part, QPoint local) const
{
    return part->mapTo(this, local) - WindowOrigin();
}

QWidget* CoolDialogBar::PartAt(QPoint windowPoint, QPoint* local) const
{
    for (QWidget* part : {static_cast<QWidget*>(m_gripperPart), static_cast<QWidget*>(m_bodyPart)}) {
        const QPoint inPart = windowPoint + WindowOrigin() - part->pos();
        if (part->isVisible() && part->rect().contains(inPart)) {
            if (local != nullptr)
                *local = inPart;
            return part;
        }
    }
    return nullptr;
}

QPoint CoolDialogBar::WindowToGlobal(QPoint windowPoint) const
{
    return mapToGlobal(windowPoint + WindowOrigin());
}

uint32_t CoolDialogBar::CurrentDockBarId() const
{
    if (isFloating())
        return fw::IDW_DOCKBAR_FLOAT;
    if (!m_frame)
        return 0;
    switch (m_frame->dockWidgetArea(const_cast<CoolDialogBar*>(this))) {
    case Qt::TopDockWidgetArea:
        return fw::IDW_DOCKBAR_TOP;
    case Qt::LeftDockWidgetArea:
        return fw::IDW_DOCKBAR_LEFT;
    case Qt::RightDockWidgetArea:
        return fw::IDW_DOCKBAR_RIGHT;
    case Qt::BottomDockWidgetArea:
        return fw::IDW_DOCKBAR_BOTTOM;
    default:
        return 0;
    }
}

void CoolDialogBar::OnDockChanged()
{
    // Alignment and borders follow the edge the bar sits at; a floating bar has all borders.
    using namespace fw::BarStyle;
    uint32_t style = m_barStyle & ~Floating;
    switch (cool::DockSideOf(CurrentDockBarId())) {
    case DockSide::Top:
        style = (style & ~(AlignAny | BorderAny)) | Top;
        break;
    case DockSide::Left:
        style = (style & ~(AlignAny | BorderAny)) | Left;
        break;
    case DockSide::Right:
        style = (style & ~(AlignAny | BorderAny)) | Right;
        break;
    case DockSide::Bottom:
        style = (style & ~(AlignAny | BorderAny)) | Bottom;
        break;
    case DockSide::Floating:
        if (isFloating())
            style |= Floating | BorderAny;
        break;
    }
    m_barStyle = style;
    OnWindowPosChanged();
}

void CoolDialogBar::OnWindowPosChanged()
{
    if (!m_dialog)
        return;
    if (m_inRecalc) {
        PlaceDialog();
        return;
    }
    const uint32_t parentId = CurrentDockBarId();
    const QSize size = WindowSize();
    const bool allBorders = (m_barStyle & fw::BarStyle::BorderAny) == fw::BarStyle::BorderAny;
    if (parentId != m_dockBarId || size != m_lastSize || allBorders) {
        m_dockBarId = parentId;
        m_inRecalc = true;
        // New size constraints can resize the bar on the spot; lay out again for the new size.
        int pass = 0;
        do {
            m_lastSize = WindowSize();
            RecalcNonClient();
        } while (WindowSize() != m_lastSize && ++pass < 3);
        m_inRecalc = false;
    }
}

void CoolDialogBar::RecalcNonClient()
{
    const DockSide side = Side();
    const QSize window = WindowSize();
    const cool::NonClientLayout layout = cool::CalcNonClient(side, window);
    m_barStyle &= ~layout.clearedBorder;
    m_edgeRect = layout.edge;
    m_clientRect = layout.client;
    const cool::GripperLayout gripper = cool::CalcGripper(side, window);
    m_gripperRect = gripper.gripper;
    m_closeButtonRect = gripper.closeButton;
    m_floatButtonRect = gripper.floatButton;

    // Docked at the top or bottom the gripper runs down the leading side.
    QDockWidget::DockWidgetFeatures features = QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable;
    if (cool::IsHorizontal(side))
        features |= QDockWidget::DockWidgetVerticalTitleBar;
    setFeatures(features);
    m_gripperPart->updateGeometry();
    ApplyDockedSize();
    PlaceDialog();
    m_gripperPart->update();
    m_bodyPart->update();
}

void CoolDialogBar::ApplyDockedSize()
{
    if (isFloating()) {
        setMinimumSize(m_minTrackWidth, m_minTrackHeight);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return;
    }
    if (Side() == DockSide::Floating)
        return; // not docked yet
    // Across the dock the bar has its own size; along it the dock bar decides.
    const QSize fixed = CalcFixedLayout(false, IsHorz());
    if (IsHorz()) {
        setMinimumSize(0, fixed.height());
        setMaximumSize(QWIDGETSIZE_MAX, fixed.height());
    } else {
        setMinimumSize(fixed.width(), 0);
        setMaximumSize(fixed.width(), QWIDGETSIZE_MAX);
    }
}

void CoolDialogBar::PlaceDialog()
{
    if (!m_dialog)
        return;
    QRect client = m_clientRect.translated(WindowOrigin() - m_bodyPart->pos());
    client.setWidth(std::max(0, client.width()));
    client.setHeight(std::max(0, client.height()));
    m_dialog->setGeometry(client);
}

QSize CoolDialogBar::CalcFixedLayout(bool stretch, bool horizontal) const
{
    const DockSide side = isFloating() ? DockSide::Floating : (Side() == DockSide::Floating ? DockSide::Left : Side());
    int topLength = 0;
    int leftLength = 0;
    if (m_frame) {
        topLength = m_frame->width();
        const QWidget* middle = m_frame->centralWidget();
        leftLength = middle != nullptr ? middle->height() : m_frame->height();
    }
    return cool::FixedLayout(side, stretch, horizontal, m_floatSize, m_horzSize, m_vertSize, topLength, leftLength);
}

QSize CoolDialogBar::CalcDynamicLayout(int length, uint32_t mode)
{
    using namespace fw::LayoutMode;
    if (mode & (HorzDock | VertDock)) {
        if (!m_inRecalc) {
            m_inRecalc = true;
            RecalcNonClient();
            m_inRecalc = false;
        }
        if (m_frame)
            m_frame->RecalcLayout();
        return CalcFixedLayout((mode & Stretch) != 0, (mode & Horz) != 0);
    }
    if (isFloating()) {
        // The floating frame's corners are dragged by the dock machinery; what they give
        // comes back here one length at a time.
        if (length >= 0) {
            if (mode & LengthY) {
                m_floatSize.setHeight(std::max(length, m_minSize.height()));
            } else {
                m_floatSize.setWidth(std::max(length, m_minSize.width()));
            }
        }
        return m_floatSize;
    }
    return CalcFixedLayout((mode & Stretch) != 0, (mode & Horz) != 0);
}

void CoolDialogBar::ToggleDocking()
{
    if (m_tracking)
        return;
    if (isFloating()) {
        setFloating(false); // back to where it was docked
        return;
    }
    setFloating(true);
    ApplyFloatingGeometry();
}

void CoolDialogBar::ApplyFloatingGeometry()
{
    if (QLayout* own = layout())
        own->activate();
    const QSize frameExtra = size() - m_bodyPart->size();
    resize(m_floatSize + frameExtra);
    if (QLayout* own = layout())
        own->activate();
}

void CoolDialogBar::resizeEvent(QResizeEvent* event)
{
    QDockWidget::resizeEvent(event);
    if (isFloating() && !m_inRecalc) {
        CalcDynamicLayout(m_bodyPart->width(), 0);
        CalcDynamicLayout(m_bodyPart->height(), fw::LayoutMode::LengthY);
    }
    OnWindowPosChanged();
}

int CoolDialogBar::HitTest(QPoint windowPoint) const
{
    const int fallback = m_clientRect.contains(windowPoint) ? cool::HitClient : cool::HitNowhere;
    if (isFloating() || Side() == DockSide::Floating)
        return fallback;
    cool::GripperLayout gripper;
    gripper.gripper = m_gripperRect;
    gripper.closeButton = m_closeButtonRect;
    gripper.floatButton = m_floatButtonRect;
    return cool::HitTestDocked(gripper, m_edgeRect, windowPoint, fallback);
}

bool CoolDialogBar::NcLButtonDown(int hit, QWidget* part)
{
    if (m_tracking)
        return true;
    if (isFloating())
        return false;
    switch (hit) {
    case cool::HitSysMenu:
        if (m_frame)
            m_frame->ShowControlBar(this, false, false);
        return true;
    case cool::HitMinButton:
        // Floated once the press is over: the bar leaves the frame under the pointer.
        QMetaObject::invokeMethod(
            this, [this] { ToggleDocking(); }, Qt::QueuedConnection);
        return true;
    case cool::HitCaption:
        return false; // the dock machinery drags the bar from its gripper
    case cool::HitSize:
        StartTracking(part);
        return true;
    default:
        return false;
    }
}

bool CoolDialogBar::NcLButtonDblClk(int hit)
{
    if (m_tracking || hit != cool::HitCaption)
        return false;
    QMetaObject::invokeMethod(
        this, [this] { ToggleDocking(); }, Qt::QueuedConnection);
    return true;
}

QRect CoolDialogBar::FloatingCloseRect(const QRect& caption) const
{
    const int extent = std::max(0, caption.height() - 4);
    return QRect(caption.x() + caption.width() - extent - 2, caption.y() + 2, extent, extent);
}

bool CoolDialogBar::FloatingCaptionPress(QPoint captionPoint)
{
    if (!FloatingCloseRect(m_gripperPart->rect()).contains(captionPoint))
        return false;
    if (m_frame)
        m_frame->ShowControlBar(this, false, false);
    return true;
}

void CoolDialogBar::MouseMove(QWidget* part, QPoint windowPoint, bool buttonsDown)
{
    if (m_tracking) {
        // Points are window coordinates already, whichever side the bar is docked at.
        const QRect moved = cool::MoveTracker(m_trackerRect, windowPoint, IsHorz());
        if (moved != m_trackerRect) {
            OnInvertTracker();
            m_trackerRect = moved;
            OnInvertTracker();
        }
        return;
    }
    if (buttonsDown)
        return;
    if (HitTest(windowPoint) == cool::HitSize) {
        part->setCursor(IsHorz() ? Qt::SizeVerCursor : Qt::SizeHorCursor);
    } else {
        part->setCursor(Qt::ArrowCursor);
    }
}

bool CoolDialogBar::LButtonUp()
{
    if (!m_tracking)
        return false;
    StopTracking(true);
    return true;
}

void CoolDialogBar::OnCaptureChanged()
{
    if (m_tracking)
        StopTracking(false);
}

bool CoolDialogBar::eventFilter(QObject* watched, QEvent* event)
{
    if (m_tracking && watched == m_frame && event->type() == QEvent::WindowDeactivate)
        StopTracking(false);
    return QDockWidget::eventFilter(watched, event);
}

QWidget* CoolDialogBar::GripperPart() const
{
    return m_gripperPart;
}

QWidget* CoolDialogBar::BodyPart() const
{
    return m_bodyPart;
}

bool CoolDialogBar::IsTrackerShown() const
{
    return m_tracker != nullptr && m_tracker->IsShown();
}

void CoolDialogBar::StartTracking(QWidget* capture)
{
    m_capture = capture;
    capture->grabMouse();
    if (!m_tracker)
        m_tracker = std::make_unique<CoolDialogBarTracker>();
    if (m_frame) {
        // Everything drawn now; the tracker inverts this picture of the frame. The frame itself
        // keeps painting, so what the moving tracker uncovers is restored at once.
        m_frame->repaint();
        m_tracker->Begin(m_frame);
        m_frame->installEventFilter(this);
    }
    m_oldPoint = cool::CenterPoint(m_edgeRect);
    m_tracking = true;
    m_trackerRect = cool::TrackerStartRect(m_edgeRect, IsHorz());
    OnInvertTracker();
}

void CoolDialogBar::StopTracking(bool accept)
{
    OnInvertTracker();
    if (m_frame)
        m_frame->removeEventFilter(this);
    if (m_tracker)
        m_tracker->End();
    m_tracking = false;
    if (m_capture)
        m_capture->releaseMouse();
    m_capture = nullptr;
    if (!accept)
        return;

    const bool horizontal = IsHorz();
    int size = horizontal ? m_horzSize.height() : m_vertSize.width();
    const int frameExtent = m_frame ? (horizontal ? m_frame->height() : m_frame->width()) : 0;
    const QPoint movement = cool::CenterPoint(m_trackerRect) - m_oldPoint;
    size =
        cool::ResizedExtent(Side(), size, movement, frameExtent, horizontal ? m_minSize.height() : m_minSize.width());
    if (horizontal) {
        m_horzSize.setHeight(size);
    } else {
        m_vertSize.setWidth(size);
    }
    ApplyDockedSize();
    if (m_frame)
        m_frame->RecalcLayout();
}

void CoolDialogBar::OnInvertTracker()
{
    Q_ASSERT(!m_trackerRect.isEmpty() && m_tracking);
    if (!m_frame || !m_tracker || m_trackerRect.isEmpty())
        return;
    const QPoint topLeft = mapTo(m_frame, m_trackerRect.topLeft() + WindowOrigin());
    m_tracker->Invert(QRect(topLeft, m_trackerRect.size()).adjusted(1, 1, -1, -1));
}

void CoolDialogBar::PaintNonClient(QPainter& painter) const
{
    const QRect window(QPoint(0, 0), WindowSize());
    painter.fillRect(window, m_background);

    // The borders the bar style still asks for, as etched lines.
    using namespace fw::BarStyle;
    const int w = window.width();
    const int h = window.height();
    if (m_barStyle & BorderTop) {
        painter.fillRect(0, 0, w, 1, m_shadow);
        painter.fillRect(0, 1, w, 1, m_highlight);
    }
    if (m_barStyle & BorderLeft) {
        painter.fillRect(0, 0, 1, h, m_shadow);
        painter.fillRect(1, 0, 1, h, m_highlight);
    }
    if (m_barStyle & BorderBottom)
        painter.fillRect(0, h - 1, w, 1, m_shadow);
    if (m_barStyle & BorderRight)
        painter.fillRect(w - 1, 0, 1, h, m_shadow);

    Draw3dRect(painter, m_edgeRect, m_highlight, m_shadow);
    if (isFloating() || Side() == DockSide::Floating)
        return;

    const cool::GripperLayout gripper = cool::CalcGripper(Side(), WindowSize());
    for (const QRect& line : gripper.gripLines)
        Draw3dRect(painter, line, m_highlight, m_shadow);
    DrawCaptionButton(painter, m_closeButtonRect, CaptionGlyph::Close, palette());
    DrawCaptionButton(painter, m_floatButtonRect, CaptionGlyph::Maximize, palette());
}

void CoolDialogBar::PaintFloatingCaption(QPainter& painter, const QRect& caption) const
{
    painter.fillRect(caption, palette().color(QPalette::Highlight));
    const QRect close = FloatingCloseRect(caption);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::HighlightedText));
    const QRect text = caption.adjusted(4, 0, -(close.width() + 6), 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(windowTitle(), Qt::ElideRight, text.width()));
    DrawCaptionButton(painter, close, CaptionGlyph::Close, palette());
}
