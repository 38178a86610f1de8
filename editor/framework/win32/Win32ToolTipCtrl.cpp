// Tooltips of a self-painting window on Win32: one system tooltip (comctl32) over the whole
// client area whose text is asked for each time it shows, the text of the tool under the pointer;
// moving onto another tool hides it, so the next shows after the usual wait.
#include "framework/ToolTipCtrl.h"
#include "framework/Wnd.h"
#include "framework/win32/Win32Wnd.h"

namespace fw {

using namespace win32;

struct ToolTipCtrl::Impl {
    HWND tip = nullptr;
    Wnd* owner = nullptr;
    std::string shownText; // the tool the pointer is over
    std::wstring text;     // handed to the tooltip, alive until it asks again

    ~Impl()
    {
        if (owner != nullptr)
            RemoveHooks(owner, this);
        if (tip != nullptr)
            DestroyWindow(tip);
    }
};

ToolTipCtrl::ToolTipCtrl() : m_impl(std::make_unique<Impl>()) {}

ToolTipCtrl::~ToolTipCtrl() = default;

bool ToolTipCtrl::Attach()
{
    HWND owner = HandleOf(m_owner);
    if (owner == nullptr)
        return false;
    if (m_impl->owner != nullptr)
        RemoveHooks(m_impl->owner, m_impl.get());
    if (m_impl->tip != nullptr)
        DestroyWindow(m_impl->tip);
    m_impl->owner = m_owner;
    m_impl->tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (m_impl->tip == nullptr)
        return false;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS; // the tooltip sees the owner's mouse messages itself
    tool.hwnd = owner;
    tool.uId = 1;
    tool.rect = RECT{0, 0, 32767, 32767};
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(m_impl->tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

    AddHook(
        m_owner,
        [this](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
            if (message == WM_MOUSEMOVE) {
                const std::string text = TextAt(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                if (text != m_impl->shownText) {
                    m_impl->shownText = text;
                    SendMessageW(m_impl->tip, TTM_POP, 0, 0);
                }
                return false;
            }
            if (message != WM_NOTIFY)
                return false;
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (info->hdr.hwndFrom != m_impl->tip || info->hdr.code != TTN_GETDISPINFOW)
                return false;
            POINT at{};
            ::GetCursorPos(&at);
            ScreenToClient(HandleOf(m_owner), &at);
            m_impl->text = Wide(TextAt(Point{at.x, at.y}));
            info->lpszText = m_impl->text.data();
            *result = 0;
            return true;
        },
        m_impl.get());
    return true;
}

} // namespace fw
