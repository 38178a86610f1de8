#pragma once
// A drawing surface in the manner of the classic framework's device context, for controls that
// paint themselves: solid and framed rectangles, 3-D rectangles and edges, caption-button
// glyphs, text in a font, the focus rectangle and the half-tone inversion of a resize tracker.
// The toolkit makes them: a paint handler gets one (OnPaint in client, OnNcPaint in window
// coordinates); ClientDC measures text; LockedFrameDC inverts a tracker over a frame.
#include "framework/Types.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

class FrameWnd;
class Wnd;

// A font by face, size and weight; an empty face and a size of 0 give the toolkit's font for
// controls.
struct Font {
    std::string face;
    int points = 0;
    bool bold = false;
};

// Text placement of DrawString.
namespace TextFormat {
constexpr uint32_t Left = 0x0000;
constexpr uint32_t Center = 0x0001;
constexpr uint32_t Right = 0x0002;
constexpr uint32_t VCenter = 0x0004;
constexpr uint32_t SingleLine = 0x0020;
constexpr uint32_t EndEllipsis = 0x8000;
} // namespace TextFormat

// Edges of DrawEdge, as the window system's 3-D borders: an outer and an inner ring, each raised
// or sunken.
namespace EdgeStyle {
constexpr uint32_t RaisedOuter = 0x0001;
constexpr uint32_t SunkenOuter = 0x0002;
constexpr uint32_t RaisedInner = 0x0004;
constexpr uint32_t SunkenInner = 0x0008;
constexpr uint32_t Raised = RaisedOuter | RaisedInner;
constexpr uint32_t Sunken = SunkenOuter | SunkenInner;
constexpr uint32_t Etched = SunkenOuter | RaisedInner;
constexpr uint32_t Bump = RaisedOuter | SunkenInner;
} // namespace EdgeStyle

enum class CaptionButton { Close, Minimize, Maximize, Restore };

class DC {
public:
    struct Impl; // the toolkit's painter or device context

    explicit DC(std::unique_ptr<Impl> impl);
    virtual ~DC();
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    void FillSolidRect(const Rect& rect, Color color);
    // A one-pixel outline just inside rect.
    void FrameRect(const Rect& rect, Color color);
    // One-pixel lines: top and left in topLeft, bottom and right in bottomRight.
    void Draw3dRect(const Rect& rect, Color topLeft, Color bottomRight);
    // The window system's 3-D border of EdgeStyle bits in the system colours (outer ring on the
    // rectangle's edge, inner ring one pixel inside).
    void DrawEdge(const Rect& rect, uint32_t edge);
    // A small caption button (as a window's title bar has) filling rect, with its glyph.
    void DrawCaptionButton(const Rect& rect, CaptionButton button, bool pushed = false);
    // The dotted rectangle of the keyboard focus; drawing it twice removes it.
    void DrawFocusRect(const Rect& rect);
    // Inverts every other pixel of rect (the half-tone pattern, aligned to the surface's origin);
    // doing it twice restores the pixels.
    void InvertHalftone(const Rect& rect);

    void SelectFont(const Font& font);
    void SetTextColor(Color color);
    // Text with no background of its own, placed in rect by TextFormat bits.
    void DrawString(const std::string& text, const Rect& rect, uint32_t format);
    // Width and height of text on one line in the selected font.
    Size GetTextExtent(const std::string& text) const;

    Impl* GetImpl() const { return m_impl.get(); }

private:
    std::unique_ptr<Impl> m_impl;
};

// For measuring text in a window's font outside its paint handlers (drawing belongs in
// OnPaint and OnNcPaint).
class ClientDC : public DC {
public:
    explicit ClientDC(const Wnd* wnd);
};

// The frame window's surface while a tracker is shown: the frame's updates are locked while it
// lives, and what it inverts with InvertHalftone (in the frame's window coordinates) shows over
// every child window, native OpenGL windows included.
class LockedFrameDC : public DC {
public:
    explicit LockedFrameDC(FrameWnd* frame);
    ~LockedFrameDC() override;
};

} // namespace fw
