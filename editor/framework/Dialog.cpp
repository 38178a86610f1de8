// Dialogs from templates: building, data exchange and the standard buttons. The windows are
// the toolkit's.
#include "framework/Dialog.h"

#include "framework/CommandIds.h"
#include "framework/System.h"

namespace fw {

FW_IMPLEMENT_DYNAMIC(Dialog, Wnd)

Wnd* Dialog::GetDlgItem(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second.get();
}

bool Dialog::Create(uint32_t templateId, Wnd* parent)
{
    if (m_created)
        return false;
    if (!Build(templateId, parent, false))
        return false;
    OnInitDialog();
    if (m_bindFailed) {
        Trace("Dialog " + std::to_string(templateId) + ": a control of the template could not be bound\n");
        return false;
    }
    ShowWindow(ShowCmd::Show); // a child shows with its parent
    return true;
}

int Dialog::DoModal()
{
    if (!m_created) {
        if (!Build(m_templateId, m_parent, true))
            return -1;
        OnInitDialog();
        if (m_bindFailed)
            return -1;
    }
    return RunModalLoop();
}

bool Dialog::Build(uint32_t templateId, Wnd* parent, bool modal)
{
    const DialogTemplate* dialog = ResourceTable::Instance().Dialog(templateId);
    if (dialog == nullptr)
        return false;
    m_templateId = templateId;
    m_child = !modal && (dialog->style & DlgStyle::Child);
    if (!MakeWindow(*dialog, parent, modal))
        return false;
    m_controls.clear();
    m_staticControls.clear();
    for (const ControlTemplate& control : dialog->controls) {
        std::unique_ptr<Wnd> made = MakeControl(control, MapDialogRect(control.rect, m_base));
        if (!made)
            continue; // not bound: data exchange reports it
        if (control.id >= 0) {
            m_controls[control.id] = std::move(made);
        } else {
            m_staticControls.push_back(std::move(made));
        }
    }
    m_created = true;
    return true;
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
    EndDialog(IdOk);
}

void Dialog::OnCancel()
{
    EndDialog(IdCancel);
}

void Dialog::OnButton(int id)
{
    if (id == IdOk) {
        OnOK();
    } else if (id == IdCancel) {
        OnCancel();
    } else if (id >= 0) {
        OnCmdMsg(static_cast<uint32_t>(id), CmdMsg::Execute, nullptr);
    }
}

void Dialog::UpdateDialogControls(CmdTarget* target, bool disableIfNoHandler)
{
    // The update object of one push button.
    class ButtonCmdUI : public CmdUI {
    public:
        ButtonCmdUI(uint32_t id, Wnd* button) : CmdUI(id), m_button(button) {}
        void Enable(bool on) override
        {
            CmdUI::Enable(on);
            m_button->EnableWindow(on);
        }
        void SetText(const std::string& text) override { m_button->SetText(text); }

    private:
        Wnd* m_button;
    };
    const DialogTemplate* dialog = ResourceTable::Instance().Dialog(m_templateId);
    if (dialog == nullptr)
        return;
    for (const ControlTemplate& control : dialog->controls) {
        const bool button = control.cls == ControlClass::PushButton || control.cls == ControlClass::DefPushButton;
        if (!button || control.id == IdOk || control.id == IdCancel || control.id < 0)
            continue;
        if (Wnd* wnd = GetDlgItem(control.id)) {
            ButtonCmdUI ui(static_cast<uint32_t>(control.id), wnd);
            ui.DoUpdate(target, disableIfNoHandler);
        }
    }
}

} // namespace fw
