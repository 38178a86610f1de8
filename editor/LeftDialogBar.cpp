#include "LeftDialogBar.h"

#include "Resource.h"
#include "framework/ListCtrl.h"
#include "framework/Resources.h"
#include "framework/TabCtrl.h"
#include "framework/TreeCtrl.h"

#include <algorithm>

LeftDialogBar::LeftDialogBar(fw::Wnd* parent) : fw::Dialog(IDD_LEFTDIALOGBAR, parent) {}

void LeftDialogBar::DoDataExchange(fw::DataExchange& dx)
{
    fw::Dialog::DoDataExchange(dx);
    fw::DDX_Control(dx, IDC_MESHLIST, m_meshList);
    fw::DDX_Control(dx, IDC_NODETREE, m_nodeTree);
    fw::DDX_Control(dx, IDC_KEYFRAMELIST, m_keyframeList);
    fw::DDX_Control(dx, IDC_PAGETABS, m_pageTabs);
}

bool LeftDialogBar::OnInitDialog()
{
    fw::Dialog::OnInitDialog();
    if (m_meshList == nullptr || m_nodeTree == nullptr || m_keyframeList == nullptr || m_pageTabs == nullptr) {
        return true; // the exchange failed; creation reports it
    }

    m_pageTabs->InsertItem(0, "Mesh");
    m_pageTabs->InsertItem(1, "Node");
    m_pageTabs->InsertItem(2, "Keyframe");
    m_pageTabs->SetSelChangeHandler([this] { OnSelchangeTab(); });

    m_treeImages.Create(16, 16, fw::ImageList::Color32 | fw::ImageList::Mask, 0, 0);
    m_treeImages.Add(fw::ResourceTable::Instance().Icon(IDI_TREEITEM, 16));
    m_nodeTree->SetImageList(&m_treeImages);

    // The first tab starts selected, so its page shows.
    m_meshList->ShowWindow(fw::ShowCmd::Show);
    m_nodeTree->ShowWindow(fw::ShowCmd::Hide);
    m_keyframeList->ShowWindow(fw::ShowCmd::Hide);

    m_meshList->SetExtendedStyle(fw::ListCtrl::ExGridLines | fw::ListCtrl::ExCheckBoxes |
                                 fw::ListCtrl::ExFullRowSelect);
    m_meshList->InsertColumn(0, "Name", 140);
    return true;
}

void LeftDialogBar::OnSize(int type, int cx, int cy)
{
    fw::Dialog::OnSize(type, cx, cy);
    if (m_nodeTree == nullptr)
        return;
    // Narrower than the margins, the controls shrink to nothing rather than turn inside out.
    m_pageTabs->MoveWindow(fw::Rect::FromSize(0, 0, std::max(0, cx), std::max(0, cy - 4)));
    const fw::Rect page = fw::Rect::FromSize(2, 2, std::max(0, cx - 4), std::max(0, cy - 30));
    m_meshList->MoveWindow(page);
    m_nodeTree->MoveWindow(page);
    m_keyframeList->MoveWindow(page);
}

void LeftDialogBar::OnSelchangeTab()
{
    m_meshList->ShowWindow(fw::ShowCmd::Hide);
    m_nodeTree->ShowWindow(fw::ShowCmd::Hide);
    m_keyframeList->ShowWindow(fw::ShowCmd::Hide);
    switch (m_pageTabs->GetCurSel()) {
    case 0:
        m_meshList->ShowWindow(fw::ShowCmd::Show);
        break;
    case 1:
        m_nodeTree->ShowWindow(fw::ShowCmd::Show);
        break;
    case 2:
        m_keyframeList->ShowWindow(fw::ShowCmd::Show);
        break;
    default:
        break;
    }
}
