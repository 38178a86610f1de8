#pragma once
// Status bar of panes: a stretching message pane for prompts and "Ready", and indicator panes
// that show their text (from the string table) only while their command state is enabled.
#include "framework/ControlBar.h"

#include <QStatusBar>

#include <vector>

class QLabel;

namespace fw {

class CmdTarget;
class FrameWnd;

class StatusBar : public QStatusBar, public ControlBar {
    Q_OBJECT
public:
    StatusBar();

    bool Create(FrameWnd* parent, uint32_t style, uint32_t id);
    // One pane per id: ID_SEPARATOR gives the message pane, any other id an indicator whose
    // text is the string of that id. False when a string is missing.
    bool SetIndicators(const uint32_t* ids, int count);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    uint32_t GetItemID(int index) const;
    int CommandToIndex(uint32_t id) const; // -1 when absent
    bool SetPaneText(int index, const QString& text);
    QString GetPaneText(int index) const; // what the pane shows now
    bool IsPaneOn(int index) const;
    QLabel* Pane(int index) const;

    // Asks the route for each indicator's state; panes without a handler keep theirs.
    void UpdatePanes(CmdTarget* target);

    uint32_t GetBarStyle() const override { return m_barStyle; }
    void SetBarStyle(uint32_t style) override { m_barStyle = style; }
    uint32_t GetDlgCtrlID() const override { return m_id; }

private:
    struct PaneInfo {
        uint32_t id = 0;
        QString text; // indicator text shown while on
        bool on = true;
        QLabel* label = nullptr;
    };
    void SetPaneOn(int index, bool on);

    uint32_t m_barStyle = 0;
    uint32_t m_id = 0;
    bool m_created = false;
    std::vector<PaneInfo> m_panes;
};

} // namespace fw
