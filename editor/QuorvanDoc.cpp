#include "QuorvanDoc.h"

#include "QuorvanView.h"
#include "framework/Application.h"
#include "framework/FrameWnd.h"

CQuorvanDoc::CQuorvanDoc() = default;

void CQuorvanDoc::RenderActiveView() {
    fw::Application* app = fw::Application::Instance();
    fw::FrameWnd* frame = app != nullptr ? app->GetMainWnd() : nullptr;
    if (frame == nullptr) return;
    if (auto* view = qobject_cast<CQuorvanView*>(frame->GetActiveView())) view->RenderFrame();
}
