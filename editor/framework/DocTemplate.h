#pragma once
// Single-document template: makes one document, one frame and one view from their classes
// (by meta-object, so any class with an invokable default constructor will do) and reuses the
// one document for every New and Open.
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

struct QMetaObject;

namespace fw {

class Document;
class FrameWnd;

class SingleDocTemplate {
public:
    // Fields of the document string, the "\n"-separated string with the template's id.
    enum DocStringIndex { WindowTitle, DocName, FileNewName, FilterName, FilterExt, RegFileTypeId, RegFileTypeName };

    SingleDocTemplate(uint32_t resourceId, const QMetaObject* documentClass, const QMetaObject* frameClass,
                      const QMetaObject* viewClass);
    ~SingleDocTemplate();
    SingleDocTemplate(const SingleDocTemplate&) = delete;
    SingleDocTemplate& operator=(const SingleDocTemplate&) = delete;

    uint32_t ResourceId() const { return m_resourceId; }
    bool GetDocString(QString& out, DocStringIndex index) const;

    // New (empty path) or Open of the one document, making it with its frame and view on first
    // use. Null when the document's step fails, or the objects cannot be made.
    Document* OpenDocumentFile(const QString& path);
    Document* GetDocument() const { return m_document.get(); }
    FrameWnd* GetFrame() const { return m_frame; }

    // Names a new document: the document name field, else the new-file name, else "Untitled".
    void SetDefaultTitle(Document* document) const;

private:
    Document* CreateNewDocument();
    FrameWnd* CreateNewFrame(Document* document);

    uint32_t m_resourceId;
    const QMetaObject* m_documentClass;
    const QMetaObject* m_frameClass;
    const QMetaObject* m_viewClass;
    std::unique_ptr<Document> m_document;
    QPointer<FrameWnd> m_frame;
};

} // namespace fw
