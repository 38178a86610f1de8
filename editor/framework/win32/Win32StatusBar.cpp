// The status bar on Win32: the system's status bar control (comctl32 msctls_statusbar32) as the
// bar's own window, with the message pane stretching and each indicator as wide as its text.
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/StatusBar.h"
#include "framework/win32/Win32Frame.h"

#include <algorithm>

namespace fw {

using namespace win32;

namespace {

// Right edges of the panes for a bar width wide: the panes before the message pane from the
// left, the ones after it from the right, each as wide as given; the message pane takes the rest.
std::vector<int> PaneEdges(int width, const std::vector<int>& widths, int messagePane)
{
    const int count = static_cast<int>(widths.size());
    std::vector<int> edges(widths.size());
    int left = 0;
    for (int i = 0; i < messagePane; ++i) {
        left += widths[static_cast<size_t>(i)];
        edges[static_cast<size_t>(i)] = left;
    }
    int right = width;
    for (int i = count - 1; i > messagePane; --i) {
        edges[static_cast<size_t>(i)] = right;
        right -= widths[static_cast<size_t>(i)];
    }
    if (messagePane >= 0 && messagePane < count)
        edges[static_cast<size_t>(messagePane)] = std::max(left, right);
    return edges;
}

int TextWidth(HWND control, const std::string& text)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    const std::wstring wide = Wide(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

} // namespace

StatusBar::StatusBar()
{
    // The panes follow the bar's width.
    AddHook(this, [this](UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_SIZE && !m_panes.empty())
            MakePanes();
        return false;
    });
}

StatusBar::~StatusBar() = default;

bool StatusBar::Create(FrameWnd* parent, uint32_t style, uint32_t id)
{
    HWND frameHwnd = HandleOf(parent);
    if (frameHwnd == nullptr || IsWindow())
        return false;
    SetDockingFrame(parent);
    SetBarStyle(style & BarStyle::Mask);
    const DWORD windowStyle = (style & ~BarStyle::Mask) | WS_CHILD | WS_CLIPSIBLINGS;
    HWND hwnd = CreateOrAdoptControl(this, STATUSCLASSNAMEW, windowStyle, 0, Rect::FromSize(0, 0, 100, 20), parent, id);
    if (hwnd == nullptr)
        return false;
    GetBarImpl()->control = hwnd;
    // Laid out by the frame at its preferred height: let it size itself once, then keep it.
    SendMessageW(hwnd, WM_SIZE, 0, 0);
    SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | CCS_NORESIZE | CCS_NOPARENTALIGN);
    parent->AddControlBar(this);
    RegisterBar(parent, this);
    return true;
}

void StatusBar::MakePanes()
{
    HWND control = GetBarImpl()->control;
    if (control == nullptr || m_panes.empty())
        return;
    // Each indicator as wide as its text with the pane's borders; the message pane stretches.
    const int margin = 2 * GetSystemMetrics(SM_CXEDGE) + 8;
    std::vector<int> widths;
    int messagePane = -1;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].id == ID_SEPARATOR && messagePane < 0)
            messagePane = static_cast<int>(i);
        widths.push_back(m_panes[i].id == ID_SEPARATOR ? 0 : TextWidth(control, m_panes[i].text) + margin);
    }
    RECT client{};
    ::GetClientRect(control, &client);
    std::vector<int> edges = PaneEdges(client.right, widths, messagePane < 0 ? 0 : messagePane);
    SendMessageW(control, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < GetCount(); ++i)
        ShowPaneText(i);
}

void StatusBar::ShowPaneText(int index)
{
    HWND control = GetBarImpl()->control;
    if (control == nullptr || index < 0 || index >= GetCount())
        return;
    const PaneInfo& pane = m_panes[static_cast<size_t>(index)];
    const std::wstring text = Wide(pane.shown);
    const WPARAM style = pane.id == ID_SEPARATOR ? SBT_NOBORDERS : 0;
    SendMessageW(control, SB_SETTEXTW, static_cast<WPARAM>(index) | style, reinterpret_cast<LPARAM>(text.c_str()));
}

Rect StatusBar::GetItemRect(int index) const
{
    RECT r{};
    if (HWND control = GetBarImpl()->control)
        SendMessageW(control, SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return FromRect(r);
}

} // namespace fw
