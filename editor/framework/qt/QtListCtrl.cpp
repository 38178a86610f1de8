#include "framework/ListCtrl.h"

#include "framework/LabelEditDelegate.h"
#include "framework/Resources.h"

#include <QHeaderView>

#include <algorithm>

namespace fw {

ListCtrl::ListCtrl(uint32_t style, QWidget* parent) : QTableWidget(parent), m_style(style)
{
    // Only the report view is provided: a header row and one line per item.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setVisible(true);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setShowGrid(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode((style & CtlStyle::SingleSel) ? QAbstractItemView::SingleSelection
                                                   : QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(LabelEditDelegate::Triggers((style & CtlStyle::EditLabels) != 0));
    setFrameShape((style & CtlStyle::Border) ? QFrame::StyledPanel : QFrame::NoFrame);
    setFocusPolicy((style & CtlStyle::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    setItemDelegate(new LabelEditDelegate(
        [this](const QModelIndex& index, const QString& text) { return EndLabelEdit(index.row(), text); }, this));
}

int ListCtrl::InsertColumn(int column, const QString& heading, int width)
{
    column = std::clamp(column, 0, columnCount());
    insertColumn(column);
    setHorizontalHeaderItem(column, new QTableWidgetItem(heading));
    if (width >= 0)
        setColumnWidth(column, width);
    // The first column takes over the labels kept while the list had none.
    if (column == 0 && columnCount() == 1) {
        for (int row = 0; row < rowCount(); ++row) {
            QTableWidgetItem* stored = takeVerticalHeaderItem(row);
            auto* item = new QTableWidgetItem(stored != nullptr ? stored->text() : QString());
            delete stored;
            ApplyItemFlags(item, 0);
            setItem(row, 0, item);
        }
    }
    return column;
}

int ListCtrl::InsertItem(int row, const QString& text)
{
    row = std::clamp(row, 0, rowCount());
    insertRow(row);
    auto* item = new QTableWidgetItem(text);
    if (columnCount() > 0) {
        ApplyItemFlags(item, 0);
        setItem(row, 0, item);
    } else {
        // A list without columns still holds its items; keep the label off screen.
        setVerticalHeaderItem(row, item);
    }
    return row;
}

bool ListCtrl::DeleteAllItems()
{
    setRowCount(0);
    return true;
}

QTableWidgetItem* ListCtrl::LabelItem(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    return columnCount() > 0 ? item(row, 0) : verticalHeaderItem(row);
}

QString ListCtrl::GetItemText(int row, int column) const
{
    if (column == 0) {
        const QTableWidgetItem* label = LabelItem(row);
        return label != nullptr ? label->text() : QString();
    }
    const QTableWidgetItem* cell = (row >= 0 && row < rowCount()) ? item(row, column) : nullptr;
    return cell != nullptr ? cell->text() : QString();
}

bool ListCtrl::SetItemText(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0)
        return false;
    if (column == 0 && columnCount() == 0) {
        LabelItem(row)->setText(text);
        return true;
    }
    if (column >= columnCount())
        return false;
    QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr) {
        cell = new QTableWidgetItem();
        ApplyItemFlags(cell, column);
        setItem(row, column, cell);
    }
    cell->setText(text);
    return true;
}

void ListCtrl::ApplyItemFlags(QTableWidgetItem* cell, int column) const
{
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (column == 0 && (m_style & CtlStyle::EditLabels))
        flags |= Qt::ItemIsEditable;
    if (column == 0 && (m_exStyle & ExCheckBoxes)) {
        flags |= Qt::ItemIsUserCheckable;
        if (!cell->data(Qt::CheckStateRole).isValid())
            cell->setCheckState(Qt::Unchecked);
    }
    cell->setFlags(flags);
}

uint32_t ListCtrl::SetExtendedStyle(uint32_t exStyle)
{
    const uint32_t previous = m_exStyle;
    m_exStyle = exStyle;
    setShowGrid((exStyle & ExGridLines) != 0);
    setSelectionBehavior((exStyle & ExFullRowSelect) ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    if (columnCount() > 0) {
        for (int row = 0; row < rowCount(); ++row) {
            if (QTableWidgetItem* label = item(row, 0)) {
                if (!(exStyle & ExCheckBoxes))
                    label->setData(Qt::CheckStateRole, QVariant());
                ApplyItemFlags(label, 0);
            }
        }
    }
    return previous;
}

bool ListCtrl::GetCheck(int row) const
{
    const QTableWidgetItem* label = LabelItem(row);
    return label != nullptr && label->checkState() == Qt::Checked;
}

bool ListCtrl::SetCheck(int row, bool checked)
{
    QTableWidgetItem* label = LabelItem(row);
    if (label == nullptr || !(m_exStyle & ExCheckBoxes))
        return false;
    label->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return true;
}

void ListCtrl::SetEndLabelEditHandler(std::function<bool(int, const QString&)> handler)
{
    m_endLabelEdit = std::move(handler);
}

bool ListCtrl::EndLabelEdit(int row, const QString& text) const
{
    return m_endLabelEdit ? m_endLabelEdit(row, text) : false;
}

} // namespace fw
