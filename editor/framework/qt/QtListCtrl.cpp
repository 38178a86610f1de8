// fw::ListCtrl on Qt: a QTableWidget in report mode. A list without columns keeps its items'
// labels as vertical header items, off screen.
#include "framework/ListCtrl.h"
#include "framework/Resources.h"
#include "framework/qt/LabelEditDelegate.h"
#include "framework/qt/QtWnd.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace fw {
namespace {

QTableWidget* TableOf(const ListCtrl* list)
{
    return qobject_cast<QTableWidget*>(qt::WidgetOf(list));
}

QTableWidgetItem* LabelItem(const QTableWidget* table, int row)
{
    if (table == nullptr || row < 0 || row >= table->rowCount())
        return nullptr;
    return table->columnCount() > 0 ? table->item(row, 0) : table->verticalHeaderItem(row);
}

void ApplyItemFlags(QTableWidgetItem* cell, int column, uint32_t style, uint32_t exStyle)
{
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (column == 0 && (style & CtlStyle::EditLabels))
        flags |= Qt::ItemIsEditable;
    if (column == 0 && (exStyle & ListCtrl::ExCheckBoxes)) {
        flags |= Qt::ItemIsUserCheckable;
        if (!cell->data(Qt::CheckStateRole).isValid())
            cell->setCheckState(Qt::Unchecked);
    }
    cell->setFlags(flags);
}

} // namespace

ListCtrl::ListCtrl() = default;

ListCtrl::~ListCtrl() = default;

bool ListCtrl::Create(uint32_t style, const Rect& rect, Wnd* parent, uint32_t id)
{
    QWidget* host = qt::ChildHost(parent);
    if (host == nullptr || IsWindow())
        return false;
    m_style = style;
    auto* table = new QTableWidget(host);
    // Only the report view is provided: a header row and one line per item.
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setStretchLastSection(false);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setVisible(true);
    table->setCornerButtonEnabled(false);
    table->setWordWrap(false);
    table->setShowGrid(false);
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->setSelectionMode((style & CtlStyle::SingleSel) ? QAbstractItemView::SingleSelection
                                                          : QAbstractItemView::ExtendedSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setEditTriggers(LabelEditDelegate::Triggers((style & CtlStyle::EditLabels) != 0));
    table->setFrameShape((style & CtlStyle::Border) ? QFrame::StyledPanel : QFrame::NoFrame);
    table->setFocusPolicy((style & CtlStyle::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    table->setItemDelegate(new LabelEditDelegate(
        [this](const QModelIndex& index, const QString& text) { return EndLabelEdit(index.row(), qt::FromQ(text)); },
        table));
    table->setObjectName(QStringLiteral("control%1").arg(id));
    table->setGeometry(qt::ChildGeometry(parent, rect));
    qt::Attach(this, table, WinStyle::Child | WinStyle::Visible, id);
    return true;
}

int ListCtrl::InsertColumn(int column, const std::string& heading, int width)
{
    QTableWidget* table = TableOf(this);
    if (table == nullptr)
        return -1;
    column = std::clamp(column, 0, table->columnCount());
    table->insertColumn(column);
    table->setHorizontalHeaderItem(column, new QTableWidgetItem(qt::ToQ(heading)));
    if (width >= 0)
        table->setColumnWidth(column, width);
    // The first column takes over the labels kept while the list had none.
    if (column == 0 && table->columnCount() == 1) {
        for (int row = 0; row < table->rowCount(); ++row) {
            QTableWidgetItem* stored = table->takeVerticalHeaderItem(row);
            auto* item = new QTableWidgetItem(stored != nullptr ? stored->text() : QString());
            delete stored;
            ApplyItemFlags(item, 0, m_style, m_exStyle);
            table->setItem(row, 0, item);
        }
    }
    return column;
}

int ListCtrl::GetColumnCount() const
{
    const QTableWidget* table = TableOf(this);
    return table != nullptr ? table->columnCount() : 0;
}

int ListCtrl::GetColumnWidth(int column) const
{
    const QTableWidget* table = TableOf(this);
    return table != nullptr ? table->columnWidth(column) : 0;
}

std::string ListCtrl::GetColumnHeading(int column) const
{
    const QTableWidget* table = TableOf(this);
    const QTableWidgetItem* header = table != nullptr ? table->horizontalHeaderItem(column) : nullptr;
    return header != nullptr ? qt::FromQ(header->text()) : std::string();
}

int ListCtrl::InsertItem(int row, const std::string& text)
{
    QTableWidget* table = TableOf(this);
    if (table == nullptr)
        return -1;
    row = std::clamp(row, 0, table->rowCount());
    table->insertRow(row);
    auto* item = new QTableWidgetItem(qt::ToQ(text));
    if (table->columnCount() > 0) {
        ApplyItemFlags(item, 0, m_style, m_exStyle);
        table->setItem(row, 0, item);
    } else {
        // A list without columns still holds its items; keep the label off screen.
        table->setVerticalHeaderItem(row, item);
    }
    return row;
}

bool ListCtrl::DeleteAllItems()
{
    QTableWidget* table = TableOf(this);
    if (table == nullptr)
        return false;
    table->setRowCount(0);
    return true;
}

int ListCtrl::GetItemCount() const
{
    const QTableWidget* table = TableOf(this);
    return table != nullptr ? table->rowCount() : 0;
}

std::string ListCtrl::GetItemText(int row, int column) const
{
    const QTableWidget* table = TableOf(this);
    if (table == nullptr)
        return std::string();
    if (column == 0) {
        const QTableWidgetItem* label = LabelItem(table, row);
        return label != nullptr ? qt::FromQ(label->text()) : std::string();
    }
    const QTableWidgetItem* cell = (row >= 0 && row < table->rowCount()) ? table->item(row, column) : nullptr;
    return cell != nullptr ? qt::FromQ(cell->text()) : std::string();
}

bool ListCtrl::SetItemText(int row, int column, const std::string& text)
{
    QTableWidget* table = TableOf(this);
    if (table == nullptr || row < 0 || row >= table->rowCount() || column < 0)
        return false;
    if (column == 0 && table->columnCount() == 0) {
        LabelItem(table, row)->setText(qt::ToQ(text));
        return true;
    }
    if (column >= table->columnCount())
        return false;
    QTableWidgetItem* cell = table->item(row, column);
    if (cell == nullptr) {
        cell = new QTableWidgetItem();
        ApplyItemFlags(cell, column, m_style, m_exStyle);
        table->setItem(row, column, cell);
    }
    cell->setText(qt::ToQ(text));
    return true;
}

uint32_t ListCtrl::SetExtendedStyle(uint32_t exStyle)
{
    const uint32_t previous = m_exStyle;
    m_exStyle = exStyle;
    QTableWidget* table = TableOf(this);
    if (table == nullptr)
        return previous;
    table->setShowGrid((exStyle & ExGridLines) != 0);
    table->setSelectionBehavior((exStyle & ExFullRowSelect) ? QAbstractItemView::SelectRows
                                                            : QAbstractItemView::SelectItems);
    if (table->columnCount() > 0) {
        for (int row = 0; row < table->rowCount(); ++row) {
            if (QTableWidgetItem* label = table->item(row, 0)) {
                if (!(exStyle & ExCheckBoxes))
                    label->setData(Qt::CheckStateRole, QVariant());
                ApplyItemFlags(label, 0, m_style, m_exStyle);
            }
        }
    }
    return previous;
}

bool ListCtrl::GetCheck(int row) const
{
    const QTableWidgetItem* label = LabelItem(TableOf(this), row);
    return label != nullptr && label->checkState() == Qt::Checked;
}

bool ListCtrl::SetCheck(int row, bool checked)
{
    QTableWidgetItem* label = LabelItem(TableOf(this), row);
    if (label == nullptr || !(m_exStyle & ExCheckBoxes))
        return false;
    label->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return true;
}

} // namespace fw
