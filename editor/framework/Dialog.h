#pragma once
// Dialogs built from numbered templates: modeless (a child of another window, or a window of
// its own) or modal. The dialog makes and owns the template's controls; data exchange binds
// member control pointers to control ids.
#include "framework/Command.h"
#include "framework/DialogUnits.h"
#include "framework/Resources.h"
#include "framework/Wnd.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace fw {

class Dialog;

class DataExchange {
public:
    DataExchange(Dialog* dialog, bool saveAndValidate) : m_dialog(dialog), m_save(saveAndValidate) {}
    Dialog* GetDialog() const { return m_dialog; }
    bool IsSaving() const { return m_save; }
    bool Failed() const { return m_failed; }
    void Fail() { m_failed = true; }

private:
    Dialog* m_dialog;
    bool m_save;
    bool m_failed = false;
};

class Dialog : public Wnd {
    FW_DECLARE_DYNAMIC(Dialog)
public:
    struct Impl;

    explicit Dialog(uint32_t templateId = 0, Wnd* parent = nullptr);
    ~Dialog() override;

    // Modeless: builds the dialog from template templateId, inside parent for a child template
    // or as a window of its own otherwise, and initialises it. False when the template is
    // unknown, the dialog exists already or its controls cannot be bound.
    virtual bool Create(uint32_t templateId, Wnd* parent);
    // Modal: builds the dialog as a window of its own over the parent given at construction,
    // runs it and returns how it ended (the id of the button, IdOk or IdCancel), or -1 when it
    // cannot be built.
    virtual int DoModal();

    uint32_t TemplateId() const { return m_templateId; }
    bool IsCreated() const { return m_created; }
    // The control of the template with id; null for none.
    Wnd* GetDlgItem(int id) const;
    DialogBaseUnits BaseUnits() const { return m_base; }
    Size TemplateSize() const { return m_templateSize; } // pixels

    // Runs the data exchange; false when a control could not be bound.
    bool UpdateData(bool saveAndValidate = true);
    // Ends a modal dialog with result; hides a modeless one.
    void EndDialog(int result);
    // Enables each push button (other than OK and Cancel) whose id a handler on target's
    // route takes; with disableIfNoHandler the others are disabled.
    void UpdateDialogControls(CmdTarget* target, bool disableIfNoHandler);

    // A push button was pressed (or Enter and Escape chose OK and Cancel): IdOk runs OnOK,
    // IdCancel OnCancel, any other id goes to the dialog's command route.
    virtual void OnButton(int id);
    virtual void DoDataExchange(DataExchange& dx);
    // Runs after the controls exist; the base binds them. Returns whether the dialog leaves
    // the focus where the framework puts it.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    Impl* GetDialogImpl() const { return m_impl.get(); } // for the toolkit's own files

private:
    // The window, with the template's font and size (toolkit): false when it cannot be made.
    bool MakeWindow(const DialogTemplate& dialog, Wnd* parent, bool modal);
    // One control of the template at rect (pixels): a ListCtrl, TreeCtrl or TabCtrl for those
    // classes, a plain window for the others (toolkit).
    std::unique_ptr<Wnd> MakeControl(const ControlTemplate& control, const Rect& rect);
    // Runs the modal loop until EndDialog (toolkit).
    int RunModalLoop();
    bool Build(uint32_t templateId, Wnd* parent, bool modal);

    std::unique_ptr<Impl> m_impl;
    uint32_t m_templateId = 0;
    Wnd* m_parent = nullptr;
    bool m_created = false;
    bool m_child = false;
    bool m_bindFailed = false;
    DialogBaseUnits m_base;
    Size m_templateSize;
    std::map<int, std::unique_ptr<Wnd>> m_controls;     // by id
    std::vector<std::unique_ptr<Wnd>> m_staticControls; // id -1
};

// Binds member to the control with id; fails the exchange when there is none of that kind.
template <class Control>
void DDX_Control(DataExchange& dx, int id, Control*& member)
{
    member = dynamic_cast<Control*>(dx.GetDialog()->GetDlgItem(id));
    if (member == nullptr)
        dx.Fail();
}

} // namespace fw
