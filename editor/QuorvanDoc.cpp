#include "QuorvanDoc.h"

#include "FileMessages.h"
#include "LeftDialogBar.h"
#include "MainFrm.h"
#include "QuorvanView.h"
#include "UserMessage.h"
#include "framework/Application.h"
#include "framework/Archive.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/ListCtrl.h"
#include "framework/Paths.h"
#include "framework/TreeCtrl.h"
#include "orvex/foundation/Timer.h"
#include "orvex/scene/MeshScene.h"

#include <cstdint>
#include <memory>
#include <new>

namespace {

// Frames drawn since the last figure, and when that figure was taken (seconds).
uint32_t g_frameCount = 0;
float g_lastFpsTime = 0.0f;

CMainFrame* MainFrame()
{
    fw::Application* app = fw::Application::Instance();
    return app != nullptr ? dynamic_cast<CMainFrame*>(app->GetMainWnd()) : nullptr;
}

void TellOpenFailed(const std::string& path, const std::string& reason)
{
    fw::Application* app = fw::Application::Instance();
    const std::string caption = app != nullptr ? app->AppName() : std::string("Quorvan");
    ShowUserMessage(caption, "Cannot open the mesh file\n" + NativePath(path) + "\n\n" + reason);
}

} // namespace

FW_IMPLEMENT_DYNCREATE(CQuorvanDoc, fw::Document)

CQuorvanDoc::CQuorvanDoc() = default;

CQuorvanDoc::~CQuorvanDoc()
{
    delete m_scene;
    m_scene = nullptr;
}

void CQuorvanDoc::ResetFrameRateCounter()
{
    g_frameCount = 0;
    g_lastFpsTime = 0.0f;
}

bool CQuorvanDoc::OnNewDocument()
{
    if (!fw::Document::OnNewDocument())
        return false;
    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return false;
    if (fw::TreeCtrl* tree = frame->GetLeftPanel().GetNodeTree())
        tree->DeleteAllItems();
    DestroyScene();
    return true;
}

bool CQuorvanDoc::OnOpenDocument(const std::string& path)
{
    if (!fw::Document::OnOpenDocument(path)) {
        TellOpenFailed(path, DescribeUnreadableFile(path));
        return false;
    }

    DestroyScene();
    if (!CreateScene()) {
        TellOpenFailed(path, "There is not enough memory for the scene.");
        return false;
    }

    // The textures a scene names lie beside it.
    if (!m_scene->LoadInFolder(fw::AbsolutePath(path).c_str())) {
        // A refused scene is only fit to be deleted: never update or draw it.
        const std::string reason = DescribeRefusal(m_scene->GetRefusal());
        DestroyScene();
        TellOpenFailed(path, reason);
        return false;
    }

    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return false;
    LeftDialogBar& panel = frame->GetLeftPanel();

    if (fw::ListCtrl* meshes = panel.GetMeshList()) {
        meshes->DeleteAllItems();
        const Mesh* mesh = m_scene->GetMeshes();
        for (int32_t i = 0; i < m_scene->GetMeshCount(); ++i) {
            meshes->InsertItem(i, FileNameText(mesh[i].GetName()));
        }
    }

    if (fw::TreeCtrl* tree = panel.GetNodeTree()) {
        tree->DeleteAllItems();
        const int32_t count = m_scene->GetNodeCount();
        const SceneNode* nodes = m_scene->GetNodes();
        std::unique_ptr<fw::TreeItem[]> items(new (std::nothrow) fw::TreeItem[count > 0 ? count : 1]);
        if (!items) {
            TellOpenFailed(path, "There is not enough memory for the node tree.");
            return false;
        }
        fw::TreeItem last = nullptr;
        for (int32_t i = 0; i < count; ++i) {
            // The loader has checked that a parent comes before its children.
            const int32_t parent = nodes[i].GetParent();
            fw::TreeItem parentItem = parent >= 0 && parent < i ? items[parent] : nullptr;
            items[i] = tree->InsertItem(FileNameText(nodes[i].GetName()), 0, 0, parentItem);
            last = items[i];
        }
        if (last != nullptr)
            tree->Expand(last);
    }

    if (auto* view = dynamic_cast<CQuorvanView*>(frame->GetActiveView())) {
        view->GetCamera().Reset();
        view->SetFraming(ViewFraming{}); // a framing of the previous scene would not fit this one
    }
    return true;
}

void CQuorvanDoc::OnCloseDocument()
{
    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return;
    if (fw::TreeCtrl* tree = frame->GetLeftPanel().GetNodeTree())
        tree->DeleteAllItems();
    DestroyScene();
    fw::Document::OnCloseDocument();
}

void CQuorvanDoc::Serialize(fw::Archive& archive)
{
    if (archive.IsStoring()) {
        // Nothing is written: the editor has no scene data of its own to store.
    } else {
        // Nothing is read: the scene loads itself from the path.
    }
}

bool CQuorvanDoc::OnCmdMsg(uint32_t id, fw::CmdMsg msg, fw::CmdUI* ui)
{
    if (id == fw::ID_FILE_SAVE || id == fw::ID_FILE_SAVE_AS) {
        if (msg == fw::CmdMsg::Execute)
            OnFileSave();
        return msg != fw::CmdMsg::Update; // handled, and enabled like any handled command
    }
    return fw::Document::OnCmdMsg(id, msg, ui);
}

void CQuorvanDoc::OnFileSave()
{
    if (CMainFrame* frame = MainFrame()) {
        frame->SetMessageText("Quorvan views mesh files and does not write them: nothing was saved.");
    }
}

void CQuorvanDoc::RenderActiveView()
{
    fw::Application* app = fw::Application::Instance();
    fw::FrameWnd* frame = app != nullptr ? app->GetMainWnd() : nullptr;
    if (frame == nullptr)
        return;
    if (auto* view = dynamic_cast<COpenGLView*>(frame->GetActiveView()))
        view->RenderFrame();
}

void CQuorvanDoc::UpdateFps()
{
    const float now = Timer(TimerAbsolute);
    ++g_frameCount;
    if (now - g_lastFpsTime > 1.0f) {
        m_fps = static_cast<float>(g_frameCount) / (now - g_lastFpsTime);
        g_lastFpsTime = now;
        g_frameCount = 0;
    }
}

bool CQuorvanDoc::CreateScene()
{
    m_scene = new (std::nothrow) MeshScene;
    if (m_scene == nullptr)
        return false;
    Timer(TimerStart);
    return true;
}

void CQuorvanDoc::DestroyScene()
{
    Timer(TimerStop);
    if (m_scene != nullptr) {
        delete m_scene;
        m_scene = nullptr;
    }
}
