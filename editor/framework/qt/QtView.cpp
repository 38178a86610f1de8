#include "framework/View.h"

#include "framework/Document.h"

namespace fw {

View::View() = default;

View::~View()
{
    if (m_document)
        m_document->RemoveView(this);
}

int View::OnCreate()
{
    return 0;
}

void View::OnInitialUpdate()
{
    update();
}

bool View::OnCmdMsg(uint32_t id, CmdMsg msg, CmdUI* ui)
{
    if (DispatchOwn(id, msg, ui))
        return true;
    return m_document && m_document->OnCmdMsg(id, msg, ui);
}

} // namespace fw
