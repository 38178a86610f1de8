#pragma once
// A view: the frame's client window that shows a document and takes commands before it.
#include "framework/Command.h"

#include <QPointer>
#include <QWidget>

namespace fw {

class Document;

class View : public QWidget, public CmdTarget {
    Q_OBJECT
public:
    View();
    ~View() override;

    Document* GetDocument() const { return m_document; }

    // Runs once the view exists, before the frame shows it; -1 fails the frame's creation.
    virtual int OnCreate();

    // Called once the frame, view and document are connected, and after each New and Open.
    virtual void OnInitialUpdate();

    // Routes to the view's own handlers, then to its document's.
    bool OnCmdMsg(uint32_t id, CmdMsg msg, CmdUI* ui) override;

private:
    friend class Document;
    Document* m_document = nullptr; // kept up to date by the document
};

} // namespace fw
