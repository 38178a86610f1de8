#pragma once
// A view that draws with OpenGL into a native window of its own. It owns the rendering device
// and the overlay font of that window and draws the two-line text overlay (driver name and
// frame rate). Frames are drawn on request (RenderFrame, from the application's idle time),
// never in answer to paint messages.
#include "framework/View.h"
#include "orvex/render/BitmapFont.h"
#include "orvex/render/GlDevice.h"

#include <QPoint>

#include <cstdint>

class CQuorvanDoc;
class QOpenGLContext;
class ViewWindow;

class COpenGLView : public fw::View {
    Q_OBJECT
public:
    // Size types of OnSize.
    static constexpr int SizeRestored = 0;
    static constexpr int SizeMinimized = 1;
    // Flags of the mouse messages: buttons held and keys down.
    static constexpr uint32_t MkLButton = 0x0001;
    static constexpr uint32_t MkRButton = 0x0002;
    static constexpr uint32_t MkShift = 0x0004;
    static constexpr uint32_t MkControl = 0x0008;
    static constexpr uint32_t MkMButton = 0x0010;

    Q_INVOKABLE COpenGLView();
    ~COpenGLView() override;

    CQuorvanDoc* GetDocument() const;

    // Creates the window's device (driver, surface, context) and its default state, then the
    // overlay font ("Comic Sans MS", 16; a font that fails is ignored). -1 when the device
    // cannot be made.
    int OnCreate() override;
    // Releases the font, then the device. Runs when the view goes; safe twice.
    virtual void OnDestroy();
    // With both sizes positive and the device made: the viewport becomes (0, 0, cx, cy) and the
    // size is kept. A zero size (a minimised window) changes nothing.
    virtual void OnSize(int type, int cx, int cy);
    // Draws nothing: frames come from RenderFrame.
    virtual void OnDraw();

    // Mouse messages in client pixels. The view itself does nothing with them.
    virtual void OnLButtonDown(uint32_t flags, QPoint point);
    virtual void OnLButtonUp(uint32_t flags, QPoint point);
    virtual void OnRButtonDown(uint32_t flags, QPoint point);
    virtual void OnRButtonUp(uint32_t flags, QPoint point);
    virtual void OnMouseMove(uint32_t flags, QPoint point);
    virtual bool OnMouseWheel(uint32_t flags, short delta, QPoint point);

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
    ViewWindow* GetViewWindow() const { return m_window; }
    bool IsDeviceCreated() const { return m_deviceCreated; }

protected:
    // Makes the window's context current (another window may have taken it); false without one.
    bool MakeCurrent();
    // Mouse capture: the window keeps getting the mouse while a button drag runs outside it.
    void SetCapture();
    void ReleaseCapture();

    void paintEvent(QPaintEvent* event) override;

    GlDevice m_device;
    BitmapFont m_font;
    int32_t m_width = 0;
    int32_t m_height = 0;

private:
    ViewWindow* m_window = nullptr; // owned through its container, a child of this view
    QWidget* m_container = nullptr;
    QOpenGLContext* m_context = nullptr; // the device's, remembered to make it current again
    bool m_deviceCreated = false;
};
