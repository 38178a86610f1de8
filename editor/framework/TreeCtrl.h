#pragma once
// Tree view: items with a label, an image from an image list and a number of data, inserted
// last under a parent or at the top level; optional expand buttons and connecting lines.
#include "framework/Wnd.h"

#include <cstdint>
#include <functional>
#include <string>

namespace fw {

class ImageList;

// An item of a tree control: valid until the item is deleted.
using TreeItem = struct TreeItemHandle*;

class TreeCtrl : public Wnd {
    FW_DECLARE_DYNAMIC(TreeCtrl)
public:
    TreeCtrl();
    ~TreeCtrl() override;

    // style: CtlStyle bits (HasButtons, HasLines, LinesAtRoot, EditLabels, FullRowSelect,
    // DisableDragDrop, Border, TabStop); rect in the parent's client coordinates.
    bool Create(uint32_t style, const Rect& rect, Wnd* parent, uint32_t id);
    uint32_t Style() const { return m_style; }

    // Inserts an item last among the children of parent, or at the top level for null.
    TreeItem InsertItem(const std::string& text, int image, int selectedImage, TreeItem parent = nullptr);
    bool DeleteAllItems();
    bool Expand(TreeItem item);
    bool IsExpanded(TreeItem item) const;
    int GetCount() const; // every item, at any depth

    // Walking the tree: the first top-level item, the first child, the next sibling; null at
    // the end.
    TreeItem GetRootItem() const;
    TreeItem GetChildItem(TreeItem item) const;
    TreeItem GetNextSiblingItem(TreeItem item) const;
    TreeItem GetParentItem(TreeItem item) const;
    // Whether item is an item of this tree now.
    bool IsItem(TreeItem item) const;
    std::string GetItemText(TreeItem item) const;

    // The list stays the caller's; the tree shows its images by index.
    void SetImageList(ImageList* images);
    ImageList* GetImageList() const { return m_images; }
    int GetItemImage(TreeItem item) const; // -1 for no item

    bool SetItemData(TreeItem item, uintptr_t data);
    uintptr_t GetItemData(TreeItem item) const;

    // Same contract as the list control's: without a handler an edited label is dropped.
    void SetEndLabelEditHandler(std::function<bool(TreeItem, const std::string&)> handler);
    bool EndLabelEdit(TreeItem item, const std::string& text) const;

private:
    uint32_t m_style = 0;
    ImageList* m_images = nullptr;
    std::function<bool(TreeItem, const std::string&)> m_endLabelEdit;
};

} // namespace fw
