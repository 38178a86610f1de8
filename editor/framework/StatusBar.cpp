// The status bar's panes and their texts; the toolkit shows them.
#include "framework/StatusBar.h"

#include "framework/Command.h"
#include "framework/CommandIds.h"
#include "framework/Resources.h"

namespace fw {
namespace {

// The update object of one indicator pane.
class PaneCmdUI : public CmdUI {
public:
    PaneCmdUI(uint32_t id, bool on) : CmdUI(id), m_on(on) {}
    void Enable(bool on) override
    {
        CmdUI::Enable(on);
        m_on = on;
    }
    bool On() const { return m_on; }

private:
    bool m_on;
};

} // namespace

FW_IMPLEMENT_DYNAMIC(StatusBar, ControlBar)

bool StatusBar::SetIndicators(const uint32_t* ids, int count)
{
    m_panes.clear();
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        PaneInfo pane;
        pane.id = ids[i];
        if (pane.id != ID_SEPARATOR) {
            const std::optional<std::string> text = ResourceTable::Instance().String(pane.id);
            if (!text)
                ok = false;
            pane.text = text.value_or(std::string());
            pane.shown = pane.text;
        }
        m_panes.push_back(pane);
    }
    MakePanes();
    return ok;
}

uint32_t StatusBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].id : 0;
}

int StatusBar::CommandToIndex(uint32_t id) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<size_t>(i)].id == id)
            return i;
    }
    return -1;
}

bool StatusBar::SetPaneText(int index, const std::string& text)
{
    if (index < 0 || index >= GetCount())
        return false;
    PaneInfo& pane = m_panes[static_cast<size_t>(index)];
    if (pane.id != ID_SEPARATOR)
        pane.text = text;
    if (pane.on) {
        pane.shown = text;
        ShowPaneText(index);
    }
    return true;
}

std::string StatusBar::GetPaneText(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].shown : std::string();
}

bool StatusBar::IsPaneOn(int index) const
{
    return index >= 0 && index < GetCount() && m_panes[static_cast<size_t>(index)].on;
}

void StatusBar::SetPaneOn(int index, bool on)
{
    PaneInfo& pane = m_panes[static_cast<size_t>(index)];
    if (pane.on == on)
        return;
    pane.on = on;
    pane.shown = on ? pane.text : std::string();
    ShowPaneText(index);
}

void StatusBar::UpdatePanes(CmdTarget* target)
{
    for (int i = 0; i < GetCount(); ++i) {
        const PaneInfo& pane = m_panes[static_cast<size_t>(i)];
        if (pane.id == ID_SEPARATOR)
            continue;
        PaneCmdUI ui(pane.id, pane.on);
        ui.DoUpdate(target, false);
        SetPaneOn(i, ui.On());
    }
}

} // namespace fw
