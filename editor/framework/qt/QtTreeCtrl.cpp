// fw::TreeCtrl on Qt: a QTreeWidget; an item handle is its QTreeWidgetItem.
#include "framework/ImageList.h"
#include "framework/Resources.h"
#include "framework/TreeCtrl.h"
#include "framework/qt/LabelEditDelegate.h"
#include "framework/qt/QtWnd.h"

#include <QApplication>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

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

QTreeWidget* TreeOf(const TreeCtrl* tree)
{
    return qobject_cast<QTreeWidget*>(qt::WidgetOf(tree));
}

QTreeWidgetItem* ItemOf(TreeItem item)
{
    return reinterpret_cast<QTreeWidgetItem*>(item);
}

TreeItem HandleOf(QTreeWidgetItem* item)
{
    return reinterpret_cast<TreeItem>(item);
}

QIcon IconOf(const ImageList* images, int index)
{
    const Image* image = images != nullptr ? images->GetImage(index) : nullptr;
    return image != nullptr ? QIcon(QPixmap::fromImage(qt::ToQImage(*image))) : QIcon();
}

} // namespace

TreeCtrl::TreeCtrl() = default;

TreeCtrl::~TreeCtrl() = default;

bool TreeCtrl::Create(uint32_t style, const Rect& rect, Wnd* parent, uint32_t id)
{
    QWidget* host = qt::ChildHost(parent);
    if (host == nullptr || IsWindow())
        return false;
    m_style = style;
    auto* tree = new QTreeWidget(host);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setUniformRowHeights(true);
    tree->setIndentation(19);
    // Top-level items get lines and buttons only when asked for.
    tree->setRootIsDecorated((style & CtlStyle::LinesAtRoot) != 0);
    tree->setItemsExpandable(true);
    if (style & CtlStyle::HasLines)
        tree->setStyle(BranchLines());
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setAllColumnsShowFocus((style & CtlStyle::FullRowSelect) != 0);
    tree->setDragDropMode(QAbstractItemView::NoDragDrop);
    tree->setEditTriggers(LabelEditDelegate::Triggers((style & CtlStyle::EditLabels) != 0));
    tree->setFrameShape((style & CtlStyle::Border) ? QFrame::StyledPanel : QFrame::NoFrame);
    tree->setFocusPolicy((style & CtlStyle::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    tree->setItemDelegate(new LabelEditDelegate(
        [this, tree](const QModelIndex& index, const QString& text) {
            QTreeWidgetItem* edited = tree->itemFromIndex(index);
            return edited != nullptr && EndLabelEdit(HandleOf(edited), qt::FromQ(text));
        },
        tree));
    tree->setObjectName(QStringLiteral("control%1").arg(id));
    tree->setGeometry(qt::ChildGeometry(parent, rect));
    qt::Attach(this, tree, WinStyle::Child | WinStyle::Visible, id);
    return true;
}

TreeItem TreeCtrl::InsertItem(const std::string& text, int image, int selectedImage, TreeItem parent)
{
    QTreeWidget* tree = TreeOf(this);
    if (tree == nullptr)
        return nullptr;
    auto* item = new QTreeWidgetItem(QStringList{qt::ToQ(text)});
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_style & CtlStyle::EditLabels)
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    item->setData(0, kImageRole, image);
    if (m_images != nullptr) {
        QIcon icon = IconOf(m_images, image);
        const QIcon selected = IconOf(m_images, selectedImage);
        if (selectedImage != image && !selected.isNull()) {
            const Size size = m_images->ImageSize();
            icon.addPixmap(selected.pixmap(QSize(size.cx, size.cy)), QIcon::Selected);
        }
        item->setIcon(0, icon);
    }
    if (parent != nullptr) {
        ItemOf(parent)->addChild(item);
    } else {
        tree->addTopLevelItem(item);
    }
    return HandleOf(item);
}

bool TreeCtrl::DeleteAllItems()
{
    QTreeWidget* tree = TreeOf(this);
    if (tree == nullptr)
        return false;
    tree->clear();
    return true;
}

bool TreeCtrl::Expand(TreeItem item)
{
    if (item == nullptr)
        return false;
    ItemOf(item)->setExpanded(true);
    return true;
}

bool TreeCtrl::IsExpanded(TreeItem item) const
{
    return item != nullptr && ItemOf(item)->isExpanded();
}

int TreeCtrl::GetCount() const
{
    QTreeWidget* tree = TreeOf(this);
    if (tree == nullptr)
        return 0;
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it)
        ++count;
    return count;
}

TreeItem TreeCtrl::GetRootItem() const
{
    QTreeWidget* tree = TreeOf(this);
    return tree != nullptr && tree->topLevelItemCount() > 0 ? HandleOf(tree->topLevelItem(0)) : nullptr;
}

TreeItem TreeCtrl::GetChildItem(TreeItem item) const
{
    QTreeWidgetItem* node = ItemOf(item);
    return node != nullptr && node->childCount() > 0 ? HandleOf(node->child(0)) : nullptr;
}

TreeItem TreeCtrl::GetNextSiblingItem(TreeItem item) const
{
    QTreeWidgetItem* node = ItemOf(item);
    QTreeWidget* tree = TreeOf(this);
    if (node == nullptr || tree == nullptr)
        return nullptr;
    QTreeWidgetItem* parent = node->parent();
    if (parent != nullptr) {
        const int at = parent->indexOfChild(node);
        return at + 1 < parent->childCount() ? HandleOf(parent->child(at + 1)) : nullptr;
    }
    const int at = tree->indexOfTopLevelItem(node);
    return at >= 0 && at + 1 < tree->topLevelItemCount() ? HandleOf(tree->topLevelItem(at + 1)) : nullptr;
}

TreeItem TreeCtrl::GetParentItem(TreeItem item) const
{
    QTreeWidgetItem* node = ItemOf(item);
    return node != nullptr ? HandleOf(node->parent()) : nullptr;
}

bool TreeCtrl::IsItem(TreeItem item) const
{
    QTreeWidget* tree = TreeOf(this);
    if (tree == nullptr || item == nullptr)
        return false;
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
        if (*it == ItemOf(item))
            return true;
    }
    return false;
}

std::string TreeCtrl::GetItemText(TreeItem item) const
{
    return item != nullptr ? qt::FromQ(ItemOf(item)->text(0)) : std::string();
}

void TreeCtrl::SetImageList(ImageList* images)
{
    m_images = images;
}

int TreeCtrl::GetItemImage(TreeItem item) const
{
    return item != nullptr ? ItemOf(item)->data(0, kImageRole).toInt() : -1;
}

bool TreeCtrl::SetItemData(TreeItem item, uintptr_t data)
{
    if (item == nullptr)
        return false;
    ItemOf(item)->setData(0, kDataRole, QVariant::fromValue<quintptr>(data));
    return true;
}

uintptr_t TreeCtrl::GetItemData(TreeItem item) const
{
    return item != nullptr ? ItemOf(item)->data(0, kDataRole).value<quintptr>() : 0;
}

} // namespace fw
