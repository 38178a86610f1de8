#pragma once
// Dialogs built from numbered templates: modeless (a child of another window, or a window of
// its own) or modal. Data exchange binds member control pointers to control ids.
#include "framework/Command.h"
#include "framework/DialogUnits.h"
#include "framework/Resources.h"

#include <QDialog>

#include <cstdint>
#include <map>

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

class Dialog : public QDialog {
    Q_OBJECT
public:
    // Size type handed to OnSize: the only one a dialog sees.
    static constexpr int SizeRestored = 0;

    explicit Dialog(uint32_t templateId = 0, QWidget* parent = nullptr);
    ~Dialog() override;

    // Modeless: builds the dialog from template templateId, inside parent for a child template
    // or as a window of its own otherwise, and initialises it. False when the template is
    // unknown, the dialog exists already or its controls cannot be bound.
    virtual bool Create(uint32_t templateId, QWidget* parent);
    // Modal: builds the dialog as a window of its own, runs it and returns how it ended (the
    // id of the button, IDOK or IDCANCEL), or -1 when it cannot be built.
    virtual int DoModal();

    uint32_t TemplateId() const { return m_templateId; }
    bool IsCreated() const { return m_created; }
    QWidget* GetDlgItem(int id) const;
    DialogBaseUnits BaseUnits() const { return m_base; }
    QSize TemplateSize() const { return m_templateSize; } // pixels

    // Runs the data exchange; false when a control could not be bound.
    bool UpdateData(bool saveAndValidate = true);
    void EndDialog(int result);
    // Enables each push button (other than OK and Cancel) whose id a handler on target's
    // route takes; with disableIfNoHandler the others are disabled.
    void UpdateDialogControls(CmdTarget* target, bool disableIfNoHandler);

signals:
    // A push button other than OK and Cancel was clicked.
    void buttonClicked(int id);

protected:
    virtual void DoDataExchange(DataExchange& dx);
    // Runs after the controls exist; the base binds them. Returns whether the dialog leaves
    // the focus where the framework puts it.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnSize(int type, int cx, int cy);

    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    bool Build(uint32_t templateId, QWidget* parent, bool modal);
    QWidget* CreateControl(const ControlTemplate& control);

    uint32_t m_templateId = 0;
    bool m_created = false;
    bool m_child = false;
    bool m_bindFailed = false;
    DialogBaseUnits m_base;
    QSize m_templateSize;
    std::map<int, QWidget*> m_controls;
};

// Binds member to the control with id; fails the exchange when there is none of that kind.
template <class Control>
void DDX_Control(DataExchange& dx, int id, Control*& member)
{
    member = qobject_cast<Control*>(dx.GetDialog()->GetDlgItem(id));
    if (member == nullptr)
        dx.Fail();
}

} // namespace fw
