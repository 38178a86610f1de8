#pragma once
// Tree view: items with a label, an image from an image list and a number of data, inserted
// last under a parent or at the top level; optional expand buttons and connecting lines.
#include <QTreeWidget>

#include <cstdint>
#include <functional>

namespace fw {

class ImageList;

class TreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    // style: CtlStyle bits (HasButtons, HasLines, LinesAtRoot, EditLabels, FullRowSelect,
    // DisableDragDrop, Border, TabStop).
    explicit TreeCtrl(uint32_t style, QWidget* parent = nullptr);

    uint32_t Style() const { return m_style; }

    // Inserts an item last among the children of parent, or at the top level for nullptr.
    QTreeWidgetItem* InsertItem(const QString& text, int image, int selectedImage, QTreeWidgetItem* parent = nullptr);
    bool DeleteAllItems();
    bool Expand(QTreeWidgetItem* item);
    int GetCount() const; // every item, at any depth

    void SetImageList(ImageList* images) { m_images = images; }
    ImageList* GetImageList() const { return m_images; }
    int GetItemImage(const QTreeWidgetItem* item) const;

    bool SetItemData(QTreeWidgetItem* item, quintptr data);
    quintptr GetItemData(const QTreeWidgetItem* item) const;

    // Same contract as the list control's: without a handler an edited label is dropped.
    void SetEndLabelEditHandler(std::function<bool(QTreeWidgetItem*, const QString&)> handler);

private:
    uint32_t m_style = 0;
    ImageList* m_images = nullptr;
    std::function<bool(QTreeWidgetItem*, const QString&)> m_endLabelEdit;
};

} // namespace fw
