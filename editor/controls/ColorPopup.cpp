#include "controls/ColorPopup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QToolTip>

namespace {

// Width of the 3-D edges this control draws; cells and boxes keep this distance from them.
constexpr int kEdgeWidth = 2;

} // namespace

ColorPopupEvent::ColorPopupEvent(int message, GdiColor color) : QEvent(EventType()), m_message(message), m_color(color)
{
}

QEvent::Type ColorPopupEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

ColorPopup::ColorPopup()
{
    Initialise();
}

ColorPopup::ColorPopup(QPoint screenPoint, GdiColor color, QWidget* parent, std::optional<QString> defaultText,
                       std::optional<QString> customText)
{
    Initialise();
    m_parent = parent;
    m_initialColor = color;
    m_color = color;
    m_defaultText = defaultText.value_or(QStringLiteral("Select Color"));
    m_customText = customText.value_or(QStringLiteral("Custom Color"));
    Create(screenPoint, color, parent, m_defaultText, m_customText);
}

ColorPopup::~ColorPopup() = default;

void ColorPopup::Initialise()
{
    m_embedded = false;
    m_layout = colorpopup::Layout(0, 0, kColorPopupCount, colorpopup::kBoxSize, kEdgeWidth, false, {}, false, {});
    m_colorDialog = &ColorPopup::RunSystemColorDialog;

    setAttribute(Qt::WA_DeleteOnClose, false); // ending decides, by the embedded flag
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setMouseTracking(true); // the highlight follows the mouse without a button held
    setFocusPolicy(Qt::StrongFocus);

    // Switching to another application cancels, as with any drop-down.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && IsOpen())
            EndSelection(ColorPopupSelEndCancel);
    });
}

bool ColorPopup::Create(QPoint screenPoint, GdiColor color, QWidget* parent, std::optional<QString> defaultText,
                        std::optional<QString> customText)
{
    if (parent == nullptr || IsOpen())
        return false;

    m_parent = parent;
    m_initialColor = color;
    m_color = color;
    m_ending = false;
    if (defaultText)
        m_defaultText = *defaultText;
    if (customText)
        m_customText = *customText;

    // A Qt::Popup window owned by the parent grabs mouse and keyboard while it is shown, which
    // is the capture the popup needs to see a release anywhere on the screen.
    setParent(parent, Qt::Popup);
    SizeWindow(screenPoint);
    m_chosen = colorpopup::FindChosenCell(m_layout, kColorPopupTable, color);
    m_current = m_chosen;
    show();
    if (!isVisible())
        return false;
    setFocus(Qt::PopupFocusReason);
    return true;
}

void ColorPopup::SizeWindow(QPoint screenPoint)
{
    const QFontMetrics metrics(font());
    auto extent = [&](const QString& text) {
        const QSize size = metrics.size(Qt::TextSingleLine, text);
        return colorpopup::TextExtent{size.width(), size.height()};
    };
    const bool hasDefault = !m_defaultText.isEmpty();
    const bool hasCustom = !m_customText.isEmpty();
    m_layout = colorpopup::Layout(screenPoint.x(), screenPoint.y(), kColorPopupCount, colorpopup::kBoxSize, kEdgeWidth,
                                  hasDefault, hasDefault ? extent(m_defaultText) : colorpopup::TextExtent{}, hasCustom,
                                  hasCustom ? extent(m_customText) : colorpopup::TextExtent{});

    QScreen* screen = QGuiApplication::screenAt(screenPoint);
    if (screen == nullptr && m_parent)
        screen = m_parent->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect s = screen->geometry();
        const colorpopup::Rect screenRect{s.left(), s.top(), s.left() + s.width(), s.top() + s.height()};
        const int parentHeight = !m_parent              ? 0
                                 : m_parent->isWindow() ? m_parent->frameGeometry().height()
                                                        : m_parent->height();
        m_layout.windowRect = colorpopup::KeepOnScreen(m_layout.windowRect, screenRect, parentHeight);
    }

    const colorpopup::Rect& w = m_layout.windowRect;
    setGeometry(w.left, w.top, w.Width(), w.Height());
    update();
}

void ColorPopup::SetColorDialog(ColorDialogRunner runner)
{
    m_colorDialog = runner ? std::move(runner) : ColorDialogRunner(&ColorPopup::RunSystemColorDialog);
}

std::optional<GdiColor> ColorPopup::RunSystemColorDialog(QWidget* parent, GdiColor initial)
{
    QColorDialog dialog(ToQColor(initial), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FromQColor(dialog.selectedColor());
}

QColor ColorPopup::ToQColor(GdiColor color)
{
    return QColor(GdiRed(color), GdiGreen(color), GdiBlue(color));
}

GdiColor ColorPopup::FromQColor(const QColor& color)
{
    return GdiRgb(color.red(), color.green(), color.blue());
}

QRect ColorPopup::CellArea(int index) const
{
    colorpopup::Rect r;
    if (index == colorpopup::kCustomBox && m_layout.hasCustom)
        r = m_layout.customRect;
    else if (index == colorpopup::kDefaultBox && m_layout.hasDefault)
        r = m_layout.defaultRect;
    else if (index >= 0 && index < m_layout.count)
        r = colorpopup::CellRect(m_layout, index);
    else
        return {};
    return QRect(r.left, r.top, r.Width(), r.Height());
}

void ColorPopup::ChangeSelection(int index)
{
    const bool valid = (index >= 0 && index < m_layout.count) ||
                       (index == colorpopup::kCustomBox && m_layout.hasCustom) ||
                       (index == colorpopup::kDefaultBox && m_layout.hasDefault);
    if (!valid)
        return;

    update(CellArea(m_current));
    m_current = index;
    update(CellArea(m_current));

    if (index == colorpopup::kCustomBox) {
        Send(ColorPopupSelChange, m_initialColor);
        return;
    }
    m_color =
        index == colorpopup::kDefaultBox ? kColorPopupDefaultColor : kColorPopupTable[static_cast<size_t>(index)].color;
    Send(ColorPopupSelChange, m_color);
}

void ColorPopup::EndSelection(int message)
{
    if (m_ending)
        return;
    m_ending = true;

    // Hiding drops the popup's grab, so the colour dialog below gets the input.
    hide();

    if (message != ColorPopupSelEndCancel && m_current == colorpopup::kCustomBox) {
        const std::optional<GdiColor> picked = m_colorDialog(m_parent, m_initialColor);
        if (picked)
            m_color = *picked;
        else
            message = ColorPopupSelEndCancel;
    }
    if (message == ColorPopupSelEndCancel)
        m_color = m_initialColor;

    const QPointer<ColorPopup> self(this);
    Send(message, m_color);
    if (self && !m_embedded)
        deleteLater();
}

void ColorPopup::Send(int message, GdiColor color)
{
    const QPointer<ColorPopup> self(this);
    if (m_parent) {
        ColorPopupEvent event(message, color);
        QCoreApplication::sendEvent(m_parent, &event);
    }
    if (self)
        emit notification(message, color);
}

bool ColorPopup::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::ToolTip: {
        // One tip per colour cell, naming the colour under the cursor.
        auto* help = static_cast<QHelpEvent*>(e);
        const int cell = colorpopup::CellFromPoint(m_layout, help->pos().x(), help->pos().y());
        if (cell >= 0) {
            QToolTip::showText(help->globalPos(), QString::fromLatin1(kColorPopupTable[static_cast<size_t>(cell)].name),
                               this, CellArea(cell));
        } else {
            QToolTip::hideText();
            e->ignore();
        }
        return true;
    }
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
        update();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

void ColorPopup::mousePressEvent(QMouseEvent* e)
{
    // Swallowed: a popup closes on a press outside by default, but here the release decides.
    e->accept();
}

void ColorPopup::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    const int cell = colorpopup::CellFromPoint(m_layout, pos.x(), pos.y());
    if (cell != colorpopup::kNoCell && cell != m_current)
        ChangeSelection(cell);
}

void ColorPopup::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint global = e->globalPosition().toPoint();
    EndSelection(m_layout.windowRect.Contains(global.x(), global.y()) ? ColorPopupSelEndOk : ColorPopupSelEndCancel);
}

void ColorPopup::keyPressEvent(QKeyEvent* e)
{
    using colorpopup::ArrowKey;
    switch (e->key()) {
    case Qt::Key_Down:
        ChangeSelection(colorpopup::Navigate(m_layout, m_current, ArrowKey::Down));
        return;
    case Qt::Key_Up:
        ChangeSelection(colorpopup::Navigate(m_layout, m_current, ArrowKey::Up));
        return;
    case Qt::Key_Right:
        ChangeSelection(colorpopup::Navigate(m_layout, m_current, ArrowKey::Right));
        return;
    case Qt::Key_Left:
        ChangeSelection(colorpopup::Navigate(m_layout, m_current, ArrowKey::Left));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        EndSelection(ColorPopupSelEndOk);
        return;
    case Qt::Key_Escape:
        m_color = m_initialColor;
        EndSelection(ColorPopupSelEndCancel);
        return;
    default:
        QWidget::keyPressEvent(e);
    }
}

void ColorPopup::closeEvent(QCloseEvent* e)
{
    // Closed from outside (window manager, Qt's popup handling): that is a cancel.
    if (!m_ending && isVisible())
        EndSelection(ColorPopupSelEndCancel);
    e->accept();
}
