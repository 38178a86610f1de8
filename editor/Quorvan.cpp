#include "Quorvan.h"

#include "EditorPlatform.h"
#include "MainFrm.h"
#include "MaterialDialog.h"
#include "QuorvanDoc.h"
#include "QuorvanView.h"
#include "Resource.h"
#include "framework/CommandIds.h"
#include "framework/Dialog.h"
#include "framework/DocTemplate.h"

CQuorvanApp::CQuorvanApp()
{
    RegisterQuorvanResources();
    InstallEditorPlatform();
    OnCommand(fw::ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_TOOLS_MATERIALEDITOR, [this] { OnToolsMaterialEditor(); });
    OnCommand(fw::ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(fw::ID_FILE_OPEN, [this] { OnFileOpen(); });
}

CQuorvanApp* QuorvanApp()
{
    return dynamic_cast<CQuorvanApp*>(fw::Application::Instance());
}

bool CQuorvanApp::InitInstance()
{
    // The toolkits draw standard controls in 3-D already; there is nothing to switch on.
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    AddDocTemplate(std::make_unique<fw::SingleDocTemplate>(
        IDR_MAINFRAME, FW_RUNTIME_CLASS(CQuorvanDoc), FW_RUNTIME_CLASS(CMainFrame), FW_RUNTIME_CLASS(CQuorvanView)));

    fw::CommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return false;

    auto* frame = dynamic_cast<CMainFrame*>(GetMainWnd());
    if (frame == nullptr)
        return false;
    // Where the user left the window and its bars; the first start shows the frame's own layout.
    if (frame->LoadBarState(CMainFrame::LayoutSection())) {
        frame->ShowWindow(fw::ShowCmd::Show); // as it was, maximised included
    } else {
        frame->ShowWindow(fw::ShowCmd::Normal);
    }
    frame->Invalidate();
    return true;
}

bool CQuorvanApp::OnIdle(long count)
{
    fw::FrameWnd* frame = GetMainWnd();
    if (frame != nullptr && frame->IsIconic())
        return false; // idle until the next message
    if (fw::Application::OnIdle(count))
        return true;
    if (frame != nullptr) {
        if (auto* document = dynamic_cast<CQuorvanDoc*>(frame->GetActiveDocument()))
            document->RenderActiveView();
    }
    return true;
}

void CQuorvanApp::OnAppAbout()
{
    fw::Dialog about(IDD_ABOUTBOX);
    about.DoModal();
}

void CQuorvanApp::OnToolsMaterialEditor()
{
    MaterialDialog dialog(nullptr);
    dialog.DoModal();
}
