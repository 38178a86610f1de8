#include "framework/Dialog.h"

#include "framework/CommandIds.h"
#include "framework/ListCtrl.h"
#include "framework/TabCtrl.h"
#include "framework/TreeCtrl.h"

#include <QDebug>
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
    for (const char* face : {"MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2"}) {
        QFont::insertSubstitutions(QString::fromLatin1(face), substitutes);
    }
}

} // namespace

Dialog::Dialog(uint32_t templateId, QWidget* parent) : QDialog(parent), m_templateId(templateId) {}

Dialog::~Dialog() = default;

QWidget* Dialog::GetDlgItem(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

bool Dialog::Create(uint32_t templateId, QWidget* parent)
{
    if (m_created)
        return false;
    if (!Build(templateId, parent, false))
        return false;
    OnInitDialog();
    if (m_bindFailed) {
        qDebug("Dialog %u: a control of the template could not be bound\n", templateId);
        return false;
    }
    show(); // a child shows with its parent
    return true;
}

int Dialog::DoModal()
{
    if (!m_created) {
        if (!Build(m_templateId, parentWidget(), true))
            return -1;
        OnInitDialog();
        if (m_bindFailed)
            return -1;
    }
    return exec();
}

bool Dialog::Build(uint32_t templateId, QWidget* parent, bool modal)
{
    const DialogTemplate* dialog = ResourceTable::Instance().Dialog(templateId);
    if (dialog == nullptr)
        return false;
    m_templateId = templateId;
    m_child = !modal && (dialog->style & DlgStyle::Child);

    if (m_child) {
        setParent(parent, Qt::Widget);
    } else {
        Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
        if (dialog->style & DlgStyle::Caption)
            flags |= Qt::WindowTitleHint;
        if (dialog->style & DlgStyle::SysMenu)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        setParent(parent, flags);
        setWindowTitle(dialog->caption);
    }
    setModal(modal);

    SubstituteDialogFaces();
    QFont font(dialog->fontFamily);
    font.setPointSize(dialog->fontPoints);
    setFont(font);
    m_base = BaseUnitsForFont(font);
    m_templateSize = MapDialogSize(dialog->size, m_base);

    m_controls.clear();
    for (const ControlTemplate& control : dialog->controls) {
        QWidget* widget = CreateControl(control);
        if (control.id >= 0)
            m_controls[control.id] = widget;
    }
    if (m_child) {
        resize(m_templateSize);
    } else {
        setFixedSize(m_templateSize);
    }
    m_created = true;
    return true;
}

QWidget* Dialog::CreateControl(const ControlTemplate& control)
{
    QWidget* widget = nullptr;
    QRect geometry = MapDialogRect(control.rect, m_base);
    switch (control.cls) {
    case ControlClass::PushButton:
    case ControlClass::DefPushButton: {
        auto* button = new QPushButton(control.text, this);
        const bool isDefault = control.cls == ControlClass::DefPushButton;
        button->setDefault(isDefault);
        button->setAutoDefault(isDefault);
        const int id = control.id;
        connect(button, &QPushButton::clicked, this, [this, id] {
            if (id == IDOK) {
                OnOK();
            } else if (id == IDCANCEL) {
                OnCancel();
            } else {
                emit buttonClicked(id);
            }
        });
        widget = button;
        break;
    }
    case ControlClass::Text: {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setText((control.style & CtlStyle::NoPrefix) ? control.text : StripMnemonics(control.text));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case ControlClass::Icon: {
        // An icon control takes the icon's own size, whatever the template says.
        auto* label = new QLabel(this);
        const QIcon icon = ResourceTable::Instance().Icon(control.resourceId);
        label->setPixmap(icon.pixmap(32, 32));
        geometry.setSize(QSize(32, 32));
        widget = label;
        break;
    }
    case ControlClass::BlackFrame: {
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::Box);
        frame->setLineWidth(1);
        QPalette palette = frame->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        frame->setPalette(palette);
        widget = frame;
        break;
    }
    case ControlClass::GroupBox:
        widget = new QGroupBox(control.text, this);
        break;
    case ControlClass::Edit: {
        const bool border = (control.style & CtlStyle::Border) != 0;
        if (control.style & CtlStyle::Multiline) {
            auto* edit = new QPlainTextEdit(this);
            edit->setReadOnly((control.style & CtlStyle::ReadOnly) != 0);
            edit->setLineWrapMode((control.style & CtlStyle::AutoHScroll) ? QPlainTextEdit::NoWrap
                                                                          : QPlainTextEdit::WidgetWidth);
            edit->setPlainText(control.text);
            edit->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
            widget = edit;
        } else {
            auto* edit = new QLineEdit(control.text, this);
            edit->setReadOnly((control.style & CtlStyle::ReadOnly) != 0);
            edit->setFrame(border);
            widget = edit;
        }
        break;
    }
    case ControlClass::ListView:
        widget = new ListCtrl(control.style, this);
        break;
    case ControlClass::TreeView:
        widget = new TreeCtrl(control.style, this);
        break;
    case ControlClass::TabControl:
        widget = new TabCtrl(control.style, this);
        break;
    }
    if (control.cls != ControlClass::ListView && control.cls != ControlClass::TreeView &&
        control.cls != ControlClass::TabControl) {
        widget->setFocusPolicy((control.style & CtlStyle::TabStop) ? Qt::StrongFocus : Qt::NoFocus);
        if (control.cls == ControlClass::Edit)
            widget->setFocusPolicy(Qt::StrongFocus);
    }
    widget->setObjectName(QStringLiteral("control%1").arg(control.id));
    widget->setGeometry(geometry);
    return widget;
}

bool Dialog::UpdateData(bool saveAndValidate)
{
    DataExchange dx(this, saveAndValidate);
    DoDataExchange(dx);
    if (dx.Failed())
        m_bindFailed = true;
    return !dx.Failed();
}

void Dialog::DoDataExchange(DataExchange&) {}

bool Dialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void Dialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void Dialog::EndDialog(int result)
{
    if (m_child) {
        hide();
        return;
    }
    done(result);
}

void Dialog::OnSize(int, int, int) {}

void Dialog::UpdateDialogControls(CmdTarget* target, bool disableIfNoHandler)
{
    class ButtonCmdUI : public CmdUI {
    public:
        ButtonCmdUI(uint32_t id, QPushButton* button) : CmdUI(id), m_button(button) {}
        void Enable(bool on) override
        {
            CmdUI::Enable(on);
            m_button->setEnabled(on);
        }
        void SetText(const QString& text) override { m_button->setText(text); }

    private:
        QPushButton* m_button;
    };
    for (const auto& [id, control] : m_controls) {
        auto* button = qobject_cast<QPushButton*>(control);
        if (button == nullptr || id == IDOK || id == IDCANCEL || id < 0)
            continue;
        ButtonCmdUI ui(static_cast<uint32_t>(id), button);
        ui.DoUpdate(target, disableIfNoHandler);
    }
}

void Dialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    OnSize(SizeRestored, width(), height());
}

void Dialog::keyPressEvent(QKeyEvent* event)
{
    // A dialog inside another window leaves Enter and Escape to that window.
    if (m_child) {
        QWidget::keyPressEvent(event);
        return;
    }
    QDialog::keyPressEvent(event);
}

void Dialog::reject()
{
    OnCancel();
}

} // namespace fw
