#include "Quorvan.h"

#include "MainFrm.h"
#include "MaterialDialog.h"
#include "QtPlatform.h"
#include "QuorvanDoc.h"
#include "QuorvanView.h"
#include "Resource.h"
#include "framework/CommandIds.h"
#include "framework/Dialog.h"
#include "framework/DocTemplate.h"

#include <QCoreApplication>

CQuorvanApp::CQuorvanApp()
{
    RegisterQuorvanResources();
    InstallQtPlatform();
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kProductVersion));
    OnCommand(fw::ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_TOOLS_MATERIALEDITOR, [this] { OnToolsMaterialEditor(); });
    OnCommand(fw::ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(fw::ID_FILE_OPEN, [this] { OnFileOpen(); });
}

CQuorvanApp* QuorvanApp()
{
    return qobject_cast<CQuorvanApp*>(fw::Application::Instance());
}

bool CQuorvanApp::InitInstance()
{
    // Qt's styles already draw standard controls in 3-D; there is nothing to switch on.
    SetRegistryKey(QStringLiteral("Local AppWizard-Generated Applications"));
    LoadStdProfileSettings(4);

    AddDocTemplate(std::make_unique<fw::SingleDocTemplate>(
        IDR_MAINFRAME, &CQuorvanDoc::staticMetaObject, &CMainFrame::staticMetaObject, &CQuorvanView::staticMetaObject));

    fw::CommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return false;

    auto* frame = qobject_cast<CMainFrame*>(GetMainWnd());
    if (frame == nullptr)
        return false;
    // Where the user left the window and its bars; the first start shows the frame's own layout.
    if (frame->LoadBarState(CMainFrame::LayoutSection())) {
        frame->show(); // as it was, maximised included
    } else {
        frame->showNormal();
    }
    frame->update();
    return true;
}

bool CQuorvanApp::OnIdle(long count)
{
    fw::FrameWnd* frame = GetMainWnd();
    if (frame != nullptr && frame->isMinimized())
        return false; // idle until the next message
    if (fw::Application::OnIdle(count))
        return true;
    if (frame != nullptr) {
        if (auto* document = qobject_cast<CQuorvanDoc*>(frame->GetActiveDocument()))
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
