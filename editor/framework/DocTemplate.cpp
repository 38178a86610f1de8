#include "framework/DocTemplate.h"

#include "framework/Application.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/Resources.h"

#include <QDebug>
#include <QFileInfo>
#include <QMetaObject>

namespace fw {

SingleDocTemplate::SingleDocTemplate(uint32_t resourceId, const QMetaObject* documentClass,
                                     const QMetaObject* frameClass, const QMetaObject* viewClass)
    : m_resourceId(resourceId), m_documentClass(documentClass), m_frameClass(frameClass), m_viewClass(viewClass)
{
}

SingleDocTemplate::~SingleDocTemplate()
{
    // Views point at the document; let the frame go first.
    delete m_frame.data();
}

bool SingleDocTemplate::GetDocString(QString& out, DocStringIndex index) const
{
    const std::optional<QString> text = ResourceTable::Instance().String(m_resourceId);
    out = text ? StringField(*text, index) : QString();
    return text.has_value();
}

void SingleDocTemplate::SetDefaultTitle(Document* document) const
{
    QString title;
    if (!GetDocString(title, DocName) || title.isEmpty())
        GetDocString(title, FileNewName);
    if (title.isEmpty())
        title = QStringLiteral("Untitled");
    document->SetTitle(title);
}

Document* SingleDocTemplate::CreateNewDocument()
{
    QObject* object = m_documentClass != nullptr ? m_documentClass->newInstance() : nullptr;
    auto* document = qobject_cast<Document*>(object);
    if (document == nullptr) {
        delete object;
        qDebug("Failed to create document\n");
        return nullptr;
    }
    document->SetDocTemplate(this);
    m_document.reset(document);
    return document;
}

FrameWnd* SingleDocTemplate::CreateNewFrame(Document* document)
{
    QObject* object = m_frameClass != nullptr ? m_frameClass->newInstance() : nullptr;
    auto* frame = qobject_cast<FrameWnd*>(object);
    if (frame == nullptr) {
        delete object;
        qDebug("Failed to create frame\n");
        return nullptr;
    }
    CreateContext context{m_viewClass, document, this};
    if (!frame->LoadFrame(m_resourceId, &context)) {
        qDebug("Failed to create frame\n");
        delete frame;
        return nullptr;
    }
    return frame;
}

Document* SingleDocTemplate::OpenDocumentFile(const QString& requested)
{
    // Resolved once, up front, against the working folder the request was made in.
    const QString path = requested.isEmpty() ? QString() : QFileInfo(requested).absoluteFilePath();
    Application* app = Application::Instance();
    Document* document = m_document.get();
    bool created = false;
    if (document != nullptr) {
        if (!document->SaveModified())
            return nullptr;
    } else {
        document = CreateNewDocument();
        if (document == nullptr)
            return nullptr;
        created = true;
    }

    FrameWnd* frame = m_frame;
    const bool frameCreated = frame == nullptr;
    if (frameCreated) {
        frame = CreateNewFrame(document);
        if (frame == nullptr) {
            if (created)
                m_document.reset();
            return nullptr;
        }
        m_frame = frame;
        // The document's steps reach the frame through the application, so it must be known
        // before the first of them runs.
        if (app != nullptr && app->GetMainWnd() == nullptr)
            app->SetMainWnd(frame);
    }

    auto discardFrame = [&] {
        if (!frameCreated)
            return;
        delete frame;
        if (created)
            m_document.reset();
    };

    if (path.isEmpty()) {
        SetDefaultTitle(document);
        if (!document->OnNewDocument()) {
            qDebug("Document::OnNewDocument returned false\n");
            discardFrame();
            return nullptr;
        }
    } else {
        const bool wasModified = document->IsModified();
        document->SetModifiedFlag(false);
        if (!document->OnOpenDocument(path)) {
            qDebug("Document::OnOpenDocument returned false\n");
            if (frameCreated) {
                discardFrame();
            } else if (!document->IsModified()) {
                document->SetModifiedFlag(wasModified); // the open left the document untouched
            } else {
                // The failed open spoilt the document: start a new one in its place.
                SetDefaultTitle(document);
                if (!document->OnNewDocument())
                    qDebug("Document::OnNewDocument returned false\n");
            }
            return nullptr;
        }
        document->SetPathName(path);
    }
    frame->InitialUpdateFrame(document);
    return document;
}

} // namespace fw
