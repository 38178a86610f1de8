// A drop-down palette of 40 named colours with an optional default box and a "Custom Color"
// box that opens the system colour dialog. It reports to its parent like a Win32 control:
// every notification is sent (not posted) to the parent as a ColorPopupEvent and is also
// emitted as the `notification` signal.
#pragma once

#include "controls/ColorPopupLayout.h"
#include "controls/ColorPopupTable.h"

#include <QColor>
#include <QEvent>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QPainter;

constexpr int ColorPopupSelChange = 2025;    // highlight moved; carries the cell's colour
constexpr int ColorPopupSelEndOk = 2028;     // a colour was chosen
constexpr int ColorPopupSelEndCancel = 2029; // cancelled; carries the initial colour

// The notification as the parent receives it, delivered synchronously with sendEvent.
class ColorPopupEvent : public QEvent {
public:
    ColorPopupEvent(int message, GdiColor color);

    static QEvent::Type EventType();
    int Message() const { return m_message; }
    GdiColor Color() const { return m_color; }

private:
    int m_message;
    GdiColor m_color;
};

class ColorPopup : public QWidget {
    Q_OBJECT

public:
    // Runs a modal colour dialog starting from `initial`; no value means it was cancelled.
    using ColorDialogRunner = std::function<std::optional<GdiColor>(QWidget* parent, GdiColor initial)>;

    // A popup to be opened later with Create; not embedded.
    ColorPopup();
    // Opens at once with "Select Color" and "Custom Color" for texts that are not given. Not
    // embedded: allocate it with new, it deletes itself when it ends. One that failed to open
    // (IsOpen() false) never ends and stays the caller's to delete.
    ColorPopup(QPoint screenPoint, GdiColor color, QWidget* parent, std::optional<QString> defaultText = std::nullopt,
               std::optional<QString> customText = std::nullopt);
    ~ColorPopup() override;

    // Opens the popup at a screen point. An empty text removes its box; a text that is not
    // given keeps the current one. Fails without a parent or while already open.
    bool Create(QPoint screenPoint, GdiColor color, QWidget* parent, std::optional<QString> defaultText = std::nullopt,
                std::optional<QString> customText = std::nullopt);

    // An embedded popup is a member of another object and survives its ending; any other
    // deletes itself once it has ended.
    void SetEmbedded(bool embedded) { m_embedded = embedded; }
    bool IsEmbedded() const { return m_embedded; }
    bool IsOpen() const { return isVisible() && !m_ending; }

    // Replaces the system colour dialog used by the custom box.
    void SetColorDialog(ColorDialogRunner runner);
    static std::optional<GdiColor> RunSystemColorDialog(QWidget* parent, GdiColor initial);

    int Current() const { return m_current; }
    int Chosen() const { return m_chosen; }
    GdiColor Color() const { return m_color; }
    GdiColor InitialColor() const { return m_initialColor; }
    QString DefaultText() const { return m_defaultText; }
    QString CustomText() const { return m_customText; }
    const colorpopup::Geometry& Layout() const { return m_layout; }

    static QColor ToQColor(GdiColor color);
    static GdiColor FromQColor(const QColor& color);

signals:
    void notification(int message, quint32 color);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Initialise();
    void SizeWindow(QPoint screenPoint);
    void ChangeSelection(int index);
    void EndSelection(int message);
    void Send(int message, GdiColor color);
    QRect CellArea(int index) const;
    void DrawCell(QPainter& p, int index) const;
    void DrawCustomBox(QPainter& p) const;
    void DrawDefaultBox(QPainter& p) const;

    bool m_embedded = false;
    colorpopup::Geometry m_layout;
    int m_current = colorpopup::kNoCell;
    int m_chosen = colorpopup::kNoCell;
    QString m_defaultText;
    QString m_customText;
    GdiColor m_initialColor = 0;
    GdiColor m_color = 0;
    QPointer<QWidget> m_parent;
    ColorDialogRunner m_colorDialog;
    bool m_ending = false; // set from the start of an ending until the next Create
};
