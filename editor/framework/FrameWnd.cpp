// The frame's command route, bars, views, titles and closing; its window, menus and docking are
// the toolkit's.
#include "framework/FrameWnd.h"

#include "framework/Application.h"
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/ControlBar.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/KeyLocks.h"
#include "framework/Paths.h"
#include "framework/Resources.h"
#include "framework/StatusBar.h"
#include "framework/System.h"
#include "framework/View.h"

#include <algorithm>
#include <cctype>

namespace fw {

FW_IMPLEMENT_DYNAMIC(FrameWnd, Wnd)

void FrameWnd::ConstructCommon()
{
    OnCommandEx(ID_VIEW_TOOLBAR, [this](uint32_t id) { return OnBarCheck(id); });
    OnUpdateCommandUI(ID_VIEW_TOOLBAR, [this](CmdUI& ui) { OnUpdateControlBarMenu(ui); });
    OnCommandEx(ID_VIEW_STATUS_BAR, [this](uint32_t id) { return OnBarCheck(id); });
    OnUpdateCommandUI(ID_VIEW_STATUS_BAR, [this](CmdUI& ui) { OnUpdateControlBarMenu(ui); });
    // Lock-key indicators light while their key is toggled on.
    OnUpdateCommandUI(ID_INDICATOR_CAPS, [](CmdUI& ui) { ui.Enable(QueryKeyLocks().capsLock); });
    OnUpdateCommandUI(ID_INDICATOR_NUM, [](CmdUI& ui) { ui.Enable(QueryKeyLocks().numLock); });
    OnUpdateCommandUI(ID_INDICATOR_SCRL, [](CmdUI& ui) { ui.Enable(QueryKeyLocks().scrollLock); });
}

void FrameWnd::SetActiveView(View* view)
{
    m_activeView = view;
}

Document* FrameWnd::GetActiveDocument() const
{
    View* view = m_activeView;
    return view != nullptr ? view->GetDocument() : nullptr;
}

bool FrameWnd::PreCreateWindow(CreateStruct&)
{
    return true;
}

int FrameWnd::OnCreate()
{
    return OnCreateClient(m_createContext) ? 0 : -1;
}

bool FrameWnd::OnCreateClient(CreateContext* context)
{
    if (context == nullptr || context->viewClass == nullptr)
        return true;
    CmdTarget* object = context->viewClass->CreateObject();
    auto* view = dynamic_cast<View*>(object);
    if (view == nullptr) {
        delete object;
        Trace("Failed to create view\n");
        return false;
    }
    // A view whose window was made goes with it (PostNcDestroy); the view is the document's
    // before it is made, so its OnCreate finds its document.
    if (context->document != nullptr)
        context->document->AddView(view);
    if (!view->Create(this, IDW_PANE_FIRST)) {
        if (view->IsWindow())
            view->DestroyWindow();
        else
            delete view;
        Trace("Failed to create view\n");
        return false;
    }
    SetActiveView(view);
    return true;
}

void FrameWnd::InitialUpdateFrame(Document*)
{
    if (View* view = m_activeView)
        view->OnInitialUpdate();
    OnUpdateFrameTitle();
}

void FrameWnd::OnUpdateFrameTitle()
{
    const Document* document = GetActiveDocument();
    if (document == nullptr || document->GetTitle().empty()) {
        SetText(m_title);
    } else {
        SetText(document->GetTitle() + " - " + m_title);
    }
}

void FrameWnd::AddControlBar(ControlBar* bar)
{
    if (bar != nullptr)
        m_controlBars[bar->GetDlgCtrlID()] = bar;
}

void FrameWnd::RemoveControlBar(ControlBar* bar)
{
    for (auto it = m_controlBars.begin(); it != m_controlBars.end();) {
        if (it->second == bar) {
            it = m_controlBars.erase(it);
        } else {
            ++it;
        }
    }
}

ControlBar* FrameWnd::GetControlBar(uint32_t id) const
{
    auto it = m_controlBars.find(id);
    return it == m_controlBars.end() ? nullptr : it->second;
}

std::vector<std::string> FrameWnd::DroppableFiles(const std::vector<std::string>& paths) const
{
    std::vector<std::string> taken;
    const Application* app = Application::Instance();
    const SingleDocTemplate* docTemplate = app != nullptr ? app->GetDocTemplate() : nullptr;
    if (docTemplate == nullptr)
        return taken;
    std::string extension;
    docTemplate->GetDocString(extension, SingleDocTemplate::FilterExt);
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    for (const std::string& path : paths) {
        if (extension.empty() || (path.size() >= extension.size() &&
                                  lower(path.substr(path.size() - extension.size())) == lower(extension))) {
            taken.push_back(path);
        }
    }
    return taken;
}

void FrameWnd::OnDropFiles(const std::vector<std::string>& paths)
{
    Application* app = Application::Instance();
    if (app != nullptr && !paths.empty())
        app->OpenDocumentFile(paths.front());
}

StatusBar* FrameWnd::GetMessageBar() const
{
    return dynamic_cast<StatusBar*>(GetControlBar(IDW_STATUS_BAR));
}

void FrameWnd::SetMessageText(const std::string& text)
{
    if (StatusBar* bar = GetMessageBar()) {
        const int pane = bar->CommandToIndex(ID_SEPARATOR);
        if (pane >= 0)
            bar->SetPaneText(pane, text);
    }
}

void FrameWnd::SetMessageText(uint32_t stringId)
{
    SetMessageText(ResourceTable::Instance().String(stringId).value_or(std::string()));
}

std::string FrameWnd::GetMessageText() const
{
    const StatusBar* bar = GetMessageBar();
    return bar != nullptr ? bar->GetPaneText(bar->CommandToIndex(ID_SEPARATOR)) : std::string();
}

bool FrameWnd::SendCommand(uint32_t id)
{
    CmdUI state(id);
    state.DoUpdate(this, true);
    if (!state.IsEnabled())
        return false;
    WndRef<FrameWnd> alive(this);
    const bool handled = OnCmdMsg(id, CmdMsg::Execute, nullptr);
    if (FrameWnd* frame = alive; frame != nullptr && frame->IsWindow())
        frame->UpdateCommandUI();
    return handled;
}

bool FrameWnd::OnCmdMsg(uint32_t id, CmdMsg msg, CmdUI* ui)
{
    if (View* view = m_activeView; view != nullptr && view->OnCmdMsg(id, msg, ui))
        return true;
    if (DispatchOwn(id, msg, ui))
        return true;
    Application* app = Application::Instance();
    return app != nullptr && app->OnCmdMsg(id, msg, ui);
}

bool FrameWnd::OnBarCheck(uint32_t id)
{
    ControlBar* bar = GetControlBar(id);
    if (bar == nullptr)
        return false;
    ShowControlBar(bar, (bar->GetStyle() & WinStyle::Visible) == 0, false);
    return true;
}

void FrameWnd::OnUpdateControlBarMenu(CmdUI& ui)
{
    ControlBar* bar = GetControlBar(ui.Id());
    if (bar == nullptr) {
        ui.ContinueRouting();
        return;
    }
    ui.Enable(true);
    ui.SetCheck((bar->GetStyle() & WinStyle::Visible) != 0 ? 1 : 0);
}

void FrameWnd::Close()
{
    OnClose();
}

void FrameWnd::OnClose()
{
    Document* document = GetActiveDocument();
    if (document != nullptr && !document->SaveModified())
        return;
    if (m_closing)
        return;
    m_closing = true;
    // The document's close step runs while the frame and its bars still exist; it destroys
    // the frames that show it.
    WndRef<FrameWnd> alive(this);
    if (document != nullptr)
        document->OnCloseDocument();
    if (FrameWnd* frame = alive; frame != nullptr && frame->IsWindow())
        frame->DestroyWindow();
}

void FrameWnd::PostNcDestroy()
{
    delete this;
}

} // namespace fw
