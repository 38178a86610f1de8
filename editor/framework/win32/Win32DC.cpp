#include "framework/win32/Win32DC.h"

#include "framework/FrameWnd.h"
#include "framework/win32/Win32Text.h"
#include "framework/win32/Win32Wnd.h"

namespace fw {

void DC::Impl::Release()
{
    if (dc == nullptr)
        return;
    if (font != nullptr) {
        SelectObject(dc, oldFont);
        DeleteObject(font);
        font = nullptr;
    }
    if (release)
        release(dc);
    dc = nullptr;
}

namespace win32 {

std::unique_ptr<DC::Impl> MakeDCImpl(HDC dc, std::function<void(HDC)> release)
{
    return std::make_unique<DC::Impl>(dc, std::move(release));
}

HBRUSH HalftoneBrush()
{
    static const HBRUSH brush = [] {
        // Every other pixel, shifted by one on each row.
        const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, pattern);
        HBRUSH made = CreatePatternBrush(bitmap);
        DeleteObject(bitmap);
        return made;
    }();
    return brush;
}

} // namespace win32

using namespace win32;

DC::DC(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

DC::~DC() = default;

void DC::FillSolidRect(const Rect& rect, Color color)
{
    if (m_impl->dc == nullptr)
        return;
    const RECT r = ToRect(rect);
    const COLORREF old = SetBkColor(m_impl->dc, color);
    ExtTextOutW(m_impl->dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(m_impl->dc, old);
}

void DC::DrawCaptionButton(const Rect& rect, CaptionButton button, bool pushed)
{
    if (m_impl->dc == nullptr || rect.IsEmpty())
        return;
    UINT state = DFCS_CAPTIONCLOSE;
    switch (button) {
    case CaptionButton::Close:
        state = DFCS_CAPTIONCLOSE;
        break;
    case CaptionButton::Minimize:
        state = DFCS_CAPTIONMIN;
        break;
    case CaptionButton::Maximize:
        state = DFCS_CAPTIONMAX;
        break;
    case CaptionButton::Restore:
        state = DFCS_CAPTIONRESTORE;
        break;
    }
    RECT r = ToRect(rect);
    DrawFrameControl(m_impl->dc, &r, DFC_CAPTION, state | (pushed ? DFCS_PUSHED : 0));
}

void DC::DrawFocusRect(const Rect& rect)
{
    const RECT r = ToRect(rect);
    if (m_impl->dc != nullptr)
        ::DrawFocusRect(m_impl->dc, &r);
}

void DC::InvertHalftone(const Rect& rect)
{
    if (m_impl->dc == nullptr || rect.IsEmpty())
        return;
    SetBrushOrgEx(m_impl->dc, 0, 0, nullptr);
    HGDIOBJ old = SelectObject(m_impl->dc, HalftoneBrush());
    PatBlt(m_impl->dc, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    SelectObject(m_impl->dc, old);
}

void DC::SelectFont(const Font& font)
{
    if (m_impl->dc == nullptr)
        return;
    LOGFONTW logFont{};
    if (font.face.empty() && font.points == 0) {
        // The desktop's font for dialogs and controls.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        logFont = metrics.lfMessageFont;
    } else {
        logFont.lfHeight = -MulDiv(font.points > 0 ? font.points : 8, GetDeviceCaps(m_impl->dc, LOGPIXELSY), 72);
        logFont.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(logFont.lfFaceName, Wide(font.face).c_str(), LF_FACESIZE);
    }
    if (font.bold)
        logFont.lfWeight = FW_BOLD;
    HFONT made = CreateFontIndirectW(&logFont);
    if (made == nullptr)
        return;
    HGDIOBJ previous = SelectObject(m_impl->dc, made);
    if (m_impl->font != nullptr) {
        DeleteObject(m_impl->font); // the one just replaced
    } else {
        m_impl->oldFont = previous;
    }
    m_impl->font = made;
}

void DC::SetTextColor(Color color)
{
    if (m_impl->dc != nullptr)
        ::SetTextColor(m_impl->dc, color);
}

void DC::DrawString(const std::string& text, const Rect& rect, uint32_t format)
{
    if (m_impl->dc == nullptr)
        return;
    RECT r = ToRect(rect);
    const int oldMode = SetBkMode(m_impl->dc, TRANSPARENT);
    const std::wstring wide = Wide(text);
    DrawTextW(m_impl->dc, wide.c_str(), static_cast<int>(wide.size()), &r, format);
    SetBkMode(m_impl->dc, oldMode);
}

Size DC::GetTextExtent(const std::string& text) const
{
    SIZE size{};
    const std::wstring wide = Wide(text);
    if (m_impl->dc != nullptr)
        GetTextExtentPoint32W(m_impl->dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return {size.cx, size.cy};
}

ClientDC::ClientDC(const Wnd* wnd)
    : DC(MakeDCImpl(GetDC(HandleOf(wnd)), [hwnd = HandleOf(wnd)](HDC dc) { ReleaseDC(hwnd, dc); }))
{
}

LockedFrameDC::LockedFrameDC(FrameWnd* frame) : DC(MakeDCImpl(nullptr, nullptr))
{
    HWND hwnd = HandleOf(frame);
    if (hwnd == nullptr)
        return;
    // While the frame's updates are locked a context of its window that may draw over them
    // (and over its child windows) is the only one that draws.
    LockWindowUpdate(hwnd);
    GetImpl()->dc = GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    GetImpl()->release = [hwnd](HDC dc) { ReleaseDC(hwnd, dc); };
}

LockedFrameDC::~LockedFrameDC()
{
    const bool locked = GetImpl()->release != nullptr;
    GetImpl()->Release();
    if (locked)
        LockWindowUpdate(nullptr);
}

} // namespace fw
