#pragma once
// Tooltips of a window that paints its own parts: one tool per rectangle of the window's client
// area, each with its text, shown while the pointer rests over it.
#include "framework/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class Wnd;

class ToolTipCtrl {
public:
    struct Impl;

    ToolTipCtrl();
    ~ToolTipCtrl();
    ToolTipCtrl(const ToolTipCtrl&) = delete;
    ToolTipCtrl& operator=(const ToolTipCtrl&) = delete;

    // Tooltips for owner's client area; false when owner has no window.
    bool Create(Wnd* owner);
    bool AddTool(const std::string& text, const Rect& rect, uint32_t id);
    void DelTools();
    int GetToolCount() const;
    // The text of the tool under a client point; empty for none.
    std::string TextAt(Point clientPoint) const;

private:
    struct Tool {
        std::string text;
        Rect rect;
        uint32_t id = 0;
    };
    // The toolkit's side: starts showing tips over m_owner.
    bool Attach();

    std::unique_ptr<Impl> m_impl;
    Wnd* m_owner = nullptr;
    std::vector<Tool> m_tools;
};

} // namespace fw
