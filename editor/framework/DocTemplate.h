#pragma once
// Single-document template: makes one document, one frame and one view from their runtime
// classes and reuses the one document for every New and Open.
#include "framework/RuntimeClass.h"
#include "framework/Wnd.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

class Document;
class FrameWnd;

class SingleDocTemplate {
public:
    // Fields of the document string, the "\n"-separated string with the template's id.
    enum DocStringIndex { WindowTitle, DocName, FileNewName, FilterName, FilterExt, RegFileTypeId, RegFileTypeName };

    SingleDocTemplate(uint32_t resourceId, const RuntimeClass* documentClass, const RuntimeClass* frameClass,
                      const RuntimeClass* viewClass);
    ~SingleDocTemplate();
    SingleDocTemplate(const SingleDocTemplate&) = delete;
    SingleDocTemplate& operator=(const SingleDocTemplate&) = delete;

    uint32_t ResourceId() const { return m_resourceId; }
    bool GetDocString(std::string& out, DocStringIndex index) const;

    // New (empty path) or Open of the one document, making it with its frame and view on first
    // use. Null when the document's step fails, or the objects cannot be made.
    Document* OpenDocumentFile(const std::string& path);
    Document* GetDocument() const { return m_document.get(); }
    FrameWnd* GetFrame() const { return m_frame; }

    // Names a new document: the document name field, else the new-file name, else "Untitled".
    void SetDefaultTitle(Document* document) const;

private:
    Document* CreateNewDocument();
    FrameWnd* CreateNewFrame(Document* document);

    uint32_t m_resourceId;
    const RuntimeClass* m_documentClass;
    const RuntimeClass* m_frameClass;
    const RuntimeClass* m_viewClass;
    std::unique_ptr<Document> m_document;
    WndRef<FrameWnd> m_frame;
};

} // namespace fw
