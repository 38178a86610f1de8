#include "ToolBarImages.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace {

constexpr int kSize = 16;

// The desktop theme's icon by name when it has one, else the style's standard icon.
QIcon Standard(const char* themeName, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(themeName), QApplication::style()->standardIcon(fallback));
}

// The style has no edit or print icons; these few are drawn in the same small flat manner.
template <class Draw>
QIcon Drawn(const char* themeName, Draw draw)
{
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(themeName));
    if (!themed.isNull())
        return themed;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void Page(QPainter& painter, const QRectF& rect)
{
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(rect);
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    for (qreal y = rect.top() + 3; y < rect.bottom() - 1; y += 2) {
        painter.drawLine(QPointF(rect.left() + 2, y), QPointF(rect.right() - 2, y));
    }
}

QIcon CutIcon()
{
    return Drawn("edit-cut", [](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.4));
        p.drawLine(QPointF(5.5, 1.5), QPointF(10.5, 10.0));
        p.drawLine(QPointF(10.5, 1.5), QPointF(5.5, 10.0));
        p.setPen(QPen(QColor(30, 30, 140), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
        p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
    });
}

QIcon CopyIcon()
{
    return Drawn("edit-copy", [](QPainter& p) {
        Page(p, QRectF(1.5, 1.5, 8, 10));
        Page(p, QRectF(6.5, 4.5, 8, 10));
    });
}

QIcon PasteIcon()
{
    return Drawn("edit-paste", [](QPainter& p) {
        p.setPen(QPen(QColor(90, 60, 20), 1));
        p.setBrush(QColor(180, 130, 60));
        p.drawRect(QRectF(1.5, 2.5, 10, 12));
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(QRectF(4.5, 0.5, 4, 3));
        Page(p, QRectF(7.5, 6.5, 7, 9));
    });
}

QIcon PrintIcon()
{
    return Drawn("document-print", [](QPainter& p) {
        Page(p, QRectF(4.5, 0.5, 7, 7));
        p.setPen(QPen(QColor(50, 50, 50), 1));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setBrush(QColor(40, 160, 40));
        p.drawRect(QRectF(11.5, 8.0, 1.5, 1.5));
    });
}

} // namespace

std::vector<QIcon> MainToolBarImages()
{
    return {
        Standard("document-new", QStyle::SP_FileIcon),
        Standard("document-open", QStyle::SP_DialogOpenButton),
        Standard("document-save", QStyle::SP_DialogSaveButton),
        CutIcon(),
        CopyIcon(),
        PasteIcon(),
        PrintIcon(),
        Standard("view-list-icons", QStyle::SP_FileDialogContentsView),
        Standard("view-list-compact", QStyle::SP_FileDialogInfoView),
        Standard("view-list", QStyle::SP_FileDialogListView),
        Standard("view-list-details", QStyle::SP_FileDialogDetailedView),
        Standard("help-about", QStyle::SP_MessageBoxQuestion),
    };
}
