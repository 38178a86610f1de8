#include "framework/TreeCtrl.h"

#include "framework/ImageList.h"
#include "framework/LabelEditDelegate.h"
#include "framework/Resources.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>

namespace fw {
namespace {

constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kDataRole = Qt::UserRole + 2;

// Draws the branch area with dotted connecting lines and plus/minus boxes; everything else
// comes from the application's style.
class BranchLineStyle : public QProxyStyle {
public:
    BranchLineStyle() : m_lines(QStyleFactory::create(QStringLiteral("Windows")))
    {
        if (m_lines != nullptr)
            m_lines->setParent(this);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_IndicatorBranch && m_lines != nullptr) {
            m_lines->drawPrimitive(element, option, painter, widget);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    QStyle* m_lines;
};

QStyle* BranchLines()
{
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new BranchLineStyle();
        style->setParent(qApp); // lives as long as the application
    }
    return style;
}

void CountItems(const QTreeWidgetItem* item, int& count)
{
    for (int i = 0; i < item->childCount(); ++i) {
        ++count;
        CountItems(item->child(i), count);
    }
}

} // namespace

TreeCtrl::TreeCtrl(uint32_t style, QWidget* parent) : QTreeWidget(parent), m_style(style)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setIndentation(19);
    // Top-level items get lines and buttons only when asked for.
    setRootIsDecorated((style & CtlStyle::LinesAtRoot) != 0);
    setItemsExpandable(true);
    if (style & CtlStyle::HasLines)
        setStyle(BranchLines());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus((style & CtlStyle::FullRowSelect) != 0);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setEditTriggers(LabelEditDelegate::Triggers((style & CtlStyle::EditLabels) != 0));
    setFrameShape((style & CtlStyle::Border) ? QFrame::StyledPanel : QFrame::NoFrame);
    setFocusPolicy((style & CtlStyle::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    setItemDelegate(new LabelEditDelegate(
        [this](const QModelIndex& index, const QString& text) {
            QTreeWidgetItem* edited = itemFromIndex(index);
            return m_endLabelEdit && edited != nullptr && m_endLabelEdit(edited, text);
        },
        this));
}

QTreeWidgetItem* TreeCtrl::InsertItem(const QString& text, int image, int selectedImage, QTreeWidgetItem* parent)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_style & CtlStyle::EditLabels)
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    item->setData(0, kImageRole, image);
    if (m_images != nullptr) {
        QIcon icon = m_images->Image(image);
        const QIcon selected = m_images->Image(selectedImage);
        if (selectedImage != image && !selected.isNull()) {
            icon.addPixmap(selected.pixmap(m_images->ImageSize()), QIcon::Selected);
        }
        item->setIcon(0, icon);
    }
    if (parent != nullptr) {
        parent->addChild(item);
    } else {
        addTopLevelItem(item);
    }
    return item;
}

bool TreeCtrl::DeleteAllItems()
{
    clear();
    return true;
}

bool TreeCtrl::Expand(QTreeWidgetItem* item)
{
    if (item == nullptr)
        return false;
    item->setExpanded(true);
    return true;
}

int TreeCtrl::GetCount() const
{
    int count = 0;
    CountItems(invisibleRootItem(), count);
    return count;
}

int TreeCtrl::GetItemImage(const QTreeWidgetItem* item) const
{
    return item != nullptr ? item->data(0, kImageRole).toInt() : -1;
}

bool TreeCtrl::SetItemData(QTreeWidgetItem* item, quintptr data)
{
    if (item == nullptr)
        return false;
    item->setData(0, kDataRole, QVariant::fromValue<quintptr>(data));
    return true;
}

quintptr TreeCtrl::GetItemData(const QTreeWidgetItem* item) const
{
    return item != nullptr ? item->data(0, kDataRole).value<quintptr>() : 0;
}

void TreeCtrl::SetEndLabelEditHandler(std::function<bool(QTreeWidgetItem*, const QString&)> handler)
{
    m_endLabelEdit = std::move(handler);
}

} // namespace fw
