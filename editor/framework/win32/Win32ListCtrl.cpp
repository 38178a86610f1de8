// The list control as the system's list view (comctl32 SysListView32) in report mode.
#include "framework/ListCtrl.h"
#include "framework/win32/Win32ControlStyles.h"
#include "framework/win32/Win32Wnd.h"

#include <algorithm>

namespace fw {

using namespace win32;

ListCtrl::ListCtrl()
{
    // An edited label is kept only when the handler says so.
    AddHook(this, [this](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != kReflectedNotify)
            return false;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == LVN_BEGINLABELEDITW) {
            *result = FALSE; // editing may start
            return true;
        }
        if (header->code != LVN_ENDLABELEDITW)
            return false;
        const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
        *result =
            info->item.pszText != nullptr && EndLabelEdit(info->item.iItem, Utf8(info->item.pszText)) ? TRUE : FALSE;
        return true;
    });
}

ListCtrl::~ListCtrl() = default;

bool ListCtrl::Create(uint32_t style, const Rect& rect, Wnd* parent, uint32_t id)
{
    HWND hwnd = CreateOrAdoptControl(this, WC_LISTVIEWW, ControlWindowStyle(ControlClass::ListView, style), 0, rect,
                                     parent, id);
    if (hwnd == nullptr)
        return false;
    m_style = style;
    return true;
}

int ListCtrl::InsertColumn(int column, const std::string& heading, int width)
{
    std::wstring text = Wide(heading);
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    info.pszText = text.data();
    info.cx = width >= 0
                  ? width
                  : static_cast<int>(SendTo(this, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str()))) + 15;
    info.iSubItem = column;
    return static_cast<int>(
        SendTo(this, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

int ListCtrl::GetColumnCount() const
{
    HWND header = reinterpret_cast<HWND>(SendTo(this, LVM_GETHEADER));
    return header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int ListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(SendTo(this, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

std::string ListCtrl::GetColumnHeading(int column) const
{
    wchar_t text[256] = {};
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = 256;
    if (!SendTo(this, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)))
        return {};
    return Utf8(text);
}

int ListCtrl::InsertItem(int row, const std::string& text)
{
    std::wstring wide = Wide(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = std::clamp(row, 0, GetItemCount());
    item.pszText = wide.data();
    return static_cast<int>(SendTo(this, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListCtrl::DeleteAllItems()
{
    return SendTo(this, LVM_DELETEALLITEMS) != 0;
}

int ListCtrl::GetItemCount() const
{
    return static_cast<int>(SendTo(this, LVM_GETITEMCOUNT));
}

std::string ListCtrl::GetItemText(int row, int column) const
{
    if (row < 0 || row >= GetItemCount())
        return {};
    std::wstring text(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length =
        static_cast<size_t>(SendTo(this, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    text.resize(std::min(length, text.size()));
    return Utf8(text);
}

bool ListCtrl::SetItemText(int row, int column, const std::string& text)
{
    std::wstring wide = Wide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    return SendTo(this, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

uint32_t ListCtrl::SetExtendedStyle(uint32_t exStyle)
{
    // The bits are the system's own (LVS_EX_GRIDLINES, _CHECKBOXES, _FULLROWSELECT).
    const uint32_t previous = m_exStyle;
    m_exStyle = exStyle;
    SendTo(this, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(exStyle));
    return previous;
}

bool ListCtrl::GetCheck(int row) const
{
    const auto state = static_cast<UINT>(SendTo(this, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool ListCtrl::SetCheck(int row, bool checked)
{
    if (!(m_exStyle & ExCheckBoxes) || row < 0 || row >= GetItemCount())
        return false;
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    return SendTo(this, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

} // namespace fw
