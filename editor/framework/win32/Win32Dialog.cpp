// Dialogs on Win32: the template becomes an in-memory DLGTEMPLATE in dialog units with its font
// and styles, the system's dialog manager makes the dialog and its controls from it, and the
// framework's objects adopt them: list, tree and tab controls as ListCtrl, TreeCtrl and TabCtrl,
// every other control as a plain window. Modal dialogs run a loop of their own with their owner
// disabled.
#include "framework/Application.h"
#include "framework/CommandIds.h"
#include "framework/Dialog.h"
#include "framework/FrameWnd.h"
#include "framework/ListCtrl.h"
#include "framework/TabCtrl.h"
#include "framework/TreeCtrl.h"
#include "framework/win32/DialogTemplateWriter.h"
#include "framework/win32/Win32Application.h"
#include "framework/win32/Win32ControlStyles.h"
#include "framework/win32/Win32Image.h"
#include "framework/win32/Win32Wnd.h"

namespace fw {

using namespace win32;

struct Dialog::Impl {
    ~Impl()
    {
        for (HICON icon : icons)
            DestroyIcon(icon);
    }

    std::vector<HWND> children; // the template's controls, in template order
    size_t nextControl = 0;
    std::vector<HICON> icons; // shown by icon controls
    bool modal = false;
    bool ended = false;
    int result = -1;
};

namespace {

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    // The framework's window procedure handles the dialog once it is adopted; until then the
    // dialog manager's defaults serve. Focus goes where the dialog manager puts it.
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

DWORD DialogWindowStyle(const DialogTemplate& dialog, bool child)
{
    if (child)
        return WS_CHILD | DS_CONTROL | WS_CLIPSIBLINGS;
    DWORD style = WS_POPUP | DS_3DLOOK | DS_CENTER; // over its owner
    if (dialog.style & DlgStyle::Caption)
        style |= WS_CAPTION;
    if (dialog.style & DlgStyle::SysMenu)
        style |= WS_SYSMENU;
    if (dialog.style & DlgStyle::ModalFrame)
        style |= DS_MODALFRAME;
    return style;
}

RECT Units(const Rect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

} // namespace

Dialog::Dialog(uint32_t templateId, Wnd* parent)
    : m_impl(std::make_unique<Impl>()), m_templateId(templateId), m_parent(parent)
{
    AddHook(this, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        switch (message) {
        case WM_COMMAND: {
            // Push buttons, and Enter and Escape, which the dialog manager turns into OK and
            // Cancel.
            const UINT code = HIWORD(wParam);
            const int id = LOWORD(wParam);
            if (code != BN_CLICKED || (lParam == 0 && id != IdOk && id != IdCancel))
                return false;
            // Enter and Escape in a panel inside a bar are not meant for it: no OK, no Cancel.
            if (lParam == 0 && m_child) {
                *result = 0;
                return true;
            }
            OnButton(id);
            *result = 0;
            return true;
        }
        case WM_CLOSE:
            OnButton(IdCancel); // the close box
            *result = 0;
            return true;
        default:
            (void)lParam;
            return false;
        }
    });
}

Dialog::~Dialog()
{
    // The controls go before the dialog (they are members); a modal loop left running would
    // never end.
    m_impl->ended = true;
}

bool Dialog::MakeWindow(const DialogTemplate& dialog, Wnd* parent, bool modal)
{
    if (IsWindow())
        return false;
    const bool child = m_child;
    HWND parentHwnd = HandleOf(parent);
    if (child && parentHwnd == nullptr)
        return false;
    if (!child && parentHwnd == nullptr) {
        // A dialog of its own with no owner given sits over the main window, as the user
        // expects of a modal box.
        Application* app = Application::Instance();
        parentHwnd = app != nullptr ? HandleOf(app->GetMainWnd()) : nullptr;
    }

    DialogTemplateWriter writer(DialogWindowStyle(dialog, child), child ? WS_EX_CONTROLPARENT : 0,
                                RECT{0, 0, dialog.size.cx, dialog.size.cy}, child ? std::string() : dialog.caption,
                                dialog.fontPoints, dialog.fontFamily);
    for (const ControlTemplate& control : dialog.controls) {
        const ControlKind kind = KindOf(control.cls);
        const DWORD style = ControlWindowStyle(control.cls, control.style);
        const std::string text = control.cls == ControlClass::Icon ? std::string() : control.text;
        if (kind.className != nullptr) {
            writer.AddControl(style, 0, Units(control.rect), control.id, Utf8(kind.className), text);
        } else {
            writer.AddControl(style, 0, Units(control.rect), control.id, static_cast<ControlAtom>(kind.atom), text);
        }
    }
    HWND hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), writer.Template(), parentHwnd, DialogProc, 0);
    if (hwnd == nullptr)
        return false;
    GetImpl()->parent = parent;
    Adopt(this, hwnd);

    // The units the dialog manager laid it out in, from the template's font.
    RECT base{0, 0, 4, 8};
    MapDialogRect(hwnd, &base);
    m_base = DialogBaseUnits{base.right, base.bottom};
    RECT size{0, 0, dialog.size.cx, dialog.size.cy};
    MapDialogRect(hwnd, &size);
    m_templateSize = Size{size.right, size.bottom};

    m_impl->children.clear();
    m_impl->nextControl = 0;
    for (HWND at = GetWindow(hwnd, GW_CHILD); at != nullptr; at = GetWindow(at, GW_HWNDNEXT))
        m_impl->children.push_back(at);
    m_impl->modal = modal;
    m_impl->ended = false;
    m_impl->result = -1;
    if (!child)
        Report("dialog " + dialog.caption);
    return true;
}

std::unique_ptr<Wnd> Dialog::MakeControl(const ControlTemplate& control, const Rect& rect)
{
    // The dialog manager made the controls in template order, which is the order asked in.
    const size_t index = m_impl->nextControl++;
    HWND made = index < m_impl->children.size() ? m_impl->children[index] : nullptr;
    if (made == nullptr)
        return nullptr;
    switch (control.cls) {
    case ControlClass::ListView: {
        auto list = std::make_unique<ListCtrl>();
        if (!list->Create(control.style, rect, this, static_cast<uint32_t>(control.id)))
            return nullptr;
        return list;
    }
    case ControlClass::TreeView: {
        auto tree = std::make_unique<TreeCtrl>();
        if (!tree->Create(control.style, rect, this, static_cast<uint32_t>(control.id)))
            return nullptr;
        return tree;
    }
    case ControlClass::TabControl: {
        auto tabs = std::make_unique<TabCtrl>();
        if (!tabs->Create(control.style, rect, this, static_cast<uint32_t>(control.id)))
            return nullptr;
        return tabs;
    }
    default:
        break;
    }
    auto wnd = std::make_unique<Wnd>();
    Adopt(wnd.get(), made);
    wnd->GetImpl()->parent = this;
    if (control.cls == ControlClass::Icon && control.resourceId != 0) {
        const ResourceTable& resources = ResourceTable::Instance();
        if (resources.HasIcon(control.resourceId)) {
            HICON icon = MakeIcon(resources.Icon(control.resourceId, GetSystemMetrics(SM_CXICON)));
            if (icon != nullptr) {
                m_impl->icons.push_back(icon);
                SendMessageW(made, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
            }
        }
    }
    return wnd;
}

int Dialog::RunModalLoop()
{
    HWND hwnd = HandleOf(this);
    if (hwnd == nullptr)
        return -1;
    HWND owner = GetWindow(hwnd, GW_OWNER);
    const bool ownerWasEnabled = owner != nullptr && ::IsWindowEnabled(owner);
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);
    m_impl->modal = true;
    ::ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    const std::weak_ptr<void> alive = LifeToken();
    MSG msg{};
    while (!m_impl->ended && ::IsWindow(hwnd)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 1); // for the outer loop
            if (m_impl->result < 0)
                m_impl->result = IdCancel;
            break;
        }
        if (!IsDialogMessageW(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (alive.expired())
            return -1;
    }
    // The owner first, so that the system gives it back the focus.
    if (ownerWasEnabled)
        ::EnableWindow(owner, TRUE);
    const int result = m_impl->result;
    Report("dialog ended " + std::to_string(result));
    DestroyWindow();
    m_created = false;
    return result;
}

void Dialog::EndDialog(int result)
{
    if (m_impl->modal) {
        m_impl->result = result;
        m_impl->ended = true;
        return;
    }
    ShowWindow(ShowCmd::Hide);
}

} // namespace fw
