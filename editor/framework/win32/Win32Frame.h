#pragma once
// The Win32 side of frames and their control bars: the frame's menu, accelerators and icons,
// its four dock bars as rows of control bars, and each bar's place (a dock bar or the mini frame
// it floats in).
#include "framework/ControlBar.h"
#include "framework/FrameWnd.h"
#include "framework/win32/Win32Wnd.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fw {

namespace win32 {

// The dock bars of a frame, in the order the layout takes room for them.
enum DockEdge { EdgeTop, EdgeBottom, EdgeLeft, EdgeRight, EdgeCount };
// IDW_DOCKBAR_* to an edge; -1 for any other id.
int EdgeOf(uint32_t dockBarId);
uint32_t DockBarIdOf(int edge);
bool IsHorizontalEdge(int edge);

// The small frame a bar floats in: a tool window with a caption and a close box, sized by the
// bar's floating layout; its caption docks the bar again on a double click and drags it.
class MiniFrameWnd : public Wnd {
public:
    explicit MiniFrameWnd(ControlBar* bar) : m_bar(bar) {}

    bool Make(FrameWnd* frame, const std::string& title);
    ControlBar* Bar() const { return m_bar; }
    // Sizes the window around the bar's floating size, its top-left corner at screenPoint.
    void FitBar(Point screenPoint);

    void OnSize(int type, int cx, int cy) override;
    void OnClose() override;
    void OnNcLButtonDown(int hit, Point screenPoint) override;
    void OnNcLButtonDblClk(int hit, Point screenPoint) override;

private:
    ControlBar* m_bar;
    bool m_sizing = false;
};

// Messages of a bar's own window the framework posts to itself.
constexpr UINT kToggleDocking = WM_APP + 0x3F10;

} // namespace win32

struct FrameWnd::Impl {
    ~Impl();

    HMENU menu = nullptr;
    HACCEL accelerators = nullptr;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    // The menu resource's text of each command, for items the recent-file list replaces.
    std::map<uint32_t, std::string> menuTexts;
    // Commands of the accelerator table (known even without a menu item or button).
    std::vector<uint32_t> acceleratorCommands;

    // Every bar of the frame, in the order made, and the rows of the four dock bars (outermost
    // first), each row a list of bars along the edge.
    std::vector<ControlBar*> bars;
    std::array<std::vector<std::vector<ControlBar*>>, win32::EdgeCount> rows;
    std::array<int, win32::EdgeCount> dockLength{};
    bool inRecalc = false;
};

struct ControlBar::Impl {
    uint32_t dockBarId = 0;     // where it is: an edge's dock bar, IDW_DOCKBAR_FLOAT or 0
    uint32_t lastDockBarId = 0; // where it was docked last, for docking back
    Point floatPoint{-1, -1};   // where it floated last (screen)
    std::unique_ptr<win32::MiniFrameWnd> miniFrame;
    HWND control = nullptr; // the system control inside a toolbar or status bar
};

namespace win32 {

// Takes bar out of the dock rows it is in (the bar stays where it is on screen).
void Undock(FrameWnd* frame, ControlBar* bar);
// Where bar sits in the frame's rows: edge and row index, or -1s.
std::pair<int, int> RowOf(const FrameWnd* frame, const ControlBar* bar);
// Registers a bar made by a toolkit function with its frame's list of bars.
void RegisterBar(FrameWnd* frame, ControlBar* bar);

} // namespace win32
} // namespace fw
