// What the common controls do without their toolkit: runtime classes and the label-edit
// decisions.
#include "framework/ListCtrl.h"
#include "framework/TabCtrl.h"
#include "framework/TreeCtrl.h"

namespace fw {

FW_IMPLEMENT_DYNAMIC(ListCtrl, Wnd)
FW_IMPLEMENT_DYNAMIC(TreeCtrl, Wnd)
FW_IMPLEMENT_DYNAMIC(TabCtrl, Wnd)

void ListCtrl::SetEndLabelEditHandler(std::function<bool(int, const std::string&)> handler)
{
    m_endLabelEdit = std::move(handler);
}

bool ListCtrl::EndLabelEdit(int row, const std::string& text) const
{
    return m_endLabelEdit ? m_endLabelEdit(row, text) : false;
}

void TreeCtrl::SetEndLabelEditHandler(std::function<bool(TreeItem, const std::string&)> handler)
{
    m_endLabelEdit = std::move(handler);
}

bool TreeCtrl::EndLabelEdit(TreeItem item, const std::string& text) const
{
    return m_endLabelEdit && item != nullptr ? m_endLabelEdit(item, text) : false;
}

} // namespace fw
