#pragma once
// The Win32 side of fw::DC: a GDI device context, the font selected into it, and what gives the
// context back when the surface goes.
#include "framework/DC.h"
#include "framework/win32/Win32Headers.h"

#include <functional>
#include <memory>

namespace fw {

struct DC::Impl {
    Impl(HDC hdc, std::function<void(HDC)> releaseDc) : dc(hdc), release(std::move(releaseDc)) {}
    ~Impl() { Release(); }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    // Puts the original font back and gives the context back; safe twice.
    void Release();

    HDC dc;
    std::function<void(HDC)> release; // none for contexts the caller gives back (paint messages)
    HFONT font = nullptr;             // selected by SelectFont, owned
    HGDIOBJ oldFont = nullptr;
};

namespace win32 {

std::unique_ptr<DC::Impl> MakeDCImpl(HDC dc, std::function<void(HDC)> release);

// The 50 % pattern brush of resize trackers, made once.
HBRUSH HalftoneBrush();

} // namespace win32
} // namespace fw
