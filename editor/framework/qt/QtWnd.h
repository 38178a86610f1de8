#pragma once
// The Qt side of fw::Wnd: each window object has a peer widget, found through Wnd::Impl; the
// peer hands its events to the object's message handlers. Helpers convert between the
// framework's types and Qt's.
#include "framework/DC.h"
#include "framework/Image.h"
#include "framework/Wnd.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <string>

class QMouseEvent;
class QPainter;
class QtTrackerOverlay;

namespace fw {

struct Wnd::Impl {
    QPointer<QWidget> widget; // the peer
    uint32_t style = 0;       // WinStyle bits given at creation
    uint32_t id = 0;
    // The widget whose area is the window (non-client area included); null: the peer.
    QPointer<QWidget> windowArea;
    // The client rectangle in window coordinates; empty: the whole window area.
    Rect ncClient;
    bool hasNonClient = false;
    // Where the children go, and the client origin in that widget's coordinates.
    QPointer<QWidget> childHost;
    QPoint childOffset;
    // The toolkit's own treatment of the message being handled, run by Default().
    std::function<void()> defaultAction;
    // A native window covering the peer (a GL view's) that takes the mouse capture for it.
    QPointer<QWindow> nativeChild;
    // Recomputes a peer's own non-client area (RecalcNonClient); empty for peers without one.
    std::function<void()> ncRecalc;
    int eventDepth = 0;    // events of the peer being handled now
    bool painting = false; // a paint of the peer runs: invalidating now would paint again at once
};

struct DC::Impl {
    QPainter* painter = nullptr;   // null: measuring only
    QPoint origin;                 // surface coordinates of the DC's (0, 0)
    const QWidget* font = nullptr; // whose font the text has until SelectFont
    QFont selected;
    bool hasSelected = false;
    QColor textColor = Qt::black;
    // A locked frame's tracker overlay (LockedFrameDC only).
    QtTrackerOverlay* overlay = nullptr;
};

namespace qt {

QString ToQ(const std::string& text);
std::string FromQ(const QString& text);
QRect ToQ(const Rect& rect);
Rect FromQ(const QRect& rect);
inline QPoint ToQ(Point p)
{
    return {p.x, p.y};
}
inline Point FromQ(QPoint p)
{
    return {p.x(), p.y()};
}
QColor ToQColor(Color color);
Color FromQColor(const QColor& color);
QImage ToQImage(const Image& image);
Image FromQImage(const QImage& image);
// The icon resource id at the usual sizes.
QIcon IconResource(uint32_t id);

// The peer of wnd, or null without a window.
QWidget* WidgetOf(const Wnd* wnd);
// The object a peer belongs to (the widget itself, not its parents); null for other widgets.
Wnd* WndOf(const QObject* widget);
// The nearest widget at or above widget that has an object.
Wnd* OwnerAbove(const QWidget* widget);
// Makes widget the peer of wnd.
void Attach(Wnd* wnd, QWidget* widget, uint32_t style, uint32_t id);
// Where a child of parent goes (its widget) and the position there of a rectangle given in
// parent's client coordinates.
QWidget* ChildHost(const Wnd* parent);
QRect ChildGeometry(const Wnd* parent, const Rect& clientRect);
// The widget whose area is wnd's window (the peer, or a part of it).
QWidget* WindowArea(const Wnd* wnd);

// The widget whose cursor SetCursorShape sets while a peer runs OnSetCursor.
QPointer<QWidget>& CursorTarget();

uint32_t MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
// The framework's key code of a Qt key, 0 for keys it has none for; and back.
uint32_t KeyCode(int qtKey);
int QtKey(uint32_t key);

// Runs a message handler of the peer's object with def as the toolkit's own treatment
// (Default()); false when the widget has no object (the caller treats the event itself).
bool Dispatch(QWidget* peer, const std::function<void(Wnd&)>& handler, std::function<void()> def = {});

// The generic handling of a peer's event: mouse, wheel, keys, paint, size, focus, close.
// True when the event was taken (and the peer's base class must not see it).
bool RouteEvent(QWidget* peer, QEvent* event, const std::function<bool(QEvent*)>& base);

// A DC painting with painter; origin: where the DC's (0, 0) is on the painter's surface.
std::unique_ptr<DC::Impl> PaintImpl(QPainter* painter, const QWidget* fontOf, QPoint origin = QPoint());

// The plain window of CreateEx and of views: every event goes to the object.
class WndWidget : public QWidget {
public:
    WndWidget(QWidget* parent, Qt::WindowFlags flags);

protected:
    bool event(QEvent* event) override;
};

// Ends Application::Run's loop, when it runs (the main frame has gone).
void QuitIfRunning();

// Whether widget or a peer around it is handling an event now.
bool IsBusy(const QWidget* widget);
// Deletes a peer now, or, when busy (IsBusy before its object let go of it), once the events it
// is handling are over.
void DisposeWidget(QWidget* widget, bool busy);

} // namespace qt
} // namespace fw
