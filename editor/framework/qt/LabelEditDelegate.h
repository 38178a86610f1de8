#pragma once
// Item delegate for in-place label editing that asks its control before storing an edit.
#include <QAbstractItemView>
#include <QStyledItemDelegate>

#include <functional>

namespace fw {

class LabelEditDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using Accept = std::function<bool(const QModelIndex& index, const QString& text)>;
    LabelEditDelegate(Accept accept, QObject* parent);

    // What starts an edit in a list or tree: with editable labels a click on the selected item
    // or F2, otherwise nothing.
    static QAbstractItemView::EditTriggers Triggers(bool editLabels);

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    Accept m_accept;
};

} // namespace fw
