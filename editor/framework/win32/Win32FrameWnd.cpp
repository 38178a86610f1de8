// The frame window on Win32: a top-level window with the menu and accelerator table of its
// resource id, the state of every menu item and toolbar button kept by the command route, the
// status bar's prompts while a menu is open, dropped files, and the end of the message loop when
// the main frame goes.
#include "framework/Application.h"
#include "framework/CommandIds.h"
#include "framework/Resources.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"
#include "framework/View.h"
#include "framework/win32/Win32Application.h"
#include "framework/win32/Win32Frame.h"
#include "framework/win32/Win32Image.h"

#include <algorithm>

namespace fw {

using namespace win32;

namespace {

constexpr uint32_t kRecentFileIds = ID_FILE_MRU_LAST - ID_FILE_MRU_FILE1 + 1;

std::wstring MenuText(HMENU menu, UINT position)
{
    const int length = GetMenuStringW(menu, position, nullptr, 0, MF_BYPOSITION);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetMenuStringW(menu, position, text.data(), length + 1, MF_BYPOSITION);
    text.resize(static_cast<size_t>(length));
    return text;
}

HMENU BuildPopup(const std::vector<MenuItem>& items, std::map<uint32_t, std::string>& texts)
{
    HMENU popup = CreatePopupMenu();
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            break;
        case MenuItem::Kind::Popup:
            AppendMenuW(popup, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(BuildPopup(item.items, texts)),
                        Wide(item.text).c_str());
            break;
        case MenuItem::Kind::Command:
            AppendMenuW(popup, MF_STRING | (item.grayed ? MF_GRAYED : MF_ENABLED), item.id, Wide(item.text).c_str());
            texts[item.id] = item.text;
            break;
        }
    }
    return popup;
}

// One menu item during an update pass: the state goes straight to the item. The recent-file
// list shows its entries in place of its placeholder item.
class MenuCmdUI : public CmdUI {
public:
    MenuCmdUI(uint32_t id, HMENU menu, UINT position, const FrameWnd::Impl& frame)
        : CmdUI(id), m_menu(menu), m_position(position), m_frame(frame)
    {
    }

    void Enable(bool on) override
    {
        CmdUI::Enable(on);
        // Only the first of the items shown in place of one is governed by its update.
        EnableMenuItem(m_menu, m_position, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    }
    void SetCheck(int check) override
    {
        CmdUI::SetCheck(check);
        CheckMenuItem(m_menu, m_position, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
    }
    void SetText(const std::string& text) override
    {
        const UINT state = GetMenuState(m_menu, m_position, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED);
        ModifyMenuW(m_menu, m_position, MF_BYPOSITION | MF_STRING | state, Id(), Wide(text).c_str());
    }
    bool IsMenuItem() const override { return true; }
    void SetMenuItems(const std::vector<std::string>& texts) override
    {
        // Every item of the id's range goes; the new ones (or the placeholder) take its place.
        for (int i = GetMenuItemCount(m_menu) - 1; i >= 0; --i) {
            const UINT id = GetMenuItemID(m_menu, i);
            if (id != static_cast<UINT>(-1) && id >= Id() && id < Id() + kRecentFileIds) {
                DeleteMenu(m_menu, static_cast<UINT>(i), MF_BYPOSITION);
                if (static_cast<UINT>(i) < m_position)
                    --m_position;
            }
        }
        if (texts.empty()) {
            auto it = m_frame.menuTexts.find(Id());
            const std::string text = it != m_frame.menuTexts.end() ? it->second : std::string();
            InsertMenuW(m_menu, m_position, MF_BYPOSITION | MF_STRING, Id(), Wide(text).c_str());
            m_shown = 1;
            return;
        }
        const size_t count = std::min<size_t>(texts.size(), kRecentFileIds);
        for (size_t i = 0; i < count; ++i) {
            InsertMenuW(m_menu, m_position + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                        Id() + static_cast<UINT>(i), Wide(texts[i]).c_str());
        }
        m_shown = static_cast<UINT>(count);
    }

    // Where the item is now, and how many items it shows.
    UINT Position() const { return m_position; }
    UINT Shown() const { return m_shown; }

private:
    HMENU m_menu;
    UINT m_position;
    const FrameWnd::Impl& m_frame;
    UINT m_shown = 1;
};

// A toolbar button during an update pass.
class ButtonCmdUI : public CmdUI {
public:
    ButtonCmdUI(uint32_t id, HWND toolBar) : CmdUI(id), m_toolBar(toolBar) {}
    void Enable(bool on) override
    {
        CmdUI::Enable(on);
        SendMessageW(m_toolBar, TB_ENABLEBUTTON, Id(), MAKELPARAM(on ? TRUE : FALSE, 0));
    }
    void SetCheck(int check) override
    {
        CmdUI::SetCheck(check);
        SendMessageW(m_toolBar, TB_CHECKBUTTON, Id(), MAKELPARAM(check ? TRUE : FALSE, 0));
    }

private:
    HWND m_toolBar;
};

// Brings the items of one drop-down up to date through the frame's route.
void UpdateMenu(FrameWnd* frame, HMENU menu)
{
    const FrameWnd::Impl& impl = *frame->GetFrameImpl();
    for (UINT position = 0; position < static_cast<UINT>(GetMenuItemCount(menu));) {
        const UINT id = GetMenuItemID(menu, static_cast<int>(position));
        if (id == 0 || id == static_cast<UINT>(-1)) { // a separator or a drop-down
            ++position;
            continue;
        }
        MenuCmdUI ui(id, menu, position, impl);
        ui.DoUpdate(frame, true);
        position = ui.Position() + ui.Shown();
    }
}

// The menu item of id, anywhere in menu: its menu and position.
bool FindMenuItem(HMENU menu, uint32_t id, HMENU* where, UINT* position)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (FindMenuItem(sub, id, where, position))
                return true;
        } else if (GetMenuItemID(menu, i) == id) {
            *where = menu;
            *position = static_cast<UINT>(i);
            return true;
        }
    }
    return false;
}

// The system toolbar controls of the frame's toolbars.
std::vector<HWND> ToolBarControls(const FrameWnd* frame)
{
    std::vector<HWND> controls;
    for (ControlBar* bar : frame->GetFrameImpl()->bars) {
        if (dynamic_cast<ToolBar*>(bar) != nullptr && bar->GetBarImpl()->control != nullptr)
            controls.push_back(bar->GetBarImpl()->control);
    }
    return controls;
}

bool HandleFrameMessage(FrameWnd* frame, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND hwnd = HandleOf(frame);
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0)
            return false;
        // A menu item or an accelerator.
        frame->SendCommand(LOWORD(wParam));
        *result = 0;
        return true;
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam) == 0)
            UpdateMenu(frame, reinterpret_cast<HMENU>(wParam));
        *result = 0;
        return true;
    case WM_MENUSELECT: {
        const UINT flags = HIWORD(wParam);
        if (flags == 0xFFFF && lParam == 0) {
            frame->SetMessageText(IDS_IDLEMESSAGE); // the menu closed
        } else if (!(flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU))) {
            const std::string prompt = ResourceTable::Instance().String(LOWORD(wParam)).value_or(std::string());
            frame->SetMessageText(SplitPrompt(prompt).status);
        } else {
            frame->SetMessageText(std::string());
        }
        *result = 0;
        return true;
    }
    case WM_EXITMENULOOP:
        frame->SetMessageText(IDS_IDLEMESSAGE);
        return false;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            frame->RecalcLayout();
        return false; // on to OnSize
    case WM_SETFOCUS:
        if (View* view = frame->GetActiveView(); view != nullptr && view->IsWindow()) {
            view->SetFocus();
            *result = 0;
            return true;
        }
        return false;
    case WM_SETTEXT:
        *result = DefWindowProcW(hwnd, message, wParam, lParam);
        Report("title " + Utf8(reinterpret_cast<const wchar_t*>(lParam)));
        return true;
    case WM_DROPFILES: {
        // Names in the system's narrow encoding, as the file dialog gives them.
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        std::vector<std::string> paths;
        const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileA(drop, i, nullptr, 0);
            std::string path(length + 1, '\0');
            DragQueryFileA(drop, i, path.data(), length + 1);
            path.resize(length);
            paths.push_back(path);
        }
        DragFinish(drop);
        const std::vector<std::string> taken = frame->DroppableFiles(paths);
        Report("dropped " + std::to_string(paths.size()) + " taken " + std::to_string(taken.size()));
        if (!taken.empty()) {
            SetForegroundWindow(hwnd);
            frame->OnDropFiles(taken);
        }
        *result = 0;
        return true;
    }
    case WM_DESTROY: {
        // The main frame's going ends the program's message loop.
        Application* app = Application::Instance();
        if (app != nullptr && app->GetMainWnd() == frame)
            PostQuitMessage(0);
        return false;
    }
    default:
        return false;
    }
}

} // namespace

namespace win32 {

bool TranslateFrameAccelerator(FrameWnd* frame, MSG& msg)
{
    HWND hwnd = HandleOf(frame);
    HACCEL table = frame->GetFrameImpl()->accelerators;
    return hwnd != nullptr && table != nullptr && TranslateAcceleratorW(hwnd, table, &msg) != 0;
}

} // namespace win32

FrameWnd::Impl::~Impl()
{
    if (accelerators != nullptr)
        DestroyAcceleratorTable(accelerators);
    if (bigIcon != nullptr)
        DestroyIcon(bigIcon);
    if (smallIcon != nullptr)
        DestroyIcon(smallIcon);
    // The menu goes with the window; one never attached is ours.
    if (menu != nullptr && !IsMenu(menu))
        menu = nullptr;
}

FrameWnd::FrameWnd() : m_impl(std::make_unique<Impl>())
{
    ConstructCommon();
    AddHook(this, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        return HandleFrameMessage(this, message, wParam, lParam, result);
    });
}

FrameWnd::~FrameWnd()
{
    // The menu of a window that still exists goes with the window in ~Wnd.
    if (Application* app = Application::Instance(); app != nullptr && app->GetMainWnd() == this)
        app->SetMainWnd(nullptr);
}

bool FrameWnd::LoadFrame(uint32_t resourceId, CreateContext* context)
{
    m_resourceId = resourceId;
    const ResourceTable& resources = ResourceTable::Instance();

    RECT work{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CreateStruct cs;
    cs.size = Size{(work.right - work.left) * 3 / 4, (work.bottom - work.top) * 3 / 4};
    cs.title = StringField(resources.String(resourceId).value_or(std::string()), 0);
    if (cs.title.empty())
        cs.title = resources.String(IDS_APP_TITLE).value_or(std::string());
    if (!PreCreateWindow(cs))
        return false;
    m_title = cs.title;

    if (const MenuResource* menu = resources.Menu(resourceId)) {
        m_impl->menu = CreateMenu();
        for (const MenuItem& popup : menu->popups) {
            AppendMenuW(m_impl->menu, MF_POPUP | MF_STRING,
                        reinterpret_cast<UINT_PTR>(BuildPopup(popup.items, m_impl->menuTexts)),
                        Wide(popup.text).c_str());
        }
    }
    if (const std::vector<Accelerator>* table = resources.Accelerators(resourceId)) {
        std::vector<ACCEL> keys;
        for (const Accelerator& accelerator : *table) {
            // Keys and modifiers are the system's own numbers (VK_*, FSHIFT, FCONTROL, FALT).
            keys.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | accelerator.modifiers),
                                 static_cast<WORD>(accelerator.key), static_cast<WORD>(accelerator.command)});
            m_impl->acceleratorCommands.push_back(accelerator.command);
        }
        if (!keys.empty())
            m_impl->accelerators = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
    }

    // In the middle of the work area.
    const Rect rect = Rect::FromSize(work.left + (work.right - work.left - cs.size.cx) / 2,
                                     work.top + (work.bottom - work.top - cs.size.cy) / 2, cs.size.cx, cs.size.cy);
    m_createContext = context;
    HWND hwnd = CreateFrameworkWindow(this, kFrameClass, 0, cs.title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect,
                                      nullptr, m_impl->menu);
    m_createContext = nullptr;
    if (hwnd == nullptr) {
        if (m_impl->menu != nullptr)
            DestroyMenu(m_impl->menu);
        m_impl->menu = nullptr;
        return false;
    }
    Report("title " + cs.title);
    if (resources.HasIcon(resourceId)) {
        m_impl->bigIcon = MakeIcon(resources.Icon(resourceId, GetSystemMetrics(SM_CXICON)));
        m_impl->smallIcon = MakeIcon(resources.Icon(resourceId, GetSystemMetrics(SM_CXSMICON)));
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_impl->bigIcon));
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_impl->smallIcon));
    }
    SetMessageText(IDS_IDLEMESSAGE);
    RecalcLayout();
    return true;
}

int FrameWnd::GetMenuPopupCount() const
{
    return m_impl->menu != nullptr ? GetMenuItemCount(m_impl->menu) : 0;
}

std::string FrameWnd::GetMenuPopupText(int index) const
{
    if (index < 0 || index >= GetMenuPopupCount())
        return {};
    return Utf8(MenuText(m_impl->menu, static_cast<UINT>(index)));
}

std::vector<MenuItemState> FrameWnd::GetMenuItems(int popup) const
{
    std::vector<MenuItemState> items;
    HMENU menu = popup >= 0 && popup < GetMenuPopupCount() ? GetSubMenu(m_impl->menu, popup) : nullptr;
    if (menu == nullptr)
        return items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        MenuItemState item;
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        item.popup = info.hSubMenu != nullptr;
        item.id = item.separator || item.popup ? 0 : info.wID;
        item.text = item.separator ? std::string() : Utf8(MenuText(menu, static_cast<UINT>(i)));
        item.enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        item.checked = (info.fState & MFS_CHECKED) != 0;
        items.push_back(item);
    }
    return items;
}

void FrameWnd::UpdateMenuPopup(int popup)
{
    HMENU menu = popup >= 0 && popup < GetMenuPopupCount() ? GetSubMenu(m_impl->menu, popup) : nullptr;
    if (menu != nullptr)
        UpdateMenu(this, menu);
}

CommandState FrameWnd::GetCommandState(uint32_t id) const
{
    CommandState state;
    HMENU menu = nullptr;
    UINT position = 0;
    if (m_impl->menu != nullptr && FindMenuItem(m_impl->menu, id, &menu, &position)) {
        const UINT flags = GetMenuState(menu, position, MF_BYPOSITION);
        state.known = true;
        state.enabled = (flags & (MF_GRAYED | MF_DISABLED)) == 0;
        state.checked = (flags & MF_CHECKED) != 0;
        state.text = Utf8(MenuText(menu, position));
        return state;
    }
    for (HWND toolBar : ToolBarControls(this)) {
        if (SendMessageW(toolBar, TB_COMMANDTOINDEX, id, 0) < 0)
            continue;
        state.known = true;
        state.enabled = SendMessageW(toolBar, TB_ISBUTTONENABLED, id, 0) != 0;
        state.checked = SendMessageW(toolBar, TB_ISBUTTONCHECKED, id, 0) != 0;
        state.text = SplitPrompt(ResourceTable::Instance().String(id).value_or(std::string())).tip;
        return state;
    }
    const std::vector<uint32_t>& keys = m_impl->acceleratorCommands;
    if (std::find(keys.begin(), keys.end(), id) != keys.end()) {
        // A command of the keyboard only: its state is what the route says now.
        CmdUI ui(id);
        ui.DoUpdate(const_cast<FrameWnd*>(this), true);
        state.known = true;
        state.enabled = ui.IsEnabled();
        state.checked = ui.Check() != 0;
    }
    return state;
}

void FrameWnd::UpdateCommandUI()
{
    if (!IsWindow())
        return;
    for (int popup = 0; popup < GetMenuPopupCount(); ++popup)
        UpdateMenuPopup(popup);
    for (HWND toolBar : ToolBarControls(this)) {
        const int count = static_cast<int>(SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TBBUTTON button{};
            SendMessageW(toolBar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
            if (button.fsStyle & BTNS_SEP)
                continue;
            ButtonCmdUI ui(static_cast<uint32_t>(button.idCommand), toolBar);
            ui.DoUpdate(this, true);
        }
    }
    if (StatusBar* bar = GetMessageBar())
        bar->UpdatePanes(this);
    // A bar may go while another updates (none does now); walk a copy.
    const std::vector<ControlBar*> bars = m_impl->bars;
    for (ControlBar* bar : bars)
        bar->OnUpdateCmdUI(this, true);
}

void FrameWnd::DragAcceptFiles(bool accept)
{
    m_acceptFiles = accept;
    if (HWND hwnd = HandleOf(this))
        ::DragAcceptFiles(hwnd, accept ? TRUE : FALSE);
}

} // namespace fw
