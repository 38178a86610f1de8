#include "QuorvanView.h"

CQuorvanView::CQuorvanView() {
    // An empty view shows the window colour of a document area.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CQuorvanView::RenderFrame() {
    // The OpenGL view that draws the scene here derives from this class.
}
