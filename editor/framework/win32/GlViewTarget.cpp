#include "framework/win32/GlViewTarget.h"

#include "orvex/render/FrameReadBack.h"
#include "orvex/render/GlDriver.h"
#include "orvex/win32/Win32GlBinding.h"

#include <utility>

namespace fw::win32 {

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
// format. The view is a child of the frame, so under Wine GL draws into a hidden top-level
// window instead, and each frame is read back and put into the view with GDI. On Windows the
// view's own window takes the pixel format and nothing is copied.
bool GlViewTarget::Create(HWND view, bool copyFrames)
{
    Destroy();
    m_view = view;
    if (!copyFrames)
        return true;
    RECT client{};
    GetClientRect(view, &client);
    m_width = client.right > 0 ? client.right : 1;
    m_height = client.bottom > 0 ? client.bottom : 1;
    m_hidden = CreateHiddenGlWindow(m_width, m_height);
    return m_hidden != nullptr;
}

void GlViewTarget::Destroy()
{
    if (m_hidden != nullptr)
        DestroyWindow(m_hidden);
    m_hidden = nullptr;
    m_view = nullptr;
    m_bgra.clear();
}

void GlViewTarget::Resize(int width, int height)
{
    if (m_hidden == nullptr || width <= 0 || height <= 0 || (width == m_width && height == m_height))
        return;
    m_width = width;
    m_height = height;
    SetWindowPos(m_hidden, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GlViewTarget::CopyFrame(int width, int height)
{
    if (m_hidden == nullptr || width <= 0 || height <= 0)
        return;
    // Both are OpenGL 1.1 functions of the system library, which the driver has loaded.
    HMODULE library = GetModuleHandleA(kSystemGlLibrary);
    if (library == nullptr)
        return;
    auto readPixels =
        reinterpret_cast<ReadPixelsFunction>(reinterpret_cast<void*>(GetProcAddress(library, "glReadPixels")));
    auto pixelStore =
        reinterpret_cast<PixelStoreFunction>(reinterpret_cast<void*>(GetProcAddress(library, "glPixelStorei")));
    std::vector<uint8_t> rgba = ReadTopDownRgba(gl, readPixels, pixelStore, width, height);
    if (rgba.empty())
        return;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4)
        std::swap(rgba[i], rgba[i + 2]); // a DIB's bytes are blue, green, red
    m_bgra = std::move(rgba);
    m_frameWidth = width;
    m_frameHeight = height;
    HDC dc = GetDC(m_view);
    if (dc != nullptr) {
        Repaint(dc);
        ReleaseDC(m_view, dc);
    }
}

void GlViewTarget::Repaint(HDC viewDc) const
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
    SetDIBitsToDevice(viewDc, 0, 0, static_cast<DWORD>(m_frameWidth), static_cast<DWORD>(m_frameHeight), 0, 0, 0,
                      static_cast<UINT>(m_frameHeight), m_bgra.data(), &info, DIB_RGB_COLORS);
}

} // namespace fw::win32
