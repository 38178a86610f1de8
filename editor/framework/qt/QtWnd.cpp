// fw::Wnd on Qt: the peer widget, its events as message handlers, geometry, capture and the
// destruction sequence.
#include "framework/qt/QtWnd.h"

#include "framework/FrameWnd.h"
#include "framework/Keys.h"
#include "framework/Resources.h"
#include "framework/System.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QWheelEvent>

#include <vector>

namespace fw {
namespace {

constexpr const char* kWndProperty = "fw.wnd";

// The window that has the mouse captured, as SetCapture set it.
WndRef<Wnd>& CaptureHolder()
{
    static WndRef<Wnd> holder;
    return holder;
}

int SizeTypeOf(const QWidget* widget)
{
    const QWidget* window = widget->window();
    if (window->isMinimized())
        return SizeType::Minimized;
    if (window->isMaximized() && window == widget)
        return SizeType::Maximized;
    return SizeType::Restored;
}

} // namespace

bool qt::IsBusy(const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (Wnd* wnd = qt::WndOf(w); wnd != nullptr && wnd->GetImpl()->eventDepth > 0)
            return true;
    }
    return false;
}

namespace {

// Every object whose peer lies inside widget, parents before their children.
std::vector<Wnd*> ObjectsInside(QWidget* widget)
{
    std::vector<Wnd*> objects;
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        if (Wnd* wnd = qt::WndOf(child))
            objects.push_back(wnd);
    }
    return objects;
}

void Detach(Wnd* wnd)
{
    Wnd::Impl* impl = wnd->GetImpl();
    if (impl->widget)
        impl->widget->setProperty(kWndProperty, QVariant());
    impl->widget = nullptr;
    if (CaptureHolder().Get() == wnd) {
        if (QWidget* grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
        if (impl->nativeChild)
            impl->nativeChild->setMouseGrabEnabled(false);
        CaptureHolder() = nullptr;
    }
}

// The messages of destruction for the objects inside widget: OnDestroy parents first, then
// PostNcDestroy children first. Their windows are gone afterwards.
void DestroyObjectsInside(QWidget* widget)
{
    const std::vector<Wnd*> objects = ObjectsInside(widget);
    std::vector<WndRef<Wnd>> alive(objects.begin(), objects.end());
    for (const WndRef<Wnd>& wnd : alive) {
        if (Wnd* object = wnd)
            object->OnDestroy();
    }
    for (auto it = alive.rbegin(); it != alive.rend(); ++it) {
        if (Wnd* object = *it) {
            Detach(object);
            object->PostNcDestroy();
        }
    }
}

} // namespace

namespace qt {

QPointer<QWidget>& CursorTarget()
{
    static QPointer<QWidget> target;
    return target;
}

QString ToQ(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQ(const QString& text)
{
    return text.toStdString();
}

QRect ToQ(const Rect& rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

Rect FromQ(const QRect& rect)
{
    return Rect::FromSize(rect.x(), rect.y(), rect.width(), rect.height());
}

QColor ToQColor(Color color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

Color FromQColor(const QColor& color)
{
    return MakeColor(color.red(), color.green(), color.blue());
}

QImage ToQImage(const Image& image)
{
    if (image.IsNull())
        return QImage();
    QImage out(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.width; ++x)
            line[x] = image.At(x, y);
    }
    return out;
}

Image FromQImage(const QImage& source)
{
    if (source.isNull())
        return Image();
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    Image out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out.At(x, y) = line[x];
    }
    return out;
}

QIcon IconResource(uint32_t id)
{
    const ResourceTable& table = ResourceTable::Instance();
    if (!table.HasIcon(id))
        return QIcon();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(ToQImage(table.Icon(id, size))));
    return icon;
}

QWidget* WidgetOf(const Wnd* wnd)
{
    return wnd != nullptr ? wnd->GetImpl()->widget.data() : nullptr;
}

Wnd* WndOf(const QObject* widget)
{
    if (widget == nullptr)
        return nullptr;
    const QVariant value = widget->property(kWndProperty);
    return value.isValid() ? reinterpret_cast<Wnd*>(value.value<quintptr>()) : nullptr;
}

Wnd* OwnerAbove(const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (Wnd* wnd = WndOf(w))
            return wnd;
    }
    return nullptr;
}

void Attach(Wnd* wnd, QWidget* widget, uint32_t style, uint32_t id)
{
    Wnd::Impl* impl = wnd->GetImpl();
    impl->widget = widget;
    impl->style = style;
    impl->id = id;
    widget->setProperty(kWndProperty, QVariant::fromValue(reinterpret_cast<quintptr>(wnd)));
}

QWidget* WindowArea(const Wnd* wnd)
{
    const Wnd::Impl* impl = wnd->GetImpl();
    return impl->windowArea ? impl->windowArea.data() : impl->widget.data();
}

QWidget* ChildHost(const Wnd* parent)
{
    if (parent == nullptr)
        return nullptr;
    const Wnd::Impl* impl = parent->GetImpl();
    return impl->childHost ? impl->childHost.data() : impl->widget.data();
}

QRect ChildGeometry(const Wnd* parent, const Rect& clientRect)
{
    QRect rect = ToQ(clientRect);
    if (parent != nullptr)
        rect.translate(parent->GetImpl()->childOffset);
    return rect;
}

uint32_t MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    uint32_t flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MouseFlag::LButton;
    if (buttons & Qt::RightButton)
        flags |= MouseFlag::RButton;
    if (buttons & Qt::MiddleButton)
        flags |= MouseFlag::MButton;
    if (modifiers & Qt::ShiftModifier)
        flags |= MouseFlag::Shift;
    if (modifiers & Qt::ControlModifier)
        flags |= MouseFlag::Control;
    return flags;
}

namespace {

struct KeyPair {
    int qt;
    uint32_t key;
};

// clang-format off
const KeyPair kKeys[] = {
    {Qt::Key_Backspace, Key::Back}, {Qt::Key_Tab, Key::Tab}, {Qt::Key_Return, Key::Return},
    {Qt::Key_Enter, Key::Return}, {Qt::Key_Shift, Key::Shift}, {Qt::Key_Control, Key::Control},
    {Qt::Key_Alt, Key::Menu}, {Qt::Key_Escape, Key::Escape}, {Qt::Key_Space, Key::Space},
    {Qt::Key_PageUp, Key::Prior}, {Qt::Key_PageDown, Key::Next}, {Qt::Key_End, Key::End},
    {Qt::Key_Home, Key::Home}, {Qt::Key_Left, Key::Left}, {Qt::Key_Up, Key::Up},
    {Qt::Key_Right, Key::Right}, {Qt::Key_Down, Key::Down}, {Qt::Key_Insert, Key::Insert},
    {Qt::Key_Delete, Key::Delete},
};
// clang-format on

} // namespace

uint32_t KeyCode(int qtKey)
{
    for (const KeyPair& pair : kKeys) {
        if (pair.qt == qtKey)
            return pair.key;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<uint32_t>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<uint32_t>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return Key::F1 + static_cast<uint32_t>(qtKey - Qt::Key_F1);
    return 0;
}

int QtKey(uint32_t key)
{
    for (const KeyPair& pair : kKeys) {
        if (pair.key == key)
            return pair.qt;
    }
    if (key >= 'A' && key <= 'Z')
        return Qt::Key_A + static_cast<int>(key - 'A');
    if (key >= '0' && key <= '9')
        return Qt::Key_0 + static_cast<int>(key - '0');
    if (key >= Key::F1 && key < Key::F1 + 12)
        return Qt::Key_F1 + static_cast<int>(key - Key::F1);
    return 0;
}

bool Dispatch(QWidget* peer, const std::function<void(Wnd&)>& handler, std::function<void()> def)
{
    Wnd* wnd = WndOf(peer);
    if (wnd == nullptr)
        return false;
    WndRef<Wnd> alive(wnd);
    Wnd::Impl* impl = wnd->GetImpl();
    std::function<void()> saved = std::move(impl->defaultAction);
    impl->defaultAction = std::move(def);
    ++impl->eventDepth;
    handler(*wnd);
    if (alive) {
        --impl->eventDepth;
        impl->defaultAction = std::move(saved);
    }
    return true;
}

bool RouteEvent(QWidget* peer, QEvent* event, const std::function<bool(QEvent*)>& base)
{
    if (WndOf(peer) == nullptr)
        return false;
    const auto callBase = [&base, event] { base(event); };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        const uint32_t flags = MouseFlags(e->buttons(), e->modifiers());
        const Point point = FromQ(e->position().toPoint());
        const bool left = e->button() == Qt::LeftButton;
        const bool right = e->button() == Qt::RightButton;
        if (!left && !right)
            return false;
        e->accept();
        Dispatch(
            peer,
            [&](Wnd& wnd) {
                if (event->type() == QEvent::MouseButtonRelease) {
                    left ? wnd.OnLButtonUp(flags, point) : wnd.OnRButtonUp(flags, point);
                } else if (event->type() == QEvent::MouseButtonDblClick && left) {
                    wnd.OnLButtonDblClk(flags, point);
                } else {
                    left ? wnd.OnLButtonDown(flags, point) : wnd.OnRButtonDown(flags, point);
                }
            },
            callBase);
        return true;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        const uint32_t flags = MouseFlags(e->buttons(), e->modifiers());
        const Point point = FromQ(e->position().toPoint());
        if (e->buttons() == Qt::NoButton) {
            QPointer<QWidget> previous = CursorTarget();
            CursorTarget() = peer;
            bool set = false;
            Dispatch(peer, [&](Wnd& wnd) { set = wnd.OnSetCursor(Hit::Client); });
            if (!set && peer != nullptr)
                peer->unsetCursor();
            CursorTarget() = previous;
        }
        e->accept();
        Dispatch(
            peer, [&](Wnd& wnd) { wnd.OnMouseMove(flags, point); }, callBase);
        return true;
    }
    case QEvent::Wheel: {
        auto* e = static_cast<QWheelEvent*>(event);
        const int delta = e->angleDelta().y(); // 120 a notch, positive away from the user
        if (delta == 0)
            return false;
        e->accept();
        Dispatch(
            peer,
            [&](Wnd& wnd) {
                wnd.OnMouseWheel(MouseFlags(e->buttons(), e->modifiers()), static_cast<short>(delta),
                                 FromQ(e->globalPosition().toPoint()));
            },
            callBase);
        return true;
    }
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        const uint32_t key = KeyCode(e->key());
        if (key == 0)
            return false;
        e->accept();
        Dispatch(
            peer, [&](Wnd& wnd) { wnd.OnKeyDown(key, 1, 0); }, callBase);
        return true;
    }
    case QEvent::Paint: {
        QPainter painter(peer);
        DC dc(PaintImpl(&painter, peer));
        Wnd::Impl* impl = WndOf(peer)->GetImpl();
        impl->painting = true;
        Dispatch(peer, [&](Wnd& wnd) { wnd.OnPaint(dc); });
        if (Wnd* still = WndOf(peer))
            still->GetImpl()->painting = false;
        return true;
    }
    case QEvent::Resize: {
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        const int type = SizeTypeOf(peer);
        base(event);
        Dispatch(peer, [&](Wnd& wnd) { wnd.OnSize(type, size.width(), size.height()); });
        Dispatch(peer, [&](Wnd& wnd) { wnd.OnWindowPosChanged(); });
        return true;
    }
    case QEvent::Move:
        base(event);
        Dispatch(peer, [&](Wnd& wnd) { wnd.OnWindowPosChanged(); });
        return true;
    case QEvent::FocusOut: {
        base(event);
        Wnd* focus = OwnerAbove(QApplication::focusWidget());
        Dispatch(peer, [&](Wnd& wnd) { wnd.OnKillFocus(focus); });
        return true;
    }
    case QEvent::Close:
        // The object decides: its OnClose destroys the window (or does not).
        event->ignore();
        Dispatch(peer, [&](Wnd& wnd) { wnd.OnClose(); });
        return true;
    default:
        return false;
    }
}

std::unique_ptr<DC::Impl> PaintImpl(QPainter* painter, const QWidget* fontOf, QPoint origin)
{
    auto impl = std::make_unique<DC::Impl>();
    impl->painter = painter;
    impl->font = fontOf;
    impl->origin = origin;
    if (painter != nullptr && fontOf != nullptr) {
        painter->setFont(fontOf->font());
        impl->textColor = fontOf->palette().color(QPalette::ButtonText);
    }
    if (painter != nullptr)
        painter->translate(origin);
    return impl;
}

WndWidget::WndWidget(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setMouseTracking(true);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        Dispatch(this, [state](Wnd& wnd) { wnd.OnActivateApp(state == Qt::ApplicationActive); });
    });
}

bool WndWidget::event(QEvent* event)
{
    if (RouteEvent(this, event, [this](QEvent* e) { return QWidget::event(e); }))
        return true;
    return QWidget::event(event);
}

void DisposeWidget(QWidget* widget, bool busy)
{
    if (widget == nullptr)
        return;
    if (busy) {
        widget->hide();
        widget->deleteLater();
        return;
    }
    delete widget;
}

} // namespace qt

Wnd::Wnd() : m_impl(std::make_unique<Impl>()) {}

Wnd::~Wnd()
{
    QWidget* widget = m_impl->widget;
    if (widget == nullptr)
        return;
    // The windows inside go with this one, and their objects hear of it; this object does not
    // (it is going).
    const bool busy = qt::IsBusy(widget);
    DestroyObjectsInside(widget);
    Detach(this);
    qt::DisposeWidget(widget, busy);
}

bool Wnd::CreateEx(uint32_t, const std::string& title, uint32_t style, const Rect& rect, Wnd* parent, uint32_t id)
{
    if (IsWindow())
        return false;
    QWidget* host = qt::ChildHost(parent);
    const bool popup = (style & WinStyle::Popup) != 0;
    if (!popup && host == nullptr && (style & WinStyle::Child))
        return false; // a child needs its parent
    const Qt::WindowFlags flags = popup ? Qt::Popup : Qt::Widget;
    auto* widget = new qt::WndWidget(host, flags);
    widget->setAttribute(Qt::WA_DeleteOnClose, false);
    widget->setWindowTitle(qt::ToQ(title));
    qt::Attach(this, widget, style & ~WinStyle::Visible, id);
    widget->setGeometry(popup || host == nullptr ? qt::ToQ(rect) : qt::ChildGeometry(parent, rect));
    int created = 0;
    qt::Dispatch(widget, [&](Wnd& wnd) { created = wnd.OnCreate(); });
    if (created == -1) {
        Detach(this);
        delete widget;
        return false;
    }
    if (style & WinStyle::Visible)
        widget->show();
    return true;
}

bool Wnd::DestroyWindow()
{
    QWidget* widget = m_impl->widget;
    if (widget == nullptr)
        return false;
    WndRef<Wnd> self(this);
    const bool busy = qt::IsBusy(widget);
    OnDestroy();
    if (!self)
        return true;
    DestroyObjectsInside(widget);
    Detach(this);
    widget->hide();
    qt::DisposeWidget(widget, busy);
    if (self)
        PostNcDestroy();
    return true;
}

bool Wnd::IsWindow() const
{
    return m_impl->widget != nullptr;
}

Rect Wnd::GetWindowRect() const
{
    const QWidget* area = qt::WindowArea(this);
    if (area == nullptr)
        return Rect();
    return Rect::FromSize(qt::FromQ(area->mapToGlobal(QPoint(0, 0))), Size{area->width(), area->height()});
}

Rect Wnd::GetClientRect() const
{
    const QWidget* area = qt::WindowArea(this);
    if (area == nullptr)
        return Rect();
    if (m_impl->hasNonClient)
        return Rect::FromSize(0, 0, std::max(0, m_impl->ncClient.Width()), std::max(0, m_impl->ncClient.Height()));
    return Rect::FromSize(0, 0, area->width(), area->height());
}

Point Wnd::ClientToScreen(Point point) const
{
    const QWidget* area = qt::WindowArea(this);
    if (area == nullptr)
        return point;
    const Point origin = m_impl->hasNonClient ? m_impl->ncClient.TopLeft() : Point{};
    return qt::FromQ(area->mapToGlobal(qt::ToQ(point + origin)));
}

Rect Wnd::ClientToScreen(const Rect& rect) const
{
    return Rect::FromSize(ClientToScreen(rect.TopLeft()), rect.GetSize());
}

Point Wnd::ScreenToClient(Point point) const
{
    const QWidget* area = qt::WindowArea(this);
    if (area == nullptr)
        return point;
    const Point origin = m_impl->hasNonClient ? m_impl->ncClient.TopLeft() : Point{};
    return qt::FromQ(area->mapFromGlobal(qt::ToQ(point))) - origin;
}

void Wnd::MoveWindow(const Rect& rect, bool repaint)
{
    QWidget* widget = m_impl->widget;
    if (widget == nullptr)
        return;
    const Wnd* parent = widget->isWindow() ? nullptr : qt::OwnerAbove(widget->parentWidget());
    widget->setGeometry(parent != nullptr ? qt::ChildGeometry(parent, rect) : qt::ToQ(rect));
    if (repaint)
        widget->update();
}

bool Wnd::ShowWindow(int showCmd)
{
    QWidget* widget = m_impl->widget;
    if (widget == nullptr)
        return false;
    const bool was = !widget->isHidden();
    switch (showCmd) {
    case ShowCmd::Hide:
        widget->hide();
        break;
    case ShowCmd::Minimized:
        widget->showMinimized();
        break;
    case ShowCmd::Maximized:
        widget->showMaximized();
        break;
    case ShowCmd::Normal:
    case ShowCmd::Restore:
        if (widget->isWindow()) {
            widget->showNormal();
        } else {
            widget->show();
        }
        break;
    default:
        widget->show();
        break;
    }
    return was;
}

bool Wnd::IsWindowVisible() const
{
    return m_impl->widget != nullptr && m_impl->widget->isVisible();
}

bool Wnd::IsIconic() const
{
    return m_impl->widget != nullptr && m_impl->widget->isMinimized();
}

void Wnd::Invalidate()
{
    if (m_impl->painting)
        return;
    if (QWidget* area = qt::WindowArea(this))
        area->update();
}

void Wnd::InvalidateRect(const Rect& clientRect)
{
    if (m_impl->painting)
        return;
    if (QWidget* area = qt::WindowArea(this)) {
        const Point origin = m_impl->hasNonClient ? m_impl->ncClient.TopLeft() : Point{};
        area->update(qt::ToQ(clientRect.Offset(origin)));
    }
}

void Wnd::UpdateWindow()
{
    if (QWidget* area = qt::WindowArea(this))
        area->repaint();
}

void Wnd::SetRedraw(bool redraw)
{
    if (m_impl->widget != nullptr)
        m_impl->widget->setUpdatesEnabled(redraw);
}

void Wnd::SetText(const std::string& text)
{
    QWidget* widget = m_impl->widget;
    if (widget == nullptr)
        return;
    const QString value = qt::ToQ(text);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(value);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        edit->setPlainText(value);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(value);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(value);
    } else {
        widget->setWindowTitle(value);
    }
}

std::string Wnd::GetText() const
{
    const QWidget* widget = m_impl->widget;
    if (widget == nullptr)
        return std::string();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return qt::FromQ(button->text());
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return qt::FromQ(label->text());
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(widget))
        return qt::FromQ(edit->toPlainText());
    if (auto* line = qobject_cast<const QLineEdit*>(widget))
        return qt::FromQ(line->text());
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
        return qt::FromQ(group->title());
    return qt::FromQ(widget->windowTitle());
}

void Wnd::SetCapture()
{
    QWidget* widget = m_impl->widget;
    if (widget == nullptr)
        return;
    Wnd* previous = CaptureHolder();
    CaptureHolder() = this;
    if (previous != nullptr && previous != this)
        previous->OnCaptureChanged(this);
    if (m_impl->nativeChild) {
        m_impl->nativeChild->setMouseGrabEnabled(true);
    } else {
        widget->grabMouse();
    }
}

void Wnd::ReleaseCapture()
{
    Wnd* holder = CaptureHolder();
    CaptureHolder() = nullptr;
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (holder != nullptr && holder->GetImpl()->nativeChild)
        holder->GetImpl()->nativeChild->setMouseGrabEnabled(false);
    if (holder != nullptr)
        holder->OnCaptureChanged(nullptr);
}

Wnd* Wnd::GetCapture()
{
    Wnd* holder = CaptureHolder();
    return holder != nullptr && holder->IsWindow() ? holder : nullptr;
}

void Wnd::SetFocus()
{
    if (m_impl->widget != nullptr)
        m_impl->widget->setFocus(Qt::OtherFocusReason);
}

void Wnd::EnableWindow(bool enable)
{
    if (m_impl->widget != nullptr)
        m_impl->widget->setEnabled(enable);
}

bool Wnd::IsWindowEnabled() const
{
    return m_impl->widget != nullptr && m_impl->widget->isEnabled();
}

Wnd* Wnd::GetParent() const
{
    const QWidget* widget = m_impl->widget;
    return widget != nullptr ? qt::OwnerAbove(widget->parentWidget()) : nullptr;
}

uint32_t Wnd::GetDlgCtrlID() const
{
    return m_impl->id;
}

uint32_t Wnd::GetStyle() const
{
    const QWidget* widget = m_impl->widget;
    uint32_t style = m_impl->style & ~WinStyle::Visible;
    if (widget != nullptr && !widget->isHidden())
        style |= WinStyle::Visible;
    return style;
}

void Wnd::Default()
{
    if (m_impl->defaultAction) {
        std::function<void()> action = std::move(m_impl->defaultAction);
        m_impl->defaultAction = nullptr;
        action();
    }
}

void Wnd::RecalcNonClient()
{
    if (m_impl->ncRecalc) {
        m_impl->ncRecalc();
    } else if (QWidget* widget = m_impl->widget) {
        widget->update();
    }
}

void SetCursorShape(CursorShape shape)
{
    Qt::CursorShape qtShape = Qt::ArrowCursor;
    switch (shape) {
    case CursorShape::Arrow:
        qtShape = Qt::ArrowCursor;
        break;
    case CursorShape::SizeNS:
        qtShape = Qt::SizeVerCursor;
        break;
    case CursorShape::SizeWE:
        qtShape = Qt::SizeHorCursor;
        break;
    case CursorShape::SizeAll:
        qtShape = Qt::SizeAllCursor;
        break;
    }
    QWidget* target = qt::CursorTarget();
    if (target == nullptr)
        target = QApplication::widgetAt(QCursor::pos());
    if (target != nullptr)
        target->setCursor(qtShape);
}

} // namespace fw
