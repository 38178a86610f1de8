#pragma once
// The editor's view, the frame's client area. The scene is drawn from the application's idle
// time through RenderFrame, never from paint events.
#include "framework/View.h"

class CQuorvanView : public fw::View {
    Q_OBJECT
public:
    Q_INVOKABLE CQuorvanView();

    // Draws one frame of the document's scene.
    virtual void RenderFrame();
};
