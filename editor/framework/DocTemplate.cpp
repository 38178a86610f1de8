#include "framework/DocTemplate.h"

#include "framework/Application.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/Paths.h"
#include "framework/Resources.h"
#include "framework/System.h"

namespace fw {

SingleDocTemplate::SingleDocTemplate(uint32_t resourceId, const RuntimeClass* documentClass,
                                     const RuntimeClass* frameClass, const RuntimeClass* viewClass)
    : m_resourceId(resourceId), m_documentClass(documentClass), m_frameClass(frameClass), m_viewClass(viewClass)
{
}

SingleDocTemplate::~SingleDocTemplate()
{
    // Views point at the document; let the frame go first.
    if (FrameWnd* frame = m_frame)
        frame->DestroyWindow();
}

bool SingleDocTemplate::GetDocString(std::string& out, DocStringIndex index) const
{
    const std::optional<std::string> text = ResourceTable::Instance().String(m_resourceId);
    out = text ? StringField(*text, index) : std::string();
    return text.has_value();
}

void SingleDocTemplate::SetDefaultTitle(Document* document) const
{
    std::string title;
    if (!GetDocString(title, DocName) || title.empty())
        GetDocString(title, FileNewName);
    if (title.empty())
        title = "Untitled";
    document->SetTitle(title);
}

Document* SingleDocTemplate::CreateNewDocument()
{
    CmdTarget* object = m_documentClass != nullptr ? m_documentClass->CreateObject() : nullptr;
    auto* document = dynamic_cast<Document*>(object);
    if (document == nullptr) {
        delete object;
        Trace("Failed to create document\n");
        return nullptr;
    }
    document->SetDocTemplate(this);
    m_document.reset(document);
    return document;
}

FrameWnd* SingleDocTemplate::CreateNewFrame(Document* document)
{
    CmdTarget* object = m_frameClass != nullptr ? m_frameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<FrameWnd*>(object);
    if (frame == nullptr) {
        delete object;
        Trace("Failed to create frame\n");
        return nullptr;
    }
    CreateContext context{m_viewClass, document, this};
    if (!frame->LoadFrame(m_resourceId, &context)) {
        Trace("Failed to create frame\n");
        // A frame whose window was made goes with it; one that never got a window is deleted.
        if (frame->IsWindow())
            frame->DestroyWindow();
        else
            delete frame;
        return nullptr;
    }
    return frame;
}

Document* SingleDocTemplate::OpenDocumentFile(const std::string& requested)
{
    // Resolved once, up front, against the working folder the request was made in.
    const std::string path = requested.empty() ? std::string() : AbsolutePath(requested);
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
        frame->DestroyWindow();
        if (created)
            m_document.reset();
    };

    if (path.empty()) {
        SetDefaultTitle(document);
        if (!document->OnNewDocument()) {
            Trace("Document::OnNewDocument returned false\n");
            discardFrame();
            return nullptr;
        }
    } else {
        const bool wasModified = document->IsModified();
        document->SetModifiedFlag(false);
        if (!document->OnOpenDocument(path)) {
            Trace("Document::OnOpenDocument returned false\n");
            if (frameCreated) {
                discardFrame();
            } else if (!document->IsModified()) {
                document->SetModifiedFlag(wasModified); // the open left the document untouched
            } else {
                // The failed open spoilt the document: start a new one in its place.
                SetDefaultTitle(document);
                if (!document->OnNewDocument())
                    Trace("Document::OnNewDocument returned false\n");
            }
            return nullptr;
        }
        document->SetPathName(path);
    }
    frame->InitialUpdateFrame(document);
    return document;
}

} // namespace fw
