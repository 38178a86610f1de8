#pragma once
// The left panel: the opened scene in three pages switched by tabs at the bottom, "Mesh" (a
// list of mesh names), "Node" (the node hierarchy) and "Keyframe" (a list that stays empty).
#include "framework/Dialog.h"
#include "framework/ImageList.h"

namespace fw {
class ListCtrl;
class TabCtrl;
class TreeCtrl;
} // namespace fw

class LeftDialogBar : public fw::Dialog {
public:
    explicit LeftDialogBar(fw::Wnd* parent = nullptr);

    // The document fills and empties these two.
    fw::ListCtrl* GetMeshList() const { return m_meshList; }
    fw::TreeCtrl* GetNodeTree() const { return m_nodeTree; }
    fw::ListCtrl* GetKeyframeList() const { return m_keyframeList; }
    fw::TabCtrl* GetPageTabs() const { return m_pageTabs; }
    const fw::ImageList& GetTreeImages() const { return m_treeImages; }

    void DoDataExchange(fw::DataExchange& dx) override;
    bool OnInitDialog() override;
    // Tab strip along the bottom, every page above it with a 2-pixel margin.
    void OnSize(int type, int cx, int cy) override;

private:
    // Shows the page of the selected tab and hides the others.
    void OnSelchangeTab();

    fw::ListCtrl* m_meshList = nullptr;
    fw::TreeCtrl* m_nodeTree = nullptr;
    fw::ListCtrl* m_keyframeList = nullptr;
    fw::TabCtrl* m_pageTabs = nullptr;
    fw::ImageList m_treeImages;
};
