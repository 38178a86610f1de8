// The frame's dock machinery on Win32: four dock bars (top, bottom, left, right) of rows of
// control bars around the view, bars floating in mini frames, showing and hiding bars, the
// layout that sizes each docked bar by its own layout queries, and the layout kept in the
// profile.
#include "framework/Application.h"
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/Profile.h"
#include "framework/View.h"
#include "framework/win32/Win32Frame.h"

#include <algorithm>
#include <cstring>

namespace fw {

using namespace win32;

namespace win32 {

int EdgeOf(uint32_t dockBarId)
{
    switch (dockBarId) {
    case IDW_DOCKBAR_TOP:
        return EdgeTop;
    case IDW_DOCKBAR_BOTTOM:
        return EdgeBottom;
    case IDW_DOCKBAR_LEFT:
        return EdgeLeft;
    case IDW_DOCKBAR_RIGHT:
        return EdgeRight;
    default:
        return -1;
    }
}

uint32_t DockBarIdOf(int edge)
{
    static const uint32_t ids[EdgeCount] = {IDW_DOCKBAR_TOP, IDW_DOCKBAR_BOTTOM, IDW_DOCKBAR_LEFT, IDW_DOCKBAR_RIGHT};
    return edge >= 0 && edge < EdgeCount ? ids[edge] : 0;
}

bool IsHorizontalEdge(int edge)
{
    return edge == EdgeTop || edge == EdgeBottom;
}

void Undock(FrameWnd* frame, ControlBar* bar)
{
    for (auto& edgeRows : frame->GetFrameImpl()->rows) {
        for (auto& row : edgeRows)
            row.erase(std::remove(row.begin(), row.end(), bar), row.end());
        edgeRows.erase(std::remove_if(edgeRows.begin(), edgeRows.end(), [](const auto& row) { return row.empty(); }),
                       edgeRows.end());
    }
}

std::pair<int, int> RowOf(const FrameWnd* frame, const ControlBar* bar)
{
    const auto& rows = frame->GetFrameImpl()->rows;
    for (int edge = 0; edge < EdgeCount; ++edge) {
        for (size_t row = 0; row < rows[edge].size(); ++row) {
            const auto& bars = rows[edge][row];
            if (std::find(bars.begin(), bars.end(), bar) != bars.end())
                return {edge, static_cast<int>(row)};
        }
    }
    return {-1, -1};
}

void RegisterBar(FrameWnd* frame, ControlBar* bar)
{
    auto& bars = frame->GetFrameImpl()->bars;
    if (std::find(bars.begin(), bars.end(), bar) == bars.end())
        bars.push_back(bar);
}

bool MiniFrameWnd::Make(FrameWnd* frame, const std::string& title)
{
    return CreateFrameworkWindow(this, kPlainClass, WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE, title,
                                 WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                                 Rect::FromSize(0, 0, 100, 100), HandleOf(frame), nullptr) != nullptr;
}

void MiniFrameWnd::FitBar(Point screenPoint)
{
    const Size size = m_bar->CalcFixedLayout(false, false);
    RECT outer{0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(HandleOf(this), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(HandleOf(this), GWL_EXSTYLE)));
    m_sizing = true;
    MoveWindow(Rect::FromSize(screenPoint.x, screenPoint.y, outer.right - outer.left, outer.bottom - outer.top));
    m_sizing = false;
    m_bar->MoveWindow(Rect::FromSize(0, 0, size.cx, size.cy));
}

void MiniFrameWnd::OnSize(int type, int cx, int cy)
{
    Default();
    if (type == SizeType::Minimized || cx <= 0 || cy <= 0)
        return;
    if (!m_sizing) {
        // The user drags a side or a corner: the bar hears each length, and keeps what it takes.
        m_bar->CalcDynamicLayout(cx, 0);
        m_bar->CalcDynamicLayout(cy, LayoutMode::LengthY);
    }
    m_bar->MoveWindow(Rect::FromSize(0, 0, cx, cy));
}

void MiniFrameWnd::OnClose()
{
    // The close box hides the bar; the View command shows it again where it was.
    if (FrameWnd* frame = m_bar->GetDockingFrame())
        frame->ShowControlBar(m_bar, false, false);
}

void MiniFrameWnd::OnNcLButtonDown(int hit, Point screenPoint)
{
    if (hit == Hit::Caption) {
        SetWindowPos(HandleOf(this), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        m_bar->StartDrag(screenPoint); // dragged to an edge it docks there
        return;
    }
    Default();
}

void MiniFrameWnd::OnNcLButtonDblClk(int hit, Point screenPoint)
{
    if (hit == Hit::Caption) {
        m_bar->ToggleDocking();
        return;
    }
    Wnd::OnNcLButtonDblClk(hit, screenPoint);
}

} // namespace win32

namespace {

// Moves a child only when it is not where it should be (every move repaints it).
void Place(Wnd* wnd, const Rect& rect)
{
    HWND hwnd = HandleOf(wnd);
    RECT now{};
    GetWindowRect(hwnd, &now);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&now), 2);
    if (FromRect(now) != rect)
        wnd->MoveWindow(rect, true);
}

bool Shown(const ControlBar* bar)
{
    return (bar->GetStyle() & WinStyle::Visible) != 0;
}

// A docked bar's size: a dynamic bar is asked in the docking mode of its edge, any other for
// its fixed layout.
Size DockedSize(ControlBar* bar, int edge)
{
    const bool horizontal = IsHorizontalEdge(edge);
    if (bar->GetBarStyle() & BarStyle::SizeDynamic) {
        return bar->CalcDynamicLayout(-1, horizontal ? LayoutMode::HorzDock | LayoutMode::Horz : LayoutMode::VertDock);
    }
    return bar->CalcFixedLayout(false, horizontal);
}

uint32_t AlignmentOf(int edge)
{
    static const uint32_t aligns[EdgeCount] = {BarStyle::AlignTop, BarStyle::AlignBottom, BarStyle::AlignLeft,
                                               BarStyle::AlignRight};
    return aligns[edge];
}

// The kept layout of one bar, under "<section>/Bar<id>".
std::string BarSection(const std::string& section, uint32_t id)
{
    return section + "/Bar" + std::to_string(id);
}

constexpr int kLayoutVersion = 1;

} // namespace

void FrameWnd::ShowControlBar(ControlBar* bar, bool show, bool delay)
{
    HWND hwnd = HandleOf(bar);
    if (hwnd == nullptr)
        return;
    ::ShowWindow(hwnd, show ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (bar->IsFloating()) {
        if (MiniFrameWnd* mini = bar->GetBarImpl()->miniFrame.get())
            mini->ShowWindow(show ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    if (!delay)
        RecalcLayout();
}

void FrameWnd::EnableDocking(uint32_t alignment)
{
    m_dockAlignment = alignment & BarStyle::AlignAny;
}

void FrameWnd::DockControlBar(ControlBar* bar, uint32_t dockBarId)
{
    HWND barHwnd = HandleOf(bar);
    HWND hwnd = HandleOf(this);
    if (barHwnd == nullptr || hwnd == nullptr)
        return;
    int edge = EdgeOf(dockBarId);
    if (edge < 0) {
        const uint32_t align = bar->GetBarStyle() & BarStyle::AlignAny;
        edge = (align & BarStyle::AlignTop)      ? EdgeTop
               : (align & BarStyle::AlignBottom) ? EdgeBottom
               : (align & BarStyle::AlignLeft)   ? EdgeLeft
               : (align & BarStyle::AlignRight)  ? EdgeRight
                                                 : EdgeTop;
    }
    Undock(this, bar);
    ControlBar::Impl& place = *bar->GetBarImpl();
    const bool shown = Shown(bar);
    if (::GetParent(barHwnd) != hwnd) {
        SetParent(barHwnd, hwnd);
        if (place.miniFrame)
            place.miniFrame->ShowWindow(SW_HIDE);
    }
    m_impl->rows[edge].push_back({bar});
    place.dockBarId = DockBarIdOf(edge);
    place.lastDockBarId = place.dockBarId;
    bar->SetBarStyle((bar->GetBarStyle() & ~BarStyle::AlignAny) | AlignmentOf(edge));
    ::ShowWindow(barHwnd, shown ? SW_SHOWNOACTIVATE : SW_HIDE);
    bar->RecalcNonClient(); // the gripper and the sizing edge follow the edge
    RecalcLayout();
}

void FrameWnd::FloatControlBar(ControlBar* bar, Point screenPoint)
{
    HWND barHwnd = HandleOf(bar);
    if (barHwnd == nullptr || !IsWindow())
        return;
    ControlBar::Impl& place = *bar->GetBarImpl();
    const bool shown = Shown(bar);
    Undock(this, bar);
    if (!place.miniFrame) {
        place.miniFrame = std::make_unique<MiniFrameWnd>(bar);
        if (!place.miniFrame->Make(this, bar->GetText())) {
            place.miniFrame.reset();
            RecalcLayout();
            return;
        }
    }
    SetParent(barHwnd, HandleOf(place.miniFrame.get()));
    place.dockBarId = IDW_DOCKBAR_FLOAT;
    place.floatPoint = screenPoint;
    bar->RecalcNonClient(); // floating: no gripper, no edge
    place.miniFrame->FitBar(screenPoint);
    ::ShowWindow(barHwnd, shown ? SW_SHOWNOACTIVATE : SW_HIDE);
    place.miniFrame->ShowWindow(shown ? SW_SHOWNOACTIVATE : SW_HIDE);
    RecalcLayout();
}

void FrameWnd::RecalcLayout()
{
    if (!IsWindow() || m_impl->inRecalc)
        return;
    m_impl->inRecalc = true;
    Rect area = GetClientRect();

    // Bars in no dock bar (the status bar) keep their own edge, outermost.
    for (ControlBar* bar : m_impl->bars) {
        if (!bar->IsWindow() || !Shown(bar) || bar->IsFloating() || RowOf(this, bar).first >= 0)
            continue;
        const uint32_t align = bar->GetBarStyle() & BarStyle::AlignAny;
        const Size size = bar->CalcFixedLayout(true, (align & (BarStyle::AlignTop | BarStyle::AlignBottom)) != 0);
        if (align & BarStyle::AlignBottom) {
            Place(bar, Rect{area.left, area.bottom - size.cy, area.right, area.bottom});
            area.bottom -= size.cy;
        } else if (align & BarStyle::AlignTop) {
            Place(bar, Rect{area.left, area.top, area.right, area.top + size.cy});
            area.top += size.cy;
        } else if (align & BarStyle::AlignLeft) {
            Place(bar, Rect{area.left, area.top, area.left + size.cx, area.bottom});
            area.left += size.cx;
        } else if (align & BarStyle::AlignRight) {
            Place(bar, Rect{area.right - size.cx, area.top, area.right, area.bottom});
            area.right -= size.cx;
        }
    }

    // The dock bars' rows, outermost first: along the top and bottom the frame's width, at the
    // left and right the height between them.
    for (int edge = 0; edge < EdgeCount; ++edge) {
        const bool horizontal = IsHorizontalEdge(edge);
        m_impl->dockLength[edge] = horizontal ? area.Width() : area.Height();
        if (edge == EdgeBottom)
            m_impl->dockLength[EdgeLeft] = m_impl->dockLength[EdgeRight] = area.Height();
        for (const std::vector<ControlBar*>& row : m_impl->rows[edge]) {
            std::vector<std::pair<ControlBar*, Size>> sized;
            int thickness = 0;
            for (ControlBar* bar : row) {
                if (!bar->IsWindow() || !Shown(bar))
                    continue;
                const Size size = DockedSize(bar, edge);
                sized.emplace_back(bar, size);
                thickness = std::max(thickness, horizontal ? size.cy : size.cx);
            }
            if (sized.empty())
                continue;
            int along = horizontal ? area.left : area.top;
            const int end = horizontal ? area.right : area.bottom;
            for (const auto& [bar, size] : sized) {
                const int length = std::max(0, std::min(horizontal ? size.cx : size.cy, end - along));
                Rect rect;
                switch (edge) {
                case EdgeTop:
                    rect = Rect::FromSize(along, area.top, length, size.cy);
                    break;
                case EdgeBottom:
                    rect = Rect::FromSize(along, area.bottom - size.cy, length, size.cy);
                    break;
                case EdgeLeft:
                    rect = Rect::FromSize(area.left, along, size.cx, length);
                    break;
                default:
                    rect = Rect::FromSize(area.right - size.cx, along, size.cx, length);
                    break;
                }
                Place(bar, rect);
                along += length;
            }
            switch (edge) {
            case EdgeTop:
                area.top += thickness;
                break;
            case EdgeBottom:
                area.bottom -= thickness;
                break;
            case EdgeLeft:
                area.left += thickness;
                break;
            default:
                area.right -= thickness;
                break;
            }
        }
    }

    // The view takes what is left.
    if (View* view = GetActiveView(); view != nullptr && view->IsWindow() && view->GetParent() == this) {
        area.right = std::max(area.right, area.left);
        area.bottom = std::max(area.bottom, area.top);
        Place(view, area);
    }
    m_impl->inRecalc = false;
}

int FrameWnd::GetDockLength(uint32_t dockBarId) const
{
    const int edge = EdgeOf(dockBarId);
    if (edge < 0)
        return 0;
    if (m_impl->dockLength[edge] > 0)
        return m_impl->dockLength[edge];
    const Rect client = GetClientRect();
    return IsHorizontalEdge(edge) ? client.Width() : client.Height();
}

void FrameWnd::SaveBarState(const std::string& section) const
{
    Application* app = Application::Instance();
    HWND hwnd = HandleOf(this);
    if (app == nullptr || hwnd == nullptr)
        return;
    Profile& profile = app->GetProfile();
    profile.RemoveSection(section);
    profile.WriteInt(section, "Version", kLayoutVersion);

    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd, &placement);
    const int32_t values[5] = {IsZoomed(hwnd) ? 1 : 0, placement.rcNormalPosition.left, placement.rcNormalPosition.top,
                               placement.rcNormalPosition.right, placement.rcNormalPosition.bottom};
    std::vector<uint8_t> bytes(sizeof values);
    std::memcpy(bytes.data(), values, sizeof values);
    profile.WriteBinary(section, "Placement", bytes);

    for (ControlBar* bar : m_impl->bars) {
        const uint32_t id = bar->GetDlgCtrlID();
        if (id == 0 || !bar->IsWindow())
            continue;
        const std::string barSection = BarSection(section, id);
        const ControlBar::Impl& place = *bar->GetBarImpl();
        const int row = RowOf(this, bar).second;
        profile.WriteInt(barSection, "Visible", Shown(bar) ? 1 : 0);
        profile.WriteInt(barSection, "DockBar", static_cast<int>(place.dockBarId));
        profile.WriteInt(barSection, "LastDockBar", static_cast<int>(place.lastDockBarId));
        profile.WriteInt(barSection, "Row", row);
        if (bar->IsFloating() && place.miniFrame) {
            const Rect where = place.miniFrame->GetWindowRect();
            profile.WriteInt(barSection, "FloatX", where.left);
            profile.WriteInt(barSection, "FloatY", where.top);
        }
        const std::vector<uint8_t> sizes = bar->SaveSizes();
        if (!sizes.empty())
            profile.WriteBinary(barSection, "Sizes", sizes);
    }
}

bool FrameWnd::LoadBarState(const std::string& section)
{
    Application* app = Application::Instance();
    HWND hwnd = HandleOf(this);
    if (app == nullptr || hwnd == nullptr)
        return false;
    Profile& profile = app->GetProfile();
    const std::optional<std::vector<uint8_t>> bytes = profile.GetBinary(section, "Placement");
    if (profile.GetInt(section, "Version").value_or(0) != kLayoutVersion || !bytes || bytes->size() != 20)
        return false;
    int32_t values[5] = {};
    std::memcpy(values, bytes->data(), sizeof values);
    const RECT normal{values[1], values[2], values[3], values[4]};
    // A window that would be on no screen, or has no size, is not put back.
    if (normal.right - normal.left < 100 || normal.bottom - normal.top < 100 ||
        MonitorFromRect(&normal, MONITOR_DEFAULTTONULL) == nullptr)
        return false;

    struct Kept {
        ControlBar* bar;
        uint32_t dockBarId;
        uint32_t lastDockBarId;
        int row;
        bool visible;
        Point floatPoint;
    };
    std::vector<Kept> kept;
    for (ControlBar* bar : m_impl->bars) {
        const uint32_t id = bar->GetDlgCtrlID();
        if (id == 0 || !bar->IsWindow())
            continue;
        const std::string barSection = BarSection(section, id);
        const std::optional<int> dock = profile.GetInt(barSection, "DockBar");
        if (!dock)
            continue;
        if (std::optional<std::vector<uint8_t>> sizes = profile.GetBinary(barSection, "Sizes"))
            bar->LoadSizes(*sizes);
        Kept entry{bar,
                   static_cast<uint32_t>(*dock),
                   static_cast<uint32_t>(profile.GetInt(barSection, "LastDockBar").value_or(0)),
                   profile.GetInt(barSection, "Row").value_or(0),
                   profile.GetInt(barSection, "Visible").value_or(1) != 0,
                   {profile.GetInt(barSection, "FloatX").value_or(normal.left),
                    profile.GetInt(barSection, "FloatY").value_or(normal.top)}};
        kept.push_back(entry);
    }
    // Docked bars row by row, as they were; then the floating ones.
    std::stable_sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) { return a.row < b.row; });
    for (const Kept& entry : kept) {
        if (EdgeOf(entry.dockBarId) >= 0)
            DockControlBar(entry.bar, entry.dockBarId);
    }
    for (const Kept& entry : kept) {
        if (entry.dockBarId != IDW_DOCKBAR_FLOAT)
            continue;
        if (EdgeOf(entry.lastDockBarId) >= 0)
            entry.bar->GetBarImpl()->lastDockBarId = entry.lastDockBarId;
        FloatControlBar(entry.bar, entry.floatPoint);
    }
    for (const Kept& entry : kept)
        ShowControlBar(entry.bar, entry.visible, true);

    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd, &placement);
    placement.rcNormalPosition = normal;
    // Maximised it shows at once; otherwise it waits for the application to show it.
    placement.showCmd = values[0] != 0 ? SW_SHOWMAXIMIZED : (IsWindowVisible() ? SW_SHOWNORMAL : SW_HIDE);
    SetWindowPlacement(hwnd, &placement);
    RecalcLayout();
    return true;
}

} // namespace fw
