#pragma once
// What the frame needs from each of its control bars (toolbar, status bar, docking bars): the
// bar style, the control id that the View toggles use to find it, and the sizes of its own
// that the frame keeps in the profile with the layout.
#include <QByteArray>

#include <cstdint>

namespace fw {

class CmdTarget;

class ControlBar {
public:
    virtual ~ControlBar() = default;
    virtual uint32_t GetBarStyle() const = 0;
    virtual void SetBarStyle(uint32_t style) = 0;
    virtual uint32_t GetDlgCtrlID() const = 0;
    // Idle-time update of the bar's own controls through target's command route.
    virtual void OnUpdateCmdUI(CmdTarget* target, bool disableIfNoHandler)
    {
        (void)target;
        (void)disableIfNoHandler;
    }
    // The bar's own sizes, beyond its place in the frame's layout; empty when it has none.
    virtual QByteArray SaveSizes() const { return {}; }
    // Takes sizes SaveSizes gave; false, changing nothing, for anything else.
    virtual bool LoadSizes(const QByteArray& sizes) { return sizes.isEmpty(); }
};

} // namespace fw
