// The toolbar on Win32: a control bar window holding the system's toolbar control (comctl32
// ToolbarWindow32) of the resource's buttons and images, with a gripper on its leading side that
// drags the bar and docks or floats it on a double click. Buttons send their commands through
// the frame; tooltips and fly-by prompts come from the command's prompt string.
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/Resources.h"
#include "framework/ToolBar.h"
#include "framework/win32/Win32DC.h"
#include "framework/win32/Win32Frame.h"
#include "framework/win32/Win32Image.h"

namespace fw {

using namespace win32;

namespace {

constexpr int kGripperWidth = 8; // the two raised lines and their margins
constexpr int kBorder = 2;

bool HasGripper(const ToolBar* bar)
{
    return (bar->GetBarStyle() & BarStyle::Gripper) != 0;
}

// The toolbar control's place in the bar: after the gripper, inside the border.
Rect ControlRect(const ToolBar* bar)
{
    const Rect client = bar->GetClientRect();
    return Rect{client.left + (HasGripper(bar) ? kGripperWidth : kBorder), client.top + kBorder, client.right - kBorder,
                client.bottom - kBorder};
}

void PaintGripper(ToolBar* bar, HDC dc)
{
    const Rect client = bar->GetClientRect();
    RECT all = ToRect(client);
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (!HasGripper(bar))
        return;
    // Two thin raised bars running down the leading side.
    for (int x : {2, 5}) {
        RECT line{x, client.top + 3, x + 3, client.bottom - 3};
        DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
    }
}

bool HandleToolBarMessage(ToolBar* bar, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND control = bar->GetBarImpl()->control;
    FrameWnd* frame = bar->GetDockingFrame();
    switch (message) {
    case WM_COMMAND:
        if (control == nullptr || reinterpret_cast<HWND>(lParam) != control || frame == nullptr)
            return false;
        frame->SendCommand(LOWORD(wParam));
        *result = 0;
        return true;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == TTN_GETDISPINFOW && (bar->GetBarStyle() & BarStyle::ToolTips)) {
            // The tooltip is the part of the command's prompt after the newline.
            static std::wstring tip;
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            tip = Wide(
                SplitPrompt(
                    ResourceTable::Instance().String(static_cast<uint32_t>(header->idFrom)).value_or(std::string()))
                    .tip);
            info->lpszText = tip.data();
            *result = 0;
            return true;
        }
        if (header->code == NM_CUSTOMDRAW && header->hwndFrom == control) {
            // The flat toolbar leaves its background to its parent: the bar's face colour.
            auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(lParam);
            if (draw->nmcd.dwDrawStage == CDDS_PREERASE) {
                RECT all{};
                ::GetClientRect(control, &all);
                FillRect(draw->nmcd.hdc, &all, GetSysColorBrush(COLOR_BTNFACE));
                *result = CDRF_SKIPDEFAULT;
                return true;
            }
            return false;
        }
        if (header->code == TBN_HOTITEMCHANGE && header->hwndFrom == control &&
            (bar->GetBarStyle() & BarStyle::FlyBy) && frame != nullptr) {
            // Fly-by: the button under the pointer tells on the status bar what it does.
            const auto* hot = reinterpret_cast<const NMTBHOTITEM*>(lParam);
            if (hot->dwFlags & HICF_LEAVING) {
                frame->SetMessageText(IDS_IDLEMESSAGE);
            } else {
                frame->SetMessageText(
                    SplitPrompt(ResourceTable::Instance().String(static_cast<uint32_t>(hot->idNew)).value_or(""))
                        .status);
            }
            *result = 0;
            return true;
        }
        return false;
    }
    case WM_SIZE:
        if (control != nullptr) {
            const Rect place = ControlRect(bar);
            MoveWindow(control, place.left, place.top, place.Width(), place.Height(), TRUE);
        }
        return false;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(HandleOf(bar), &paint);
        PaintGripper(bar, dc);
        EndPaint(HandleOf(bar), &paint);
        *result = 0;
        return true;
    }
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const Point point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (!HasGripper(bar) || point.x >= kGripperWidth)
            return false;
        if (message == WM_LBUTTONDBLCLK) {
            bar->ToggleDocking();
        } else {
            bar->StartDrag(bar->ClientToScreen(point));
        }
        *result = 0;
        return true;
    }
    default:
        return false;
    }
}

} // namespace

FW_IMPLEMENT_DYNAMIC(ToolBar, ControlBar)

ToolBar::ToolBar()
{
    AddHook(this, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        return HandleToolBarMessage(this, message, wParam, lParam, result);
    });
}

ToolBar::~ToolBar() = default;

bool ToolBar::CreateEx(FrameWnd* parent, uint32_t toolBarStyle, uint32_t style, uint32_t id)
{
    m_toolBarStyle = toolBarStyle;
    if (!CreateBar(parent, "", style, id))
        return false;
    // The system's flat style has the same bit as the framework's (TBSTYLE_FLAT).
    const DWORD controlStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NOPARENTALIGN |
                               CCS_NORESIZE | CCS_NOMOVEY | TBSTYLE_CUSTOMERASE |
                               (toolBarStyle & ToolBarStyle::Flat ? TBSTYLE_FLAT : 0);
    HWND control =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, controlStyle, 0, 0, 0, 0, HandleOf(this),
                        reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr)
        return false;
    SendMessageW(control, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    GetBarImpl()->control = control;
    return true;
}

void ToolBar::SetBarStyle(uint32_t style)
{
    ControlBar::SetBarStyle(style);
    if (IsWindow())
        Invalidate();
}

bool ToolBar::LoadToolBar(uint32_t resourceId)
{
    HWND control = GetBarImpl()->control;
    const ToolBarResource* resource = ResourceTable::Instance().ToolBar(resourceId);
    if (control == nullptr || resource == nullptr)
        return false;
    m_buttons = resource->buttons;
    m_buttonSize = resource->buttonSize;

    std::vector<Image> images = resource->images ? resource->images() : std::vector<Image>();
    HIMAGELIST list = MakeImageList(images, m_buttonSize);
    SendMessageW(control, TB_SETBITMAPSIZE, 0, MAKELPARAM(m_buttonSize.cx, m_buttonSize.cy));
    SendMessageW(control, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    if (GetImpl()->imageList != nullptr)
        ImageList_Destroy(GetImpl()->imageList);
    GetImpl()->imageList = list;

    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (uint32_t id : m_buttons) {
        TBBUTTON button{};
        if (id == 0) {
            button.fsStyle = BTNS_SEP;
            button.iBitmap = 6; // the separator's width
        } else {
            button.iBitmap = image++;
            button.idCommand = static_cast<int>(id);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(button);
    }
    SendMessageW(control, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(control, TB_AUTOSIZE, 0, 0);

    // The bar is as large as its buttons, its gripper and its border.
    SIZE size{};
    SendMessageW(control, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    const int lead = HasGripper(this) ? kGripperWidth : kBorder;
    MoveWindow(Rect::FromSize(0, 0, lead + size.cx + kBorder, size.cy + 2 * kBorder));
    if (FrameWnd* frame = GetDockingFrame())
        frame->RecalcLayout();
    return true;
}

} // namespace fw
