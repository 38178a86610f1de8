#include "framework/Document.h"

#include "framework/Application.h"
#include "framework/Archive.h"
#include "framework/CommandIds.h"
#include "framework/CommonDialogs.h"
#include "framework/DocTemplate.h"
#include "framework/FrameWnd.h"
#include "framework/Paths.h"
#include "framework/System.h"
#include "framework/View.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fw {
namespace {

namespace fs = std::filesystem;

std::FILE* OpenFile(const std::string& path, const char* mode)
{
#ifdef _WIN32
    const std::wstring wide = PathFromUtf8(path).wstring();
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(wide.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

bool IsWritableFile(const std::string& path)
{
    std::FILE* file = OpenFile(path, "r+b");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

} // namespace

FW_IMPLEMENT_DYNAMIC(Document, CmdTarget)

Document::Document()
{
    OnCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { DoSave(std::string(), true); });
}

Document::~Document()
{
    for (View* view : m_views)
        view->m_document = nullptr;
}

bool Document::OnNewDocument()
{
    DeleteContents();
    m_pathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool Document::OnOpenDocument(const std::string& path)
{
    std::error_code error;
    if (fs::is_directory(PathFromUtf8(path), error)) {
        Trace("Failed to open document " + path + "\n");
        return false;
    }
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        Trace("Failed to open document " + path + "\n");
        return false;
    }
    DeleteContents();
    SetModifiedFlag(true); // dirty while it is being read
    Archive archive(file, Archive::Mode::Load);
    Serialize(archive);
    std::fclose(file);
    SetModifiedFlag(false);
    return true;
}

bool Document::OnSaveDocument(const std::string& path)
{
    // Stored beside the file first; the file is replaced only by what was written in full.
    const fs::path target = PathFromUtf8(path);
    fs::path temporary = target;
    temporary += ".saving";
    const std::string temporaryName = Utf8FromPath(temporary);
    std::FILE* file = OpenFile(temporaryName, "wb");
    if (file == nullptr) {
        Trace("Failed to save document " + path + "\n");
        return false;
    }
    Archive archive(file, Archive::Mode::Store);
    Serialize(archive);
    const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
    std::fclose(file);
    std::error_code error;
    if (archive.BytesWritten() == 0) {
        fs::remove(temporary, error); // nothing to store: keep the file as it is
    } else if (!flushed || (fs::rename(temporary, target, error), error)) {
        fs::remove(temporary, error);
        Trace("Failed to save document " + path + "\n");
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void Document::OnCloseDocument()
{
    if (m_closing)
        return;
    m_closing = true;
    std::vector<WndRef<FrameWnd>> frames;
    for (View* view : m_views) {
        if (FrameWnd* frame = view->GetParentFrame())
            frames.emplace_back(frame);
    }
    for (const WndRef<FrameWnd>& frame : frames) {
        if (frame)
            frame->DestroyWindow();
    }
    DeleteContents();
    m_closing = false;
}

void Document::DeleteContents() {}

void Document::Serialize(Archive&) {}

bool Document::SaveModified()
{
    if (!IsModified())
        return true;
    const std::string name = m_title.empty() ? Utf8FromPath(PathFromUtf8(m_pathName).filename()) : m_title;
    Application* app = Application::Instance();
    const int answer =
        ShowMessage(app != nullptr ? app->GetMainWnd() : nullptr, "Save changes to " + name + "?",
                    app != nullptr ? app->AppName() : std::string(), MsgBox::YesNoCancel | MsgBox::IconQuestion);
    if (answer == IdCancel)
        return false;
    if (answer == IdYes)
        return DoFileSave();
    return true;
}

bool Document::DoFileSave()
{
    std::error_code error;
    const bool exists = !m_pathName.empty() && fs::exists(PathFromUtf8(m_pathName), error);
    if (m_pathName.empty() || (exists && !IsWritableFile(m_pathName)))
        return DoSave(std::string(), true);
    return DoSave(m_pathName, true);
}

bool Document::DoSave(const std::string& path, bool replace)
{
    std::string name = path;
    if (name.empty()) {
        std::string filterName;
        std::string extension;
        if (m_template != nullptr) {
            m_template->GetDocString(filterName, SingleDocTemplate::FilterName);
            m_template->GetDocString(extension, SingleDocTemplate::FilterExt);
        }
        std::string proposal = m_pathName.empty() ? m_title : m_pathName;
        if (!proposal.empty() && !PathFromUtf8(proposal).has_extension())
            proposal += extension;
        std::string filter;
        if (!filterName.empty() && !extension.empty())
            filter = filterName + "|*" + extension + "|";
        filter += "All Files (*.*)|*.*||";
        Application* app = Application::Instance();
        FileDialog dialog(false, extension, proposal, filter, app != nullptr ? app->GetMainWnd() : nullptr);
        dialog.SetTitle("Save As");
        if (dialog.DoModal() != IdOk)
            return false;
        name = dialog.GetPathName();
        if (name.empty())
            return false;
        if (!PathFromUtf8(name).has_extension())
            name += extension;
    }
    if (!OnSaveDocument(name))
        return false;
    // A document that stores nothing leaves no file behind to rename itself after.
    std::error_code error;
    if (replace && fs::exists(PathFromUtf8(name), error))
        SetPathName(name);
    return true;
}

void Document::SetTitle(const std::string& title)
{
    m_title = title;
    UpdateFrameTitles();
}

void Document::SetPathName(const std::string& path, bool addToRecentFiles)
{
    m_pathName = AbsolutePath(path);
    SetTitle(Utf8FromPath(PathFromUtf8(m_pathName).filename()));
    if (addToRecentFiles) {
        if (Application* app = Application::Instance())
            app->AddToRecentFileList(m_pathName);
    }
}

void Document::AddView(View* view)
{
    if (view == nullptr || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    if (view->m_document != nullptr && view->m_document != this)
        view->m_document->RemoveView(view);
    m_views.push_back(view);
    view->m_document = this;
}

void Document::RemoveView(View* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    if (view != nullptr && view->m_document == this)
        view->m_document = nullptr;
}

void Document::UpdateFrameTitles()
{
    for (View* view : m_views) {
        if (FrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle();
    }
}

} // namespace fw
