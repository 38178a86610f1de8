#pragma once
// The editor's document. The single-document template makes it, and the idle hook has it
// draw the frame's active view.
#include "framework/Document.h"

class CQuorvanDoc : public fw::Document {
    Q_OBJECT
public:
    Q_INVOKABLE CQuorvanDoc();

    // Has the main frame's active view draw a frame, when there is one.
    virtual void RenderActiveView();
};
