#include "framework/win32/GlViewTarget.h"

#include "framework/win32/Win32Wnd.h"
#include "orvex/render/FrameReadBack.h"
#include "orvex/render/GlDriver.h"
#include "orvex/win32/Win32GlBinding.h"

#include <map>
#include <string>
#include <utility>

namespace fw::win32 {

namespace {

// The surfaces whose frames are copied before their swap, and the driver's own swap.
std::map<HDC, GlViewTarget*>& Watched()
{
    static std::map<HDC, GlViewTarget*> watched;
    return watched;
}
decltype(gl.swapBuffers) g_driverSwap = nullptr;

int ORVEX_GL_APIENTRY CopyThenSwap(GlSurfaceHandle surface)
{
    auto it = Watched().find(static_cast<HDC>(surface));
    if (it != Watched().end())
        it->second->CopyFrame();
    return g_driverSwap != nullptr ? g_driverSwap(surface) : 0;
}

} // namespace

bool RunningUnderWine()
{
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

GlViewTarget::~GlViewTarget()
{
    Destroy();
}

// Wine shows GL drawn into a top-level window, but GL drawn into a child window stays off
// screen and never appears (Wine 8 on X11), and so does GDI drawn on a window that has a pixel
// format. A view is a child of its frame, so under Wine GL draws into a hidden top-level window
// instead, and each finished frame is read back (glReadPixels) and put into the view's window
// with GDI (SetDIBitsToDevice). The device swaps through the driver's entry point, so that is
// where the copy joins in: just before the swap, while the back buffer holds the frame. On
// Windows the view's own window takes the pixel format and nothing is copied.
bool GlViewTarget::Create(HWND window, bool copyFrames)
{
    Destroy();
    m_window = window;
    if (!copyFrames)
        return true;
    RECT client{};
    GetClientRect(window, &client);
    m_width = client.right > 0 ? client.right : 1;
    m_height = client.bottom > 0 ? client.bottom : 1;
    m_hidden = CreateHiddenGlWindow(m_width, m_height);
    if (m_hidden == nullptr)
        return false;
    m_hiddenDc = GetDC(m_hidden); // the class's own context: the one the device draws with
    return true;
}

void GlViewTarget::Destroy()
{
    if (m_hiddenDc != nullptr)
        Watched().erase(m_hiddenDc);
    if (m_hidden != nullptr) {
        ReleaseDC(m_hidden, m_hiddenDc);
        DestroyWindow(m_hidden);
    }
    m_hidden = nullptr;
    m_hiddenDc = nullptr;
    m_window = nullptr;
    m_bgra.clear();
}

void GlViewTarget::WatchSwaps()
{
    if (m_hiddenDc == nullptr || gl.swapBuffers == nullptr)
        return;
    if (gl.swapBuffers != CopyThenSwap) {
        g_driverSwap = gl.swapBuffers;
        gl.swapBuffers = CopyThenSwap;
    }
    Watched()[m_hiddenDc] = this;
}

void GlViewTarget::Resize(int width, int height)
{
    if (m_hidden == nullptr || width <= 0 || height <= 0 || (width == m_width && height == m_height))
        return;
    m_width = width;
    m_height = height;
    SetWindowPos(m_hidden, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GlViewTarget::CopyFrame()
{
    if (m_hidden == nullptr || m_width <= 0 || m_height <= 0)
        return;
    // Both are OpenGL 1.1 functions of the system library, which the driver has loaded.
    HMODULE library = GetModuleHandleA(kSystemGlLibrary);
    if (library == nullptr)
        return;
    auto readPixels =
        reinterpret_cast<ReadPixelsFunction>(reinterpret_cast<void*>(GetProcAddress(library, "glReadPixels")));
    auto pixelStore =
        reinterpret_cast<PixelStoreFunction>(reinterpret_cast<void*>(GetProcAddress(library, "glPixelStorei")));
    std::vector<uint8_t> rgba = ReadTopDownRgba(gl, readPixels, pixelStore, m_width, m_height);
    if (rgba.empty())
        return;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4)
        std::swap(rgba[i], rgba[i + 2]); // a DIB's bytes are blue, green, red
    m_bgra = std::move(rgba);
    m_frameWidth = m_width;
    m_frameHeight = m_height;
    ++m_copied;
    if (HDC dc = GetDC(m_window)) {
        Repaint(dc);
        ReleaseDC(m_window, dc);
    }
    if (m_copied == 1) {
        // Where the picture is on the screen, for a test that reads it from there.
        RECT shown{};
        GetWindowRect(m_window, &shown);
        Report("first frame " + std::to_string(shown.left) + " " + std::to_string(shown.top) + " " +
               std::to_string(shown.right - shown.left) + " " + std::to_string(shown.bottom - shown.top));
    }
}

void GlViewTarget::Repaint(HDC dc) const
{
    if (m_bgra.empty())
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_frameWidth;
    info.bmiHeader.biHeight = -m_frameHeight; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(m_frameWidth), static_cast<DWORD>(m_frameHeight), 0, 0, 0,
                      static_cast<UINT>(m_frameHeight), m_bgra.data(), &info, DIB_RGB_COLORS);
}

} // namespace fw::win32
