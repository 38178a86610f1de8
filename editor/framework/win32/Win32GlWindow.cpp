// The OpenGL view's window on Win32: a child window covering the view that hands its size,
// mouse and wheel messages to the view, and the window GL draws into (the same window on
// Windows, a hidden top-level one under Wine, see GlViewTarget). The engine's binding is
// platform/win32's.
#include "framework/GlWindow.h"
#include "framework/Wnd.h"
#include "framework/win32/GlViewTarget.h"
#include "framework/win32/Win32Wnd.h"
#include "orvex/platform/Platform.h"
#include "orvex/win32/Win32GlBinding.h"

namespace fw {

using namespace win32;

struct GlWindow::Impl {
    Wnd* view = nullptr;
    HWND window = nullptr;
    GlViewTarget target;
    GlContextHandle context = nullptr;

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

namespace {

constexpr const wchar_t* kGlWindowClass = L"OrvexFwGlWindow";

bool RegisterGlWindowClass()
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_OWNDC | CS_DBLCLKS; // one device context for the window's life
        windowClass.lpfnWndProc = GlWindow::Impl::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = kGlWindowClass;
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

Point PointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// Engine messages ("ERROR" boxes) go where the application says.
class ForwardedMessages final : public MessageBox {
public:
    void Show(const char* caption, const char* text) override
    {
        if (handler)
            handler(caption != nullptr ? caption : "", text != nullptr ? text : "");
    }
    std::function<void(const std::string&, const std::string&)> handler;
};

} // namespace

LRESULT CALLBACK GlWindow::Impl::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* impl = reinterpret_cast<GlWindow::Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    Wnd* view = impl != nullptr ? impl->view : nullptr;
    if (view == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const uint32_t flags = static_cast<uint32_t>(wParam);
    switch (message) {
    case WM_SIZE:
        impl->target.Resize(LOWORD(lParam), HIWORD(lParam));
        view->OnSize(static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND:
        return 1; // frames cover everything
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hwnd, &paint);
        impl->target.Repaint(dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        view->OnLButtonDown(flags, PointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        view->OnLButtonUp(flags, PointOf(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        view->OnLButtonDblClk(flags, PointOf(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        SetFocus(hwnd);
        view->OnRButtonDown(flags, PointOf(lParam));
        return 0;
    case WM_RBUTTONUP:
        view->OnRButtonUp(flags, PointOf(lParam));
        return 0;
    case WM_MOUSEMOVE:
        view->OnMouseMove(flags, PointOf(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        view->OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam));
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

GlWindow::GlWindow() : m_impl(std::make_unique<Impl>()) {}

GlWindow::~GlWindow()
{
    m_impl->target.Destroy();
    if (m_impl->window != nullptr) {
        SetWindowLongPtrW(m_impl->window, GWLP_USERDATA, 0);
        DestroyWindow(m_impl->window);
    }
}

bool GlWindow::Create(Wnd* view)
{
    HWND parent = HandleOf(view);
    if (parent == nullptr || m_impl->window != nullptr || !RegisterGlWindowClass())
        return false;
    RECT client{};
    GetClientRect(parent, &client);
    m_impl->view = view;
    m_impl->window =
        CreateWindowExW(0, kGlWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                        client.right, client.bottom, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (m_impl->window == nullptr)
        return false;
    SetWindowLongPtrW(m_impl->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m_impl.get()));
    if (!m_impl->target.Create(m_impl->window))
        return false;
    // The window covers the view whatever its size.
    AddHook(view, [impl = m_impl.get()](UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
        if (message == WM_SIZE && wParam != SIZE_MINIMIZED && impl->window != nullptr)
            MoveWindow(impl->window, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return false;
    });
    return true;
}

void* GlWindow::Handle() const
{
    return m_impl->window != nullptr ? m_impl->target.Window() : nullptr;
}

void GlWindow::AdoptCurrentContext()
{
    GlBinding* binding = PlatformBinding();
    m_impl->context = binding != nullptr ? binding->CurrentContext() : nullptr;
    // The driver is loaded now: frames of a copying window are copied before each swap.
    m_impl->target.WatchSwaps();
}

bool GlWindow::MakeCurrent()
{
    GlBinding* binding = PlatformBinding();
    if (m_impl->context == nullptr || binding == nullptr)
        return false;
    if (binding->CurrentContext() == m_impl->context)
        return true;
    HWND target = m_impl->target.Window();
    HDC dc = GetDC(target); // a window of its own context: the device's
    const bool made = binding->MakeCurrent(dc, m_impl->context);
    ReleaseDC(target, dc);
    return made;
}

void GlWindow::ReleaseContext()
{
    m_impl->context = nullptr;
}

Size GlWindow::GetSize() const
{
    RECT client{};
    if (m_impl->window != nullptr)
        GetClientRect(m_impl->window, &client);
    return {client.right, client.bottom};
}

void InstallEnginePlatform(std::function<void(const std::string& caption, const std::string& text)> messages)
{
    static Win32GlBinding binding;
    static ForwardedMessages forwarded;
    forwarded.handler = std::move(messages);
    const Platform& current = GetPlatform();
    if (current.binding == &binding && current.messages == &forwarded)
        return;
    Platform services{};
    services.binding = &binding;
    services.messages = &forwarded;
    SetPlatform(services);
}

} // namespace fw
