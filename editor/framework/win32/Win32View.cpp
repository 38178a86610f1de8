// Views on Win32: a child window filling the frame's client area, with the sunken edge a
// document's view has.
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/win32/Win32Wnd.h"

namespace fw {

using namespace win32;

bool View::Create(FrameWnd* frame, uint32_t id)
{
    HWND parent = HandleOf(frame);
    if (parent == nullptr)
        return false;
    RECT client{};
    ::GetClientRect(parent, &client);
    return CreateFrameworkWindow(this, kViewClass, WS_EX_CLIENTEDGE, "",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, FromRect(client), parent,
                                 reinterpret_cast<HMENU>(static_cast<uintptr_t>(id))) != nullptr;
}

} // namespace fw
