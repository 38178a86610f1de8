#include "framework/View.h"

#include "framework/Document.h"

namespace fw {

FW_IMPLEMENT_DYNAMIC(View, Wnd)

View::View() = default;

View::~View()
{
    if (m_document)
        m_document->RemoveView(this);
}

void View::OnInitialUpdate()
{
    Invalidate();
}

void View::OnDraw(DC&) {}

void View::OnPaint(DC& dc)
{
    OnDraw(dc);
}

void View::PostNcDestroy()
{
    delete this;
}

bool View::OnCmdMsg(uint32_t id, CmdMsg msg, CmdUI* ui)
{
    if (DispatchOwn(id, msg, ui))
        return true;
    return m_document && m_document->OnCmdMsg(id, msg, ui);
}

} // namespace fw
