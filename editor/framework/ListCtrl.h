#pragma once
// List view in report mode: a header of columns and one row per item, with the optional grid
// lines, check boxes and full-row selection of its extended style.
#include <QTableWidget>

#include <cstdint>
#include <functional>

namespace fw {

class ListCtrl : public QTableWidget {
    Q_OBJECT
public:
    // Extended style bits.
    static constexpr uint32_t ExGridLines = 0x01;
    static constexpr uint32_t ExCheckBoxes = 0x04;
    static constexpr uint32_t ExFullRowSelect = 0x20;

    // style: CtlStyle bits (Report, SingleSel, EditLabels, Border, TabStop).
    explicit ListCtrl(uint32_t style, QWidget* parent = nullptr);

    uint32_t Style() const { return m_style; }

    // Inserts a column before column; width -1 takes the header's default. Returns its index.
    int InsertColumn(int column, const QString& heading, int width = -1);
    int GetColumnCount() const { return columnCount(); }
    int GetColumnWidth(int column) const { return columnWidth(column); }

    // Inserts an item (a row) at row, clamped to the list; returns its index.
    int InsertItem(int row, const QString& text);
    bool DeleteAllItems();
    int GetItemCount() const { return rowCount(); }
    QString GetItemText(int row, int column) const;
    bool SetItemText(int row, int column, const QString& text);

    uint32_t GetExtendedStyle() const { return m_exStyle; }
    uint32_t SetExtendedStyle(uint32_t exStyle); // returns the previous one

    bool GetCheck(int row) const;
    bool SetCheck(int row, bool checked);

    // Decides on an edited label: true keeps the new text. Without a handler every edit is
    // dropped and the label keeps its old text.
    void SetEndLabelEditHandler(std::function<bool(int row, const QString& text)> handler);
    bool EndLabelEdit(int row, const QString& text) const;

private:
    QTableWidgetItem* LabelItem(int row) const;
    void ApplyItemFlags(QTableWidgetItem* item, int column) const;

    uint32_t m_style = 0;
    uint32_t m_exStyle = 0;
    std::function<bool(int, const QString&)> m_endLabelEdit;
};

} // namespace fw
