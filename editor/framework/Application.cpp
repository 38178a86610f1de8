// The application object's work that needs no toolkit: the profile, recent files, the command
// line and the framework's commands. The message loop is the toolkit's.
#include "framework/Application.h"

#include "framework/CommandIds.h"
#include "framework/CommonDialogs.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "framework/Resources.h"

namespace fw {
namespace {

Application* g_application = nullptr;

} // namespace

Application* Application::Instance()
{
    return g_application;
}

void Application::ConstructCommon()
{
    g_application = this;
    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, [this](uint32_t id) { OnOpenRecentFile(id); });
    OnUpdateCommandUI(ID_FILE_MRU_FILE1, [this](CmdUI& ui) { OnUpdateRecentFileMenu(ui); });
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

void Application::DestructCommon()
{
    if (FrameWnd* frame = GetMainWnd())
        frame->DestroyWindow();
    m_template.reset();
    if (g_application == this)
        g_application = nullptr;
}

FrameWnd* Application::GetMainWnd() const
{
    return m_mainWnd;
}

void Application::SetMainWnd(FrameWnd* frame)
{
    m_mainWnd = frame;
}

bool Application::InitInstance()
{
    return true;
}

int Application::ExitInstance()
{
    SaveStdProfileSettings();
    return 0;
}

bool Application::OnIdle(long count)
{
    if (count <= 0) {
        if (FrameWnd* frame = m_mainWnd)
            frame->UpdateCommandUI();
        return true;
    }
    return false;
}

bool Application::RunIdle()
{
    return OnIdle(m_idleCount++);
}

std::string Application::AppName() const
{
    if (!m_appName.empty())
        return m_appName;
    return ResourceTable::Instance().String(IDS_APP_TITLE).value_or(std::string());
}

void Application::SetRegistryKey(const std::string& key)
{
    m_registryKey = key;
    m_profile.reset();
}

Profile& Application::GetProfile() const
{
    if (!m_profile)
        m_profile = std::make_unique<Profile>(m_registryKey, AppName());
    return *m_profile;
}

void Application::LoadStdProfileSettings(int maxFiles)
{
    m_recentFiles = std::make_unique<RecentFileList>(ID_FILE_MRU_FILE1, "Recent File List", "File%d", maxFiles);
    if (maxFiles > 0)
        m_recentFiles->ReadList(GetProfile());
}

void Application::SaveStdProfileSettings() const
{
    if (m_recentFiles && m_recentFiles->GetSize() > 0)
        m_recentFiles->WriteList(GetProfile());
}

void Application::AddToRecentFileList(const std::string& path)
{
    if (!m_recentFiles)
        return;
    m_recentFiles->Add(path);
    SaveStdProfileSettings(); // kept at once, so a crash does not lose it
}

void Application::AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate)
{
    m_template = std::move(docTemplate);
}

void Application::ParseCommandLine(CommandLineInfo& info) const
{
    info = CommandLineInfo();
    if (!m_arguments.empty()) {
        info.shell = CommandLineInfo::Shell::FileOpen;
        info.fileName = m_arguments.front();
    }
}

bool Application::ProcessShellCommand(const CommandLineInfo& info)
{
    switch (info.shell) {
    case CommandLineInfo::Shell::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CmdMsg::Execute, nullptr))
            OnFileNew();
        return GetMainWnd() != nullptr;
    case CommandLineInfo::Shell::FileOpen:
        return OpenDocumentFile(info.fileName) != nullptr;
    }
    return false;
}

Document* Application::OpenDocumentFile(const std::string& path)
{
    return m_template ? m_template->OpenDocumentFile(path) : nullptr;
}

void Application::OnFileNew()
{
    if (m_template)
        m_template->OpenDocumentFile(std::string());
}

void Application::OnFileOpen()
{
    std::string filterName;
    std::string extension;
    if (m_template) {
        m_template->GetDocString(filterName, SingleDocTemplate::FilterName);
        m_template->GetDocString(extension, SingleDocTemplate::FilterExt);
    }
    std::string filter;
    if (!filterName.empty() && !extension.empty())
        filter = filterName + "|*" + extension + "|";
    filter += "All Files (*.*)|*.*||";
    FileDialog dialog(true, std::string(), std::string(), filter, GetMainWnd());
    dialog.SetTitle("Open");
    if (dialog.DoModal() == IdOk && !dialog.GetPathName().empty())
        OpenDocumentFile(dialog.GetPathName());
}

bool Application::OnOpenRecentFile(uint32_t id)
{
    if (!m_recentFiles)
        return false;
    const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
    const std::string path = (*m_recentFiles)[index];
    if (path.empty())
        return false;
    if (OpenDocumentFile(path) != nullptr)
        return true;
    // A file that no longer opens leaves the list.
    m_recentFiles->Remove(index);
    SaveStdProfileSettings();
    return false;
}

void Application::OnUpdateRecentFileMenu(CmdUI& ui)
{
    if (!m_recentFiles) {
        ui.Enable(false);
        return;
    }
    m_recentFiles->UpdateMenu(ui);
}

void Application::OnAppExit()
{
    if (FrameWnd* frame = GetMainWnd())
        frame->Close();
}

} // namespace fw
