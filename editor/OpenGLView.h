#pragma once
// A view that draws with OpenGL into a native window of its own. It owns the rendering device
// and the overlay font of that window and draws the two-line text overlay (driver name and
// frame rate). Frames are drawn on request (RenderFrame, from the application's idle time),
// never in answer to paint messages.
#include "framework/GlWindow.h"
#include "framework/Keys.h"
#include "framework/View.h"
#include "orvex/render/BitmapFont.h"
#include "orvex/render/GlDevice.h"

#include <cstdint>

class CQuorvanDoc;

class COpenGLView : public fw::View {
    FW_DECLARE_DYNCREATE(COpenGLView)
public:
    // Size types of OnSize.
    static constexpr int SizeRestored = fw::SizeType::Restored;
    static constexpr int SizeMinimized = fw::SizeType::Minimized;
    // Flags of the mouse messages: buttons held and keys down.
    static constexpr uint32_t MkLButton = fw::MouseFlag::LButton;
    static constexpr uint32_t MkRButton = fw::MouseFlag::RButton;
    static constexpr uint32_t MkShift = fw::MouseFlag::Shift;
    static constexpr uint32_t MkControl = fw::MouseFlag::Control;
    static constexpr uint32_t MkMButton = fw::MouseFlag::MButton;

    COpenGLView();
    ~COpenGLView() override;

    CQuorvanDoc* GetDocument() const;

    // Makes the view's OpenGL window, creates its device (driver, surface, context) and its
    // default state, then the overlay font ("Comic Sans MS", 16; a font that fails is ignored).
    // -1 when the device cannot be made.
    int OnCreate() override;
    // Releases the font, then the device. Runs when the view goes; safe twice.
    void OnDestroy() override;
    // With both sizes positive and the device made: the viewport becomes (0, 0, cx, cy) and the
    // size is kept. A zero size (a minimised window) changes nothing.
    void OnSize(int type, int cx, int cy) override;
    // Draws nothing: frames come from RenderFrame.
    void OnDraw(fw::DC& dc) override;

    // Mouse messages in client pixels (the wheel's point on the screen). The view itself does
    // nothing with them.
    void OnLButtonDown(uint32_t flags, fw::Point point) override;
    void OnLButtonUp(uint32_t flags, fw::Point point) override;
    void OnRButtonDown(uint32_t flags, fw::Point point) override;
    void OnRButtonUp(uint32_t flags, fw::Point point) override;
    void OnMouseMove(uint32_t flags, fw::Point point) override;
    bool OnMouseWheel(uint32_t flags, short delta, fw::Point point) override;

    // The overlay: pixel projection, then (with a document) the driver name in cyan at (0, 0)
    // and "FPS: %03d" in yellow at (0, 16), added to the picture, and the document's frame count.
    virtual void RenderFrame();
    // Swaps the finished frame to the screen.
    virtual void PresentFrame();
    // Perspective projection for the view's size (45 degrees, near 1, far 5000), then clears
    // and saves the model-view matrix.
    virtual void PrepareFrame();

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    GlDevice& GetDevice() { return m_device; }
    // The native window drawn into.
    fw::GlWindow& GetGlWindow() { return m_window; }
    bool IsDeviceCreated() const { return m_deviceCreated; }

protected:
    // Makes the window's context current (another window may have taken it); false without one.
    bool MakeCurrent();

    GlDevice m_device;
    BitmapFont m_font;
    int32_t m_width = 0;
    int32_t m_height = 0;

private:
    fw::GlWindow m_window; // its context is the device's, remembered to make it current again
    bool m_deviceCreated = false;
};
