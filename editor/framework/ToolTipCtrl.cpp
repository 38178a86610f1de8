#include "framework/ToolTipCtrl.h"

#include "framework/Wnd.h"

namespace fw {

bool ToolTipCtrl::Create(Wnd* owner)
{
    if (owner == nullptr || !owner->IsWindow())
        return false;
    m_owner = owner;
    return Attach();
}

bool ToolTipCtrl::AddTool(const std::string& text, const Rect& rect, uint32_t id)
{
    if (m_owner == nullptr || rect.IsEmpty())
        return false;
    m_tools.push_back({text, rect, id});
    return true;
}

void ToolTipCtrl::DelTools()
{
    m_tools.clear();
}

int ToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(m_tools.size());
}

std::string ToolTipCtrl::TextAt(Point clientPoint) const
{
    for (const Tool& tool : m_tools) {
        if (tool.rect.Contains(clientPoint))
            return tool.text;
    }
    return std::string();
}

} // namespace fw
