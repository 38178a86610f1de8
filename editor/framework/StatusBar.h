#pragma once
// Status bar of panes: a stretching message pane for prompts and "Ready", and indicator panes
// that show their text (from the string table) only while their command state is enabled.
#include "framework/ControlBar.h"

#include <string>
#include <vector>

namespace fw {

class CmdTarget;
class FrameWnd;

class StatusBar : public ControlBar {
    FW_DECLARE_DYNAMIC(StatusBar)
public:
    StatusBar();
    ~StatusBar() override;

    bool Create(FrameWnd* parent, uint32_t style, uint32_t id);
    // One pane per id: ID_SEPARATOR gives the message pane, any other id an indicator whose
    // text is the string of that id. False when a string is missing.
    bool SetIndicators(const uint32_t* ids, int count);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    uint32_t GetItemID(int index) const;
    int CommandToIndex(uint32_t id) const; // -1 when absent
    bool SetPaneText(int index, const std::string& text);
    std::string GetPaneText(int index) const; // what the pane shows now
    bool IsPaneOn(int index) const;
    // The pane's rectangle in the bar's client coordinates.
    Rect GetItemRect(int index) const;

    // Asks the route for each indicator's state; panes without a handler keep theirs.
    void UpdatePanes(CmdTarget* target);

private:
    struct PaneInfo {
        uint32_t id = 0;
        std::string text;  // indicator text shown while on
        std::string shown; // what the pane shows
        bool on = true;
    };
    void SetPaneOn(int index, bool on);
    // The toolkit's side: makes the panes of m_panes (indicators sized for their text whether
    // they show it or not, the message pane stretching), and shows a pane's text.
    void MakePanes();
    void ShowPaneText(int index);

    std::vector<PaneInfo> m_panes;
};

} // namespace fw
