#pragma once
// A control bar: a window that the frame lays out at one of its edges (toolbar, status bar,
// docking dialog bars). It has a bar style, a control id that the View toggles use to find it,
// and sizes of its own that the frame keeps in the profile with the layout. Bars that dock sit
// in the frame's dock bar of an edge or float in a small frame of their own; the docking
// context drags and floats them.
#include "framework/Types.h"
#include "framework/Wnd.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class FrameWnd;

class ControlBar : public Wnd {
    FW_DECLARE_DYNAMIC(ControlBar)
public:
    struct Impl;

    ControlBar();
    ~ControlBar() override;

    uint32_t GetBarStyle() const { return m_barStyle; }
    virtual void SetBarStyle(uint32_t style);

    // The edges the bar may dock at (BarStyle::Align bits).
    void EnableDocking(uint32_t alignment);
    uint32_t GetDockingAlignment() const { return m_dockingAlignment; }
    FrameWnd* GetDockingFrame() const { return m_frame; }

    // The id of the dock bar that holds the bar: IDW_DOCKBAR_TOP, _LEFT, _RIGHT, _BOTTOM, or
    // IDW_DOCKBAR_FLOAT while floating; 0 before it is docked anywhere.
    uint32_t GetDockBarId() const;
    bool IsFloating() const;
    // Floats a docked bar at its floating size, or docks a floating one where it was.
    void ToggleDocking();
    // Starts dragging the bar (as its gripper does) from screen point.
    void StartDrag(Point screenPoint);

    // Sizes the frame asks for: in a fixed layout (stretch: as long as the dock bar allows) and
    // by LayoutMode bits, with length the asked width (or height with LayoutMode::LengthY), or -1.
    virtual Size CalcFixedLayout(bool stretch, bool horizontal);
    virtual Size CalcDynamicLayout(int length, uint32_t mode);

    // Idle-time update of the bar's own controls through target's command route.
    virtual void OnUpdateCmdUI(FrameWnd* target, bool disableIfNoHandler);
    // The bar's own sizes, beyond its place in the frame's layout; empty when it has none.
    virtual std::vector<uint8_t> SaveSizes() const { return {}; }
    // Takes sizes SaveSizes gave; false, changing nothing, for anything else.
    virtual bool LoadSizes(const std::vector<uint8_t>& sizes) { return sizes.empty(); }

    Impl* GetBarImpl() const { return m_impl.get(); } // for the toolkit's own files

protected:
    // Makes the bar's window in frame with the title, WinStyle and BarStyle bits (the bar bits
    // are kept, BarStyle::Mask) and control id, and registers it with the frame. Nothing is
    // docked yet.
    bool CreateBar(FrameWnd* frame, const std::string& title, uint32_t style, uint32_t id);
    // For bars that make their windows themselves (toolbar, status bar): the frame they are in.
    void SetDockingFrame(FrameWnd* frame) { m_frame = frame; }

private:
    std::unique_ptr<Impl> m_impl;
    FrameWnd* m_frame = nullptr;
    uint32_t m_barStyle = 0;
    uint32_t m_dockingAlignment = 0;
};

} // namespace fw
