#pragma once
// Tab control: a strip of tabs over (or under) a framed display area. The pages are separate
// windows that the owner shows and hides when the selection changes.
#include "framework/Wnd.h"

#include <cstdint>
#include <functional>
#include <string>

namespace fw {

class TabCtrl : public Wnd {
    FW_DECLARE_DYNAMIC(TabCtrl)
public:
    TabCtrl();
    ~TabCtrl() override;

    // style: CtlStyle bits (TabsBottom, HotTrack, RaggedRight, ToolTips, TabStop); rect in
    // the parent's client coordinates.
    bool Create(uint32_t style, const Rect& rect, Wnd* parent, uint32_t id);
    uint32_t Style() const { return m_style; }

    // Inserts a text-only tab at position (clamped); returns its index.
    int InsertItem(int position, const std::string& text);
    int GetItemCount() const;
    std::string GetItemText(int index) const;
    int GetCurSel() const;    // -1 without tabs
    int SetCurSel(int index); // returns the previous selection; sends no notification
    // Where tab index is, in this control's client coordinates.
    Rect GetItemRect(int index) const;

    // Called when the user changes the selection (mouse or keyboard), not when code does.
    void SetSelChangeHandler(std::function<void()> handler) { m_selChange = std::move(handler); }
    void OnSelChange()
    {
        if (m_selChange)
            m_selChange();
    }

private:
    uint32_t m_style = 0;
    std::function<void()> m_selChange;
};

} // namespace fw
