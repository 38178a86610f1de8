#pragma once
// A view: the frame's client window that shows a document and takes commands before it. The
// frame makes it from its runtime class; it deletes itself when its window is destroyed.
#include "framework/Wnd.h"

namespace fw {

class Document;

class View : public Wnd {
    FW_DECLARE_DYNAMIC(View)
public:
    View();
    ~View() override;

    Document* GetDocument() const { return m_document; }

    // Makes the view's window as a child of frame filling its client area; runs OnCreate.
    bool Create(FrameWnd* frame, uint32_t id);

    // Called once the frame, view and document are connected, and after each New and Open.
    virtual void OnInitialUpdate();
    // Paints the view; the base paints nothing.
    virtual void OnDraw(DC& dc);
    void OnPaint(DC& dc) override;
    // A view goes with its window.
    void PostNcDestroy() override;

    // Routes to the view's own handlers, then to its document's.
    bool OnCmdMsg(uint32_t id, CmdMsg msg, CmdUI* ui) override;

private:
    friend class Document;
    Document* m_document = nullptr; // kept up to date by the document
};

} // namespace fw
