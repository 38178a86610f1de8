#include "MaterialDialog.h"

#include "FileMessages.h"
#include "Resource.h"
#include "framework/TreeCtrl.h"
#include "orvex/scene/Material.h"

MaterialDialog::MaterialDialog(fw::Wnd* parent) : fw::Dialog(IDD_MATERIALEDITOR, parent) {}

void MaterialDialog::DoDataExchange(fw::DataExchange& dx)
{
    fw::Dialog::DoDataExchange(dx);
    fw::DDX_Control(dx, IDC_MATERIALTREE, m_tree);
}

bool MaterialDialog::OnInitDialog()
{
    fw::Dialog::OnInitDialog();
    if (m_tree == nullptr)
        return true; // the exchange failed; the dialog does not run
    const NamedObject* material = GetMaterials();
    for (int32_t i = 0; i < GetMaterialCount() && material != nullptr; ++i) {
        m_tree->InsertItem(FileNameText(material->GetName()), 0, 0, nullptr);
        material = material->GetNext();
    }
    return true;
}
