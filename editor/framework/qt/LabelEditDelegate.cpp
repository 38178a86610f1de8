#include "framework/qt/LabelEditDelegate.h"

#include <QLineEdit>

namespace fw {

LabelEditDelegate::LabelEditDelegate(Accept accept, QObject* parent)
    : QStyledItemDelegate(parent), m_accept(std::move(accept))
{
}

void LabelEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    const QString text = line != nullptr ? line->text() : QString();
    if (m_accept && m_accept(index, text))
        QStyledItemDelegate::setModelData(editor, model, index);
}

QAbstractItemView::EditTriggers LabelEditDelegate::Triggers(bool editLabels)
{
    return editLabels ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                      : QAbstractItemView::NoEditTriggers;
}

} // namespace fw
