// What the editor asks of the system, on Qt: the palette as the desktop's colours, measures,
// the pointer, message boxes and the debug output.
#include "framework/CommandIds.h"
#include "framework/System.h"
#include "framework/qt/QtWnd.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QtDebug>

#include <algorithm>

namespace fw {

Color GetSysColor(SysColor index)
{
    const QPalette palette = QApplication::palette();
    switch (index) {
    case SysColor::Highlight:
        return qt::FromQColor(palette.color(QPalette::Highlight));
    case SysColor::HighlightText:
        return qt::FromQColor(palette.color(QPalette::HighlightedText));
    case SysColor::BtnFace:
        return qt::FromQColor(palette.color(QPalette::Button));
    case SysColor::BtnShadow:
        return qt::FromQColor(palette.color(QPalette::Dark));
    case SysColor::BtnText:
        return qt::FromQColor(palette.color(QPalette::ButtonText));
    case SysColor::BtnHighlight:
        return qt::FromQColor(palette.color(QPalette::Light));
    case SysColor::DkShadow3d:
        return qt::FromQColor(palette.color(QPalette::Shadow));
    case SysColor::Light3d:
        return qt::FromQColor(palette.color(QPalette::Midlight));
    }
    return 0;
}

int GetSystemMetric(SysMetric index)
{
    switch (index) {
    case SysMetric::CxEdge:
        return 2;
    // The smallest a floating dock window of Qt's gets with its caption and a button.
    case SysMetric::CxMin:
        return 112;
    case SysMetric::CyMin:
        return 27;
    case SysMetric::CySmCaption:
        return std::max(16, QFontMetrics(QApplication::font()).height() + 2);
    }
    return 0;
}

Point GetCursorPos()
{
    return qt::FromQ(QCursor::pos());
}

Rect ScreenRectAt(Point point)
{
    QScreen* screen = QGuiApplication::screenAt(qt::ToQ(point));
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? qt::FromQ(screen->geometry()) : Rect::FromSize(0, 0, 1024, 768);
}

int ShowMessage(Wnd* owner, const std::string& text, const std::string& caption, uint32_t type)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (type & 0xF0) {
    case MsgBox::IconError:
        icon = QMessageBox::Critical;
        break;
    case MsgBox::IconQuestion:
        icon = QMessageBox::Question;
        break;
    case MsgBox::IconWarning:
        icon = QMessageBox::Warning;
        break;
    case MsgBox::IconInformation:
        icon = QMessageBox::Information;
        break;
    default:
        break;
    }
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (type & 0x0F) {
    case MsgBox::OkCancel:
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case MsgBox::YesNoCancel:
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case MsgBox::YesNo:
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    default:
        break;
    }
    QWidget* parent = qt::WidgetOf(owner);
    QMessageBox box(icon, qt::ToQ(caption), qt::ToQ(text), buttons,
                    parent != nullptr && parent->isVisible() ? parent->window() : nullptr);
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return IdCancel;
    case QMessageBox::Yes:
        return IdYes;
    case QMessageBox::No:
        return IdNo;
    default:
        return IdOk;
    }
}

void WriteDebugOutput(const std::string& text)
{
    qDebug("%s", text.c_str());
}

} // namespace fw
