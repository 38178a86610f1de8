#pragma once
// A docking control bar that hosts one modeless dialog, with a sizing edge that changes its
// docked width or height, a gripper with a close and a float button, and a floating size of its
// own. The frame's dock machinery docks, drags and floats it; the bar draws and hit-tests its
// non-client area (edge, gripper, buttons) and resizes itself with a tracker.
#include "controls/CoolDialogBarGeometry.h"
#include "framework/ControlBar.h"
#include "framework/DC.h"
#include "framework/Dialog.h"
#include "framework/FrameWnd.h"

#include <memory>
#include <string>
#include <vector>

class CoolDialogBar : public fw::ControlBar {
    FW_DECLARE_DYNAMIC(CoolDialogBar)
public:
    CoolDialogBar();
    ~CoolDialogBar() override;

    // Makes the bar a child of parent hosting dialog, built from template templateId, with
    // control id controlId. style: WinStyle and BarStyle bits (the fixed and dynamic size
    // flags together are a caller error). False when the window or the dialog cannot be made.
    virtual bool Create(fw::FrameWnd* parent, fw::Dialog* dialog, const std::string& title, uint32_t templateId,
                        uint32_t controlId, uint32_t style);

    // Floating: the floating size. Docked: its own height (horizontal) or width across the
    // dock, and the dock's length + 4 along it, or 32767 when stretching.
    fw::Size CalcFixedLayout(bool stretch, bool horizontal) override;
    // Docking modes re-lay out the frame and answer the fixed layout; while floating a length
    // query sets the floating width (or height, with LengthY), never below the minimum size.
    // (The floating frame's corners and its smallest size are the toolkit's mini frame's.)
    fw::Size CalcDynamicLayout(int length, uint32_t mode) override;
    void OnUpdateCmdUI(fw::FrameWnd* target, bool disableIfNoHandler) override;
    // The horizontal, vertical and floating sizes, which the user changes with the sizing
    // edge and the floating frame's corners.
    std::vector<uint8_t> SaveSizes() const override;
    // Refuses sizes below the minimum size or beyond any screen.
    bool LoadSizes(const std::vector<uint8_t>& sizes) override;

    // Window messages.
    void OnWindowPosChanged() override;
    bool OnSetCursor(int hit) override;
    void OnNcCalcSize(fw::Rect& client) override;
    void OnNcPaint(fw::DC& dc) override;
    int OnNcHitTest(fw::Point screenPoint) override;
    void OnNcLButtonDown(int hit, fw::Point screenPoint) override;
    void OnNcLButtonDblClk(int hit, fw::Point screenPoint) override;
    void OnLButtonDown(uint32_t flags, fw::Point point) override;
    void OnLButtonUp(uint32_t flags, fw::Point point) override;
    void OnLButtonDblClk(uint32_t flags, fw::Point point) override;
    void OnMouseMove(uint32_t flags, fw::Point point) override;
    // Losing the mouse to another window ends a resize without taking it.
    void OnCaptureChanged(fw::Wnd* newCapture) override;

    fw::Dialog* HostedDialog() const { return m_dialog; }
    // The dock bar the bar was last laid out in (see ControlBar::GetDockBarId).
    uint32_t DockBarId() const { return m_dockBarId; }
    cool::DockSide Side() const { return cool::DockSideOf(m_dockBarId); }
    bool IsHorz() const { return cool::IsHorizontal(Side()); }

    fw::Size MinimumSize() const { return m_minSize; }
    fw::Size HorizontalSize() const { return m_horzSize; }
    fw::Size VerticalSize() const { return m_vertSize; }
    fw::Size FloatingSize() const { return m_floatSize; }

    // Rectangles in window coordinates.
    fw::Rect EdgeRect() const { return m_edgeRect; }
    fw::Rect ClientRect() const { return m_clientRect; }
    fw::Rect GripperRect() const { return m_gripperRect; }
    fw::Rect CloseButtonRect() const { return m_closeButtonRect; }
    fw::Rect FloatButtonRect() const { return m_floatButtonRect; }
    fw::Rect TrackerRect() const { return m_trackerRect; }
    bool IsTracking() const { return m_tracking; }
    // The tracker is drawn (inverted an odd number of times).
    bool IsTrackerShown() const { return m_trackerShown; }
    // Where the tracker was last inverted, in the frame's window coordinates.
    fw::Rect TrackerFrameRect() const { return m_trackerFrameRect; }

private:
    fw::Point ToWindow(fw::Point screenPoint) const;
    void StartTracking();
    void StopTracking(bool accept);
    void OnInvertTracker();

    fw::Color m_highlight;
    fw::Color m_shadow;
    fw::Size m_minSize{32, 32};
    fw::Size m_horzSize{200, 200};
    fw::Size m_vertSize{200, 200};
    fw::Size m_floatSize{200, 200};
    fw::Rect m_edgeRect;
    fw::Rect m_trackerRect;
    uint32_t m_dockBarId = 0;
    fw::Point m_oldPoint;
    bool m_tracking = false;
    bool m_inRecalc = false;
    int m_edgeWidth = 6;
    fw::Rect m_floatButtonRect;
    fw::Rect m_closeButtonRect;
    fw::Rect m_gripperRect;
    int m_gripperWidth = 20;
    int m_border = 3;
    fw::Dialog* m_dialog = nullptr;

    fw::Rect m_clientRect;
    fw::Size m_lastSize;
    std::unique_ptr<fw::LockedFrameDC> m_trackerDC;
    bool m_trackerShown = false;
    fw::Rect m_trackerFrameRect;
};
