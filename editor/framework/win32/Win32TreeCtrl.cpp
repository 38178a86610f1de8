// The tree control as the system's tree view (comctl32 SysTreeView32).
#include "framework/ImageList.h"
#include "framework/TreeCtrl.h"
#include "framework/win32/Win32ControlStyles.h"
#include "framework/win32/Win32Image.h"
#include "framework/win32/Win32Wnd.h"

namespace fw {

using namespace win32;

namespace {

HTREEITEM H(TreeItem item)
{
    return reinterpret_cast<HTREEITEM>(item);
}

TreeItem T(LRESULT item)
{
    return reinterpret_cast<TreeItem>(item);
}

} // namespace

TreeCtrl::TreeCtrl()
{
    AddHook(this, [this](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != kReflectedNotify)
            return false;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == TVN_BEGINLABELEDITW) {
            *result = FALSE;
            return true;
        }
        if (header->code != TVN_ENDLABELEDITW)
            return false;
        const auto* info = reinterpret_cast<const NMTVDISPINFOW*>(lParam);
        *result = info->item.pszText != nullptr &&
                          EndLabelEdit(reinterpret_cast<TreeItem>(info->item.hItem), Utf8(info->item.pszText))
                      ? TRUE
                      : FALSE;
        return true;
    });
}

TreeCtrl::~TreeCtrl() = default;

bool TreeCtrl::Create(uint32_t style, const Rect& rect, Wnd* parent, uint32_t id)
{
    HWND hwnd = CreateOrAdoptControl(this, WC_TREEVIEWW, ControlWindowStyle(ControlClass::TreeView, style), 0, rect,
                                     parent, id);
    if (hwnd == nullptr)
        return false;
    m_style = style;
    return true;
}

TreeItem TreeCtrl::InsertItem(const std::string& text, int image, int selectedImage, TreeItem parent)
{
    std::wstring wide = Wide(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent != nullptr ? H(parent) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = wide.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return T(SendTo(this, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

bool TreeCtrl::DeleteAllItems()
{
    return SendTo(this, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)) != 0;
}

bool TreeCtrl::Expand(TreeItem item)
{
    return item != nullptr && SendTo(this, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(H(item))) != 0;
}

bool TreeCtrl::IsExpanded(TreeItem item) const
{
    if (item == nullptr)
        return false;
    return (SendTo(this, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(H(item)), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

int TreeCtrl::GetCount() const
{
    return static_cast<int>(SendTo(this, TVM_GETCOUNT));
}

TreeItem TreeCtrl::GetRootItem() const
{
    return T(SendTo(this, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

TreeItem TreeCtrl::GetChildItem(TreeItem item) const
{
    return item != nullptr ? T(SendTo(this, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(H(item)))) : nullptr;
}

TreeItem TreeCtrl::GetNextSiblingItem(TreeItem item) const
{
    return item != nullptr ? T(SendTo(this, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(H(item)))) : nullptr;
}

TreeItem TreeCtrl::GetParentItem(TreeItem item) const
{
    return item != nullptr ? T(SendTo(this, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(H(item)))) : nullptr;
}

bool TreeCtrl::IsItem(TreeItem item) const
{
    // The system cannot tell a stale handle from a live one: look for it.
    if (item == nullptr)
        return false;
    TreeItem at = GetRootItem();
    while (at != nullptr) {
        if (at == item)
            return true;
        TreeItem next = GetChildItem(at);
        while (next == nullptr && at != nullptr) {
            next = GetNextSiblingItem(at);
            if (next == nullptr)
                at = GetParentItem(at);
        }
        at = next;
    }
    return false;
}

std::string TreeCtrl::GetItemText(TreeItem item) const
{
    if (item == nullptr)
        return {};
    std::wstring text(1024, L'\0');
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = H(item);
    info.pszText = text.data();
    info.cchTextMax = static_cast<int>(text.size());
    if (!SendTo(this, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info)))
        return {};
    return Utf8(info.pszText);
}

void TreeCtrl::SetImageList(ImageList* images)
{
    m_images = images;
    Wnd::Impl& impl = *GetImpl();
    HIMAGELIST made = nullptr;
    if (images != nullptr && images->IsCreated()) {
        std::vector<Image> pictures;
        for (int i = 0; i < images->GetImageCount(); ++i)
            pictures.push_back(*images->GetImage(i));
        made = MakeImageList(pictures, images->ImageSize());
    }
    SendTo(this, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(made));
    if (impl.imageList != nullptr)
        ImageList_Destroy(impl.imageList);
    impl.imageList = made;
}

int TreeCtrl::GetItemImage(TreeItem item) const
{
    if (item == nullptr)
        return -1;
    TVITEMW info{};
    info.mask = TVIF_IMAGE;
    info.hItem = H(item);
    return SendTo(this, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info)) ? info.iImage : -1;
}

bool TreeCtrl::SetItemData(TreeItem item, uintptr_t data)
{
    if (item == nullptr)
        return false;
    TVITEMW info{};
    info.mask = TVIF_PARAM;
    info.hItem = H(item);
    info.lParam = static_cast<LPARAM>(data);
    return SendTo(this, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

uintptr_t TreeCtrl::GetItemData(TreeItem item) const
{
    if (item == nullptr)
        return 0;
    TVITEMW info{};
    info.mask = TVIF_PARAM;
    info.hItem = H(item);
    return SendTo(this, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info)) ? static_cast<uintptr_t>(info.lParam) : 0;
}

} // namespace fw
