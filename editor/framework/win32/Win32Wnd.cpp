#include "framework/win32/Win32Wnd.h"

#include "framework/ControlBar.h"
#include "framework/DC.h"
#include "framework/win32/Win32DC.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace fw {
namespace win32 {
namespace {

std::unordered_map<HWND, Wnd*>& Windows()
{
    static std::unordered_map<HWND, Wnd*> windows;
    return windows;
}

// The object whose window CreateWindowExW is making: its first message ties the two together.
Wnd* g_creating = nullptr;

void Attach(Wnd* wnd, HWND hwnd)
{
    wnd->GetImpl()->hwnd = hwnd;
    Windows()[hwnd] = wnd;
}

LRESULT CallDefault(Wnd::Impl& impl, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (impl.original != nullptr)
        return CallWindowProcW(impl.original, impl.hwnd, message, wParam, lParam);
    return DefWindowProcW(impl.hwnd, message, wParam, lParam);
}

Point PointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// Fills the window's non-client area (all of it but the client rectangle) with the face colour.
void EraseNonClient(HWND hwnd)
{
    RECT window{};
    GetWindowRect(hwnd, &window);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    HDC dc = GetWindowDC(hwnd);
    if (dc == nullptr)
        return;
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    FillRect(dc, &window, GetSysColorBrush(COLOR_BTNFACE));
    ReleaseDC(hwnd, dc);
}

// Runs one message through the object's handlers; the result of the window procedure.
LRESULT Handle(Wnd* wnd, Wnd::Impl::Message& m)
{
    Wnd::Impl& impl = *wnd->GetImpl();
    const WPARAM w = m.wParam;
    const LPARAM l = m.lParam;
    auto defaultOr = [&m](LRESULT handled) { return m.defaulted ? m.result : handled; };
    switch (m.message) {
    case WM_CREATE:
        return wnd->OnCreate() == -1 ? -1 : 0;
    case WM_DESTROY:
        wnd->OnDestroy();
        return defaultOr(0);
    case WM_SIZE:
        wnd->OnSize(static_cast<int>(w), LOWORD(l), HIWORD(l));
        return defaultOr(0);
    case WM_WINDOWPOSCHANGED:
        wnd->OnWindowPosChanged();
        return defaultOr(0);
    case WM_PAINT: {
        if (impl.original != nullptr)
            break; // a control paints itself
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(impl.hwnd, &paint);
        impl.painting = true;
        {
            DC surface(MakeDCImpl(dc, nullptr));
            wnd->OnPaint(surface);
        }
        impl.painting = false;
        EndPaint(impl.hwnd, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        wnd->OnLButtonDown(static_cast<uint32_t>(w), PointOf(l));
        return defaultOr(0);
    case WM_LBUTTONUP:
        wnd->OnLButtonUp(static_cast<uint32_t>(w), PointOf(l));
        return defaultOr(0);
    case WM_LBUTTONDBLCLK:
        wnd->OnLButtonDblClk(static_cast<uint32_t>(w), PointOf(l));
        return defaultOr(0);
    case WM_RBUTTONDOWN:
        wnd->OnRButtonDown(static_cast<uint32_t>(w), PointOf(l));
        return defaultOr(0);
    case WM_RBUTTONUP:
        wnd->OnRButtonUp(static_cast<uint32_t>(w), PointOf(l));
        return defaultOr(0);
    case WM_MOUSEMOVE:
        wnd->OnMouseMove(static_cast<uint32_t>(w), PointOf(l));
        return defaultOr(0);
    case WM_MOUSEWHEEL:
        wnd->OnMouseWheel(GET_KEYSTATE_WPARAM(w), GET_WHEEL_DELTA_WPARAM(w), PointOf(l));
        return defaultOr(0);
    case WM_KEYDOWN:
        wnd->OnKeyDown(static_cast<uint32_t>(w), LOWORD(l), HIWORD(l));
        return defaultOr(0);
    case WM_SETCURSOR: {
        const bool set = wnd->OnSetCursor(static_cast<short>(LOWORD(l)));
        return set ? TRUE : defaultOr(FALSE);
    }
    case WM_CAPTURECHANGED:
        wnd->OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(l)));
        return defaultOr(0);
    case WM_KILLFOCUS:
        wnd->OnKillFocus(FromHandle(reinterpret_cast<HWND>(w)));
        return defaultOr(0);
    case WM_ACTIVATEAPP:
        wnd->OnActivateApp(w != 0);
        return defaultOr(0);
    case WM_CLOSE:
        wnd->OnClose();
        return 0;
    case WM_NCCALCSIZE: {
        // The window rectangle in the parent's coordinates, as proposed.
        RECT* proposed = w ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(l)->rgrc[0] : reinterpret_cast<RECT*>(l);
        const RECT window = *proposed;
        Rect client{0, 0, window.right - window.left, window.bottom - window.top};
        m.ncClient = &client;
        wnd->OnNcCalcSize(client);
        m.ncClient = nullptr;
        *proposed = RECT{window.left + client.left, window.top + client.top, window.left + client.right,
                         window.top + client.bottom};
        return 0;
    }
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(impl.hwnd);
        if (dc == nullptr)
            break;
        {
            DC surface(MakeDCImpl(dc, nullptr));
            wnd->OnNcPaint(surface);
        }
        ReleaseDC(impl.hwnd, dc);
        return 0;
    }
    case WM_NCHITTEST: {
        // A handler that asked for the default treatment answers with the default's code. The
        // framework's base handler tells only the client area from the rest; an answer like
        // its is left to the system, which knows captions, borders and menus.
        const Point screen = PointOf(l);
        const int hit = wnd->OnNcHitTest(screen);
        if (m.defaulted)
            return m.result;
        const int base = wnd->GetClientRect().Contains(wnd->ScreenToClient(screen)) ? Hit::Client : Hit::Nowhere;
        return hit == base ? CallDefault(impl, m.message, w, l) : hit;
    }
    case WM_NCLBUTTONDOWN:
        wnd->OnNcLButtonDown(static_cast<int>(w), PointOf(l));
        return defaultOr(0);
    case WM_NCLBUTTONDBLCLK:
        wnd->OnNcLButtonDblClk(static_cast<int>(w), PointOf(l));
        return defaultOr(0);
    default:
        // The editor's own messages to windows of its own (a control's notifications to its
        // parent, 2025 and on); a system control's messages in that range are its own affair.
        if (impl.original == nullptr && m.message >= WM_USER && m.message < 0xC000) {
            const intptr_t result = wnd->OnMessage(m.message, w, l);
            return defaultOr(result);
        }
        break;
    }
    return CallDefault(impl, m.message, w, l);
}

// Offers a message to the hooks of wnd only; true when one took it.
bool Reflect(Wnd* wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const std::weak_ptr<void> alive = wnd->LifeToken();
    for (size_t i = 0; i < wnd->GetImpl()->hooks.size(); ++i) {
        Wnd::Impl::Hook hook = wnd->GetImpl()->hooks[i].hook;
        if (hook(message, wParam, lParam, result))
            return true;
        if (alive.expired())
            return true;
    }
    return false;
}

LRESULT Dispatch(Wnd* wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Wnd::Impl& impl = *wnd->GetImpl();
    if (message == WM_NCDESTROY) {
        // The window is gone after this: the object forgets it, and a subclassed window gets its
        // own procedure back first so it can free what it keeps.
        const HWND hwnd = impl.hwnd;
        LRESULT result = 0;
        if (impl.original != nullptr) {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(impl.original));
            result = CallWindowProcW(impl.original, hwnd, message, wParam, lParam);
            impl.original = nullptr;
        } else {
            result = DefWindowProcW(hwnd, message, wParam, lParam);
        }
        Windows().erase(hwnd);
        impl.hwnd = nullptr;
        const bool silent = impl.inDestructor || impl.creating;
        impl.creating = false;
        if (!silent)
            wnd->PostNcDestroy(); // may delete the object
        return result;
    }

    // A control's notification goes to the control's object first (its hooks), as the
    // control's own affair; what it leaves goes on to the parent.
    if (message == WM_NOTIFY || (message == WM_COMMAND && lParam != 0)) {
        HWND from = message == WM_NOTIFY ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : reinterpret_cast<HWND>(lParam);
        Wnd* control = FromHandle(from);
        LRESULT result = 0;
        if (control != nullptr && control != wnd &&
            Reflect(control, message == WM_NOTIFY ? kReflectedNotify : kReflectedCommand, wParam, lParam, &result))
            return result;
    }

    const std::weak_ptr<void> alive = wnd->LifeToken();
    Wnd::Impl::Message m{message, wParam, lParam};
    Wnd::Impl::Message* outer = impl.current;
    impl.current = &m;
    LRESULT result = 0;
    bool hooked = false;
    // Hooks may be added while one runs (a bar docking itself); walk by index.
    for (size_t i = 0; i < impl.hooks.size() && !hooked; ++i) {
        Wnd::Impl::Hook hook = impl.hooks[i].hook;
        hooked = hook(message, wParam, lParam, &result);
        if (alive.expired())
            return result;
    }
    if (!hooked)
        result = Handle(wnd, m);
    if (!alive.expired())
        impl.current = outer;
    return result;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Wnd* wnd = FromHandle(hwnd);
    if (wnd == nullptr && g_creating != nullptr) {
        wnd = g_creating;
        g_creating = nullptr;
        Attach(wnd, hwnd);
    }
    if (wnd == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return Dispatch(wnd, message, wParam, lParam);
}

bool RegisterClasses()
{
    static const bool registered = [] {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        HCURSOR arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        struct Kind {
            const wchar_t* name;
            UINT style;
            HBRUSH background;
        };
        const Kind kinds[] = {
            {kPlainClass, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
            {kViewClass, CS_DBLCLKS | CS_OWNDC, nullptr},
            {kPopupClass, CS_DBLCLKS | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW | CS_DROPSHADOW,
             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
            {kFrameClass, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
        };
        for (const Kind& kind : kinds) {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.style = kind.style;
            windowClass.lpfnWndProc = WindowProc;
            windowClass.hInstance = instance;
            windowClass.hCursor = arrow;
            windowClass.hbrBackground = kind.background;
            windowClass.lpszClassName = kind.name;
            if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
                return false;
        }
        return true;
    }();
    return registered;
}

} // namespace

const wchar_t* const kPlainClass = L"OrvexFwWnd";
const wchar_t* const kViewClass = L"OrvexFwView";
const wchar_t* const kPopupClass = L"OrvexFwPopup";
const wchar_t* const kFrameClass = L"OrvexFwFrame";

Wnd* FromHandle(HWND hwnd)
{
    if (hwnd == nullptr)
        return nullptr;
    auto it = Windows().find(hwnd);
    return it == Windows().end() ? nullptr : it->second;
}

HWND HandleOf(const Wnd* wnd)
{
    return wnd != nullptr && wnd->GetImpl() != nullptr ? wnd->GetImpl()->hwnd : nullptr;
}

HWND CreateFrameworkWindow(Wnd* wnd, const wchar_t* className, DWORD exStyle, const std::string& title, DWORD style,
                           const Rect& rect, HWND parent, HMENU menuOrId)
{
    if (wnd->GetImpl()->hwnd != nullptr || !RegisterClasses())
        return nullptr;
    wnd->GetImpl()->style = style;
    wnd->GetImpl()->creating = true;
    g_creating = wnd;
    HWND hwnd = CreateWindowExW(exStyle, className, Wide(title).c_str(), style, rect.left, rect.top, rect.Width(),
                                rect.Height(), parent, menuOrId, GetModuleHandleW(nullptr), nullptr);
    g_creating = nullptr;
    wnd->GetImpl()->creating = false;
    return hwnd;
}

void Adopt(Wnd* wnd, HWND hwnd)
{
    Wnd::Impl& impl = *wnd->GetImpl();
    impl.style = static_cast<uint32_t>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    Attach(wnd, hwnd);
    impl.original =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
}

HWND CreateOrAdoptControl(Wnd* wnd, const wchar_t* className, DWORD style, DWORD exStyle, const Rect& rect, Wnd* parent,
                          uint32_t id)
{
    HWND parentHwnd = HandleOf(parent);
    if (parentHwnd == nullptr || wnd->GetImpl()->hwnd != nullptr)
        return nullptr;
    wnd->GetImpl()->parent = parent;
    // A dialog made from its template has the control already, laid out in dialog units.
    if (HWND made = GetDlgItem(parentHwnd, static_cast<int>(id)); made != nullptr && FromHandle(made) == nullptr) {
        wchar_t name[64] = {};
        GetClassNameW(made, name, 64);
        if (_wcsicmp(name, className) == 0) {
            Adopt(wnd, made);
            return made;
        }
    }
    HWND hwnd = CreateWindowExW(exStyle, className, L"", style | WS_CHILD, rect.left, rect.top, rect.Width(),
                                rect.Height(), parentHwnd, reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr)
        return nullptr;
    // Controls speak in the font of the window they are in.
    SendMessageW(hwnd, WM_SETFONT, SendMessageW(parentHwnd, WM_GETFONT, 0, 0), FALSE);
    Adopt(wnd, hwnd);
    return hwnd;
}

LRESULT SendTo(const Wnd* wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = HandleOf(wnd);
    return hwnd != nullptr ? SendMessageW(hwnd, message, wParam, lParam) : 0;
}

void AddHook(Wnd* wnd, Wnd::Impl::Hook hook, const void* owner)
{
    wnd->GetImpl()->hooks.push_back({owner, std::move(hook)});
}

void RemoveHooks(Wnd* wnd, const void* owner)
{
    auto& hooks = wnd->GetImpl()->hooks;
    hooks.erase(std::remove_if(hooks.begin(), hooks.end(), [owner](const auto& entry) { return entry.owner == owner; }),
                hooks.end());
}

RECT ToRect(const Rect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

Rect FromRect(const RECT& r)
{
    return Rect{r.left, r.top, r.right, r.bottom};
}

bool ReportEnabled()
{
    static const bool enabled = [] {
        const char* value = std::getenv("QUORVAN_REPORT");
        return value != nullptr && *value != '\0' && *value != '0';
    }();
    return enabled;
}

void Report(const std::string& line)
{
    if (!ReportEnabled())
        return;
    // One line each: a text's own line breaks are written as "\n".
    std::string text;
    for (char c : line) {
        if (c == '\n') {
            text += "\\n";
        } else if (c != '\r') {
            text += c;
        }
    }
    text += "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

} // namespace win32

using namespace win32;

Wnd::Wnd() : m_impl(std::make_unique<Impl>(this)), m_life(std::make_shared<char>()) {}

Wnd::~Wnd()
{
    if (m_impl->hwnd != nullptr) {
        m_impl->inDestructor = true;
        ::DestroyWindow(m_impl->hwnd);
    }
    // A window the system would not destroy (another thread's) must not reach a deleted object.
    if (m_impl->hwnd != nullptr)
        Windows().erase(m_impl->hwnd);
}

bool Wnd::CreateEx(uint32_t exStyle, const std::string& title, uint32_t style, const Rect& rect, Wnd* parent,
                   uint32_t id)
{
    HWND parentHwnd = HandleOf(parent);
    m_impl->parent = parent;
    const bool child = (style & WinStyle::Child) != 0;
    if (child && parentHwnd == nullptr)
        return false;
    HMENU menuOrId = child ? reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)) : nullptr;
    return CreateFrameworkWindow(this, child ? kPlainClass : kPopupClass, exStyle, title, style, rect, parentHwnd,
                                 menuOrId) != nullptr;
}

bool Wnd::DestroyWindow()
{
    return m_impl->hwnd != nullptr && ::DestroyWindow(m_impl->hwnd) != FALSE;
}

bool Wnd::IsWindow() const
{
    return m_impl->hwnd != nullptr && ::IsWindow(m_impl->hwnd);
}

Rect Wnd::GetWindowRect() const
{
    RECT r{};
    if (m_impl->hwnd != nullptr)
        ::GetWindowRect(m_impl->hwnd, &r);
    return FromRect(r);
}

Rect Wnd::GetClientRect() const
{
    RECT r{};
    if (m_impl->hwnd != nullptr)
        ::GetClientRect(m_impl->hwnd, &r);
    return FromRect(r);
}

Point Wnd::ClientToScreen(Point point) const
{
    POINT p{point.x, point.y};
    ::ClientToScreen(m_impl->hwnd, &p);
    return {p.x, p.y};
}

Rect Wnd::ClientToScreen(const Rect& rect) const
{
    const Point topLeft = ClientToScreen(rect.TopLeft());
    return rect.Offset(topLeft.x - rect.left, topLeft.y - rect.top);
}

Point Wnd::ScreenToClient(Point point) const
{
    POINT p{point.x, point.y};
    ::ScreenToClient(m_impl->hwnd, &p);
    return {p.x, p.y};
}

void Wnd::MoveWindow(const Rect& rect, bool repaint)
{
    if (m_impl->hwnd != nullptr)
        ::MoveWindow(m_impl->hwnd, rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

uint32_t Wnd::GetStyle() const
{
    // As the window has them now (shown or hidden since it was made).
    if (m_impl->hwnd != nullptr)
        return static_cast<uint32_t>(GetWindowLongPtrW(m_impl->hwnd, GWL_STYLE));
    return m_impl->style;
}

bool Wnd::ShowWindow(int showCmd)
{
    return m_impl->hwnd != nullptr && ::ShowWindow(m_impl->hwnd, showCmd) != FALSE;
}

bool Wnd::IsWindowVisible() const
{
    return m_impl->hwnd != nullptr && ::IsWindowVisible(m_impl->hwnd) != FALSE;
}

bool Wnd::IsIconic() const
{
    return m_impl->hwnd != nullptr && ::IsIconic(m_impl->hwnd) != FALSE;
}

void Wnd::Invalidate()
{
    if (m_impl->hwnd != nullptr)
        ::InvalidateRect(m_impl->hwnd, nullptr, TRUE);
}

void Wnd::InvalidateRect(const Rect& clientRect)
{
    const RECT r = ToRect(clientRect);
    if (m_impl->hwnd != nullptr)
        ::InvalidateRect(m_impl->hwnd, &r, TRUE);
}

void Wnd::UpdateWindow()
{
    if (m_impl->hwnd != nullptr)
        ::UpdateWindow(m_impl->hwnd);
}

void Wnd::SetRedraw(bool redraw)
{
    if (m_impl->hwnd != nullptr)
        SendMessageW(m_impl->hwnd, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
}

void Wnd::SetText(const std::string& text)
{
    if (m_impl->hwnd != nullptr)
        SetWindowTextW(m_impl->hwnd, Wide(text).c_str());
}

std::string Wnd::GetText() const
{
    if (m_impl->hwnd == nullptr)
        return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(m_impl->hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(m_impl->hwnd, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

void Wnd::SetCapture()
{
    if (m_impl->hwnd != nullptr)
        ::SetCapture(m_impl->hwnd);
}

void Wnd::ReleaseCapture()
{
    ::ReleaseCapture();
}

Wnd* Wnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

void Wnd::SetFocus()
{
    if (m_impl->hwnd != nullptr)
        ::SetFocus(m_impl->hwnd);
}

void Wnd::EnableWindow(bool enable)
{
    if (m_impl->hwnd != nullptr)
        ::EnableWindow(m_impl->hwnd, enable ? TRUE : FALSE);
}

bool Wnd::IsWindowEnabled() const
{
    return m_impl->hwnd != nullptr && ::IsWindowEnabled(m_impl->hwnd) != FALSE;
}

Wnd* Wnd::GetParent() const
{
    if (m_impl->hwnd == nullptr)
        return m_impl->parent;
    HWND parent = (GetWindowLongPtrW(m_impl->hwnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(m_impl->hwnd)
                                                                          : GetWindow(m_impl->hwnd, GW_OWNER);
    Wnd* wnd = FromHandle(parent);
    return wnd != nullptr ? wnd : m_impl->parent;
}

uint32_t Wnd::GetDlgCtrlID() const
{
    return m_impl->hwnd != nullptr ? static_cast<uint32_t>(::GetDlgCtrlID(m_impl->hwnd)) : 0;
}

void Wnd::RecalcNonClient()
{
    if (m_impl->hwnd != nullptr)
        SetWindowPos(m_impl->hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Wnd::Default()
{
    Impl::Message* m = m_impl->current;
    if (m == nullptr || m->defaulted || m_impl->hwnd == nullptr)
        return;
    m->defaulted = true;
    switch (m->message) {
    case WM_PAINT:
        if (m_impl->painting)
            return; // the handler paints; what is left has been validated
        break;
    case WM_NCCALCSIZE: {
        // The system's client area for the window as proposed, back in window coordinates.
        if (m->ncClient == nullptr)
            break;
        RECT* proposed =
            m->wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(m->lParam)->rgrc[0] : reinterpret_cast<RECT*>(m->lParam);
        const RECT window = *proposed;
        NCCALCSIZE_PARAMS params{};
        if (m->wParam)
            params = *reinterpret_cast<NCCALCSIZE_PARAMS*>(m->lParam);
        params.rgrc[0] = window;
        m->result =
            CallDefault(*m_impl, WM_NCCALCSIZE, m->wParam,
                        m->wParam ? reinterpret_cast<LPARAM>(&params) : reinterpret_cast<LPARAM>(&params.rgrc[0]));
        const RECT& client = params.rgrc[0];
        *m->ncClient = Rect{client.left - window.left, client.top - window.top, client.right - window.left,
                            client.bottom - window.top};
        return;
    }
    case WM_NCPAINT:
        // A control bar's frame is its face colour under whatever the bar draws there.
        if (dynamic_cast<ControlBar*>(this) != nullptr)
            EraseNonClient(m_impl->hwnd);
        m->result = CallDefault(*m_impl, WM_NCPAINT, 1, 0); // the whole frame
        return;
    default:
        break;
    }
    m->result = CallDefault(*m_impl, m->message, m->wParam, m->lParam);
}

} // namespace fw
