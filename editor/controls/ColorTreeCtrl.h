// A tree whose items carry an RGB colour as three floats (0 to 1) and that edits it with an
// embedded ColorPopup.
#pragma once

#include "controls/ColorPopup.h"

#include <QPersistentModelIndex>
#include <QTreeWidget>

#include <memory>
#include <vector>

class ColorTreeCtrl : public QTreeWidget {
    Q_OBJECT

public:
    // Item data role holding the address of the item's three floats (red, green, blue).
    static constexpr int ColorDataRole = Qt::UserRole + 1;

    explicit ColorTreeCtrl(QWidget* parent = nullptr);
    ~ColorTreeCtrl() override;

    // Three floats owned by the tree until CleanUp, for items that have no storage elsewhere.
    float* NewColorData(float red, float green, float blue);
    static void SetItemColorData(QTreeWidgetItem* item, float* rgb);
    static float* ItemColorData(const QTreeWidgetItem* item);

    // Opens the colour popup for `item` at a point of the tree's viewport; nothing happens
    // while the popup is already open.
    void OpenPopup(QTreeWidgetItem* item, QPoint clientPoint);

    // Frees every colour block the tree owns; items that pointed at them lose their colour.
    void CleanUp();

    ColorPopup& Popup() { return m_popup; }

protected:
    void customEvent(QEvent* e) override;

private:
    void OnSelEndOk(GdiColor color);

    std::vector<std::unique_ptr<float[]>> m_colorData;
    QPersistentModelIndex m_editItem;
    ColorPopup m_popup; // last member: it is destroyed before the tree it is a child of
};
