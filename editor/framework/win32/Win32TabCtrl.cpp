// The tab control as the system's (comctl32 SysTabControl32).
#include "framework/TabCtrl.h"
#include "framework/win32/Win32ControlStyles.h"
#include "framework/win32/Win32Wnd.h"

#include <algorithm>

namespace fw {

using namespace win32;

TabCtrl::TabCtrl()
{
    // The system tells of selections the user makes, never of SetCurSel's.
    AddHook(this, [this](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != kReflectedNotify || reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGE)
            return false;
        OnSelChange();
        *result = 0;
        return true;
    });
}

TabCtrl::~TabCtrl() = default;

bool TabCtrl::Create(uint32_t style, const Rect& rect, Wnd* parent, uint32_t id)
{
    HWND hwnd = CreateOrAdoptControl(this, WC_TABCONTROLW, ControlWindowStyle(ControlClass::TabControl, style), 0, rect,
                                     parent, id);
    if (hwnd == nullptr)
        return false;
    m_style = style;
    return true;
}

int TabCtrl::InsertItem(int position, const std::string& text)
{
    std::wstring wide = Wide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    const int at = std::clamp(position, 0, GetItemCount());
    return static_cast<int>(SendTo(this, TCM_INSERTITEMW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item)));
}

int TabCtrl::GetItemCount() const
{
    return static_cast<int>(SendTo(this, TCM_GETITEMCOUNT));
}

std::string TabCtrl::GetItemText(int index) const
{
    wchar_t text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    if (!SendTo(this, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return {};
    return Utf8(item.pszText);
}

int TabCtrl::GetCurSel() const
{
    return HandleOf(this) != nullptr ? static_cast<int>(SendTo(this, TCM_GETCURSEL)) : -1;
}

int TabCtrl::SetCurSel(int index)
{
    return static_cast<int>(SendTo(this, TCM_SETCURSEL, static_cast<WPARAM>(index)));
}

Rect TabCtrl::GetItemRect(int index) const
{
    RECT r{};
    SendTo(this, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return FromRect(r);
}

} // namespace fw
