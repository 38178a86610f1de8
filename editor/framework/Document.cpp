#include "framework/Document.h"

#include "framework/Application.h"
#include "framework/Archive.h"
#include "framework/CommandIds.h"
#include "framework/DocTemplate.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"

#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QSaveFile>

#include <algorithm>

namespace fw {

Document::Document()
{
    OnCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { DoSave(QString(), true); });
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

bool Document::OnOpenDocument(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "Failed to open document" << path;
        return false;
    }
    DeleteContents();
    SetModifiedFlag(true); // dirty while it is being read
    Archive archive(&file, Archive::Mode::Load);
    Serialize(archive);
    file.close();
    SetModifiedFlag(false);
    return true;
}

bool Document::OnSaveDocument(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qDebug() << "Failed to save document" << path;
        return false;
    }
    Archive archive(&file, Archive::Mode::Store);
    Serialize(archive);
    if (archive.BytesWritten() == 0) {
        file.cancelWriting(); // nothing to store: keep the file as it is
    } else if (!file.commit()) {
        qDebug() << "Failed to save document" << path;
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
    std::vector<QPointer<FrameWnd>> frames;
    for (View* view : m_views) {
        if (auto* frame = qobject_cast<FrameWnd*>(view->window()))
            frames.emplace_back(frame);
    }
    for (const QPointer<FrameWnd>& frame : frames) {
        if (frame)
            frame->close();
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
    const QString name = m_title.isEmpty() ? QFileInfo(m_pathName).fileName() : m_title;
    const auto answer = QMessageBox::question(
        nullptr, Application::Instance() ? Application::Instance()->AppName() : QString(),
        QStringLiteral("Save changes to %1?").arg(name), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes)
        return DoFileSave();
    return true;
}

bool Document::DoFileSave()
{
    const QFileInfo info(m_pathName);
    if (m_pathName.isEmpty() || (info.exists() && !info.isWritable()))
        return DoSave(QString(), true);
    return DoSave(m_pathName, true);
}

bool Document::DoSave(const QString& path, bool replace)
{
    QString name = path;
    if (name.isEmpty()) {
        QString filter;
        QString extension;
        if (m_template != nullptr) {
            m_template->GetDocString(filter, SingleDocTemplate::FilterName);
            m_template->GetDocString(extension, SingleDocTemplate::FilterExt);
        }
        QString proposal = m_pathName.isEmpty() ? m_title : m_pathName;
        if (!proposal.isEmpty() && QFileInfo(proposal).suffix().isEmpty())
            proposal += extension;
        Application* app = Application::Instance();
        name = QFileDialog::getSaveFileName(app != nullptr ? app->GetMainWnd() : nullptr, QStringLiteral("Save As"),
                                            proposal, filter);
        if (name.isEmpty())
            return false;
        if (QFileInfo(name).suffix().isEmpty())
            name += extension;
    }
    if (!OnSaveDocument(name))
        return false;
    // A document that stores nothing leaves no file behind to rename itself after.
    if (replace && QFileInfo::exists(name))
        SetPathName(name);
    return true;
}

void Document::SetTitle(const QString& title)
{
    m_title = title;
    UpdateFrameTitles();
}

void Document::SetPathName(const QString& path, bool addToRecentFiles)
{
    const QFileInfo info(path);
    m_pathName = info.absoluteFilePath();
    SetTitle(info.fileName());
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
        if (auto* frame = qobject_cast<FrameWnd*>(view->window()))
            frame->OnUpdateFrameTitle();
    }
}

} // namespace fw
