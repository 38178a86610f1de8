// fw::Dialog on Qt: a QDialog (a child widget for child templates) holding the template's
// controls as widgets at their dialog-unit positions.
#include "framework/CommandIds.h"
#include "framework/Dialog.h"
#include "framework/ListCtrl.h"
#include "framework/TabCtrl.h"
#include "framework/TreeCtrl.h"
#include "framework/qt/QtWnd.h"

#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace fw {
namespace {

// Static text shows '&' as the underline of the next letter unless told not to; Qt labels
// without a buddy show it literally, so drop the markers here.
QString StripMnemonics(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// Templates name the classic Windows dialog faces. Where they are missing, a condensed sans
// has the same dialog base units (6 x 13 pixels at 8 points), so templates keep their size.
void SubstituteDialogFaces()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QStringList substitutes{QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow")};
    for (const char* face : {"MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2"})
        QFont::insertSubstitutions(QString::fromLatin1(face), substitutes);
}

DialogBaseUnits BaseUnitsForFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    return BaseUnitsFromMetrics(
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        metrics.height());
}

// The window of a dialog.
class DialogWindow : public QDialog {
public:
    explicit DialogWindow(bool child) : m_child(child) {}

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::Resize) {
            const bool taken = QDialog::event(event);
            const QSize size = static_cast<QResizeEvent*>(event)->size();
            qt::Dispatch(this, [&](Wnd& wnd) { wnd.OnSize(SizeType::Restored, size.width(), size.height()); });
            return taken;
        }
        return QDialog::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        // A dialog inside another window leaves Enter and Escape to that window.
        if (m_child) {
            QWidget::keyPressEvent(event);
            return;
        }
        QDialog::keyPressEvent(event);
    }

    void reject() override
    {
        // Escape and the close box: the dialog's Cancel.
        if (qt::WndOf(this) != nullptr) {
            qt::Dispatch(this, [](Wnd& wnd) { static_cast<Dialog&>(wnd).OnButton(IdCancel); });
            return;
        }
        QDialog::reject();
    }

private:
    bool m_child;
};

} // namespace

struct Dialog::Impl {
    bool modal = false;
};

Dialog::Dialog(uint32_t templateId, Wnd* parent)
    : m_impl(std::make_unique<Impl>()), m_templateId(templateId), m_parent(parent)
{
}

Dialog::~Dialog()
{
    // The controls' windows go with the dialog's; their objects first.
    m_controls.clear();
    m_staticControls.clear();
}

bool Dialog::MakeWindow(const DialogTemplate& dialog, Wnd* parent, bool modal)
{
    if (IsWindow())
        return false;
    QWidget* host = qt::ChildHost(parent);
    if (m_child && host == nullptr)
        return false;
    auto* window = new DialogWindow(m_child);
    if (m_child) {
        window->setParent(host, Qt::Widget);
    } else {
        Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
        if (dialog.style & DlgStyle::Caption)
            flags |= Qt::WindowTitleHint;
        if (dialog.style & DlgStyle::SysMenu)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        window->setParent(host != nullptr ? host->window() : nullptr, flags);
        window->setWindowTitle(qt::ToQ(dialog.caption));
    }
    window->setModal(modal);
    m_impl->modal = modal;

    SubstituteDialogFaces();
    QFont font(qt::ToQ(dialog.fontFamily));
    font.setPointSize(dialog.fontPoints);
    window->setFont(font);
    m_base = BaseUnitsForFont(font);
    m_templateSize = MapDialogSize(dialog.size, m_base);
    qt::Attach(this, window, m_child ? WinStyle::Child : WinStyle::Popup, m_templateId);
    if (m_child) {
        window->resize(m_templateSize.cx, m_templateSize.cy);
    } else {
        window->setFixedSize(m_templateSize.cx, m_templateSize.cy);
    }
    return true;
}

std::unique_ptr<Wnd> Dialog::MakeControl(const ControlTemplate& control, const Rect& rect)
{
    const uint32_t id = control.id >= 0 ? static_cast<uint32_t>(control.id) : 0;
    switch (control.cls) {
    case ControlClass::ListView: {
        auto list = std::make_unique<ListCtrl>();
        if (!list->Create(control.style, rect, this, id))
            return nullptr;
        return list;
    }
    case ControlClass::TreeView: {
        auto tree = std::make_unique<TreeCtrl>();
        if (!tree->Create(control.style, rect, this, id))
            return nullptr;
        return tree;
    }
    case ControlClass::TabControl: {
        auto tabs = std::make_unique<TabCtrl>();
        if (!tabs->Create(control.style, rect, this, id))
            return nullptr;
        return tabs;
    }
    default:
        break;
    }

    QWidget* host = GetImpl()->widget;
    QWidget* widget = nullptr;
    QRect geometry = qt::ToQ(rect);
    const QString text = qt::ToQ(control.text);
    switch (control.cls) {
    case ControlClass::PushButton:
    case ControlClass::DefPushButton: {
        auto* button = new QPushButton(text, host);
        const bool isDefault = control.cls == ControlClass::DefPushButton;
        button->setDefault(isDefault);
        button->setAutoDefault(isDefault);
        const int buttonId = control.id;
        QObject::connect(button, &QPushButton::clicked, button, [host, buttonId] {
            qt::Dispatch(host, [buttonId](Wnd& wnd) { static_cast<Dialog&>(wnd).OnButton(buttonId); });
        });
        widget = button;
        break;
    }
    case ControlClass::Text: {
        auto* label = new QLabel(host);
        label->setTextFormat(Qt::PlainText);
        label->setText((control.style & CtlStyle::NoPrefix) ? text : StripMnemonics(text));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case ControlClass::Icon: {
        // An icon control takes the icon's own size, whatever the template says.
        auto* label = new QLabel(host);
        label->setPixmap(qt::IconResource(control.resourceId).pixmap(32, 32));
        geometry.setSize(QSize(32, 32));
        widget = label;
        break;
    }
    case ControlClass::BlackFrame: {
        auto* frame = new QFrame(host);
        frame->setFrameShape(QFrame::Box);
        frame->setLineWidth(1);
        QPalette palette = frame->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        frame->setPalette(palette);
        widget = frame;
        break;
    }
    case ControlClass::GroupBox:
        widget = new QGroupBox(text, host);
        break;
    case ControlClass::Edit: {
        const bool border = (control.style & CtlStyle::Border) != 0;
        if (control.style & CtlStyle::Multiline) {
            auto* edit = new QPlainTextEdit(host);
            edit->setReadOnly((control.style & CtlStyle::ReadOnly) != 0);
            edit->setLineWrapMode((control.style & CtlStyle::AutoHScroll) ? QPlainTextEdit::NoWrap
                                                                          : QPlainTextEdit::WidgetWidth);
            edit->setPlainText(text);
            edit->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
            widget = edit;
        } else {
            auto* edit = new QLineEdit(text, host);
            edit->setReadOnly((control.style & CtlStyle::ReadOnly) != 0);
            edit->setFrame(border);
            widget = edit;
        }
        break;
    }
    default:
        return nullptr;
    }
    widget->setFocusPolicy((control.style & CtlStyle::TabStop) ? Qt::StrongFocus : Qt::NoFocus);
    if (control.cls == ControlClass::Edit)
        widget->setFocusPolicy(Qt::StrongFocus);
    widget->setObjectName(QStringLiteral("control%1").arg(control.id));
    widget->setGeometry(geometry);
    auto wnd = std::make_unique<Wnd>();
    qt::Attach(wnd.get(), widget, WinStyle::Child | WinStyle::Visible, id);
    return wnd;
}

int Dialog::RunModalLoop()
{
    auto* window = qobject_cast<QDialog*>(GetImpl()->widget);
    if (window == nullptr)
        return -1;
    return window->exec();
}

void Dialog::EndDialog(int result)
{
    auto* window = qobject_cast<QDialog*>(GetImpl()->widget);
    if (window == nullptr)
        return;
    if (m_child) {
        window->hide();
        return;
    }
    window->done(result);
}

} // namespace fw
