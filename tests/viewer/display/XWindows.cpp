#include "XWindows.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {
Display* AsDisplay(void* display)
{
    return static_cast<Display*>(display);
}
} // namespace

OtherApplicationWindow::OtherApplicationWindow()
{
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr)
        return;
    display = d;
    const int screen = DefaultScreen(d);
    window = XCreateSimpleWindow(d, RootWindow(d, screen), DisplayWidth(d, screen) - 1, DisplayHeight(d, screen) - 1, 1,
                                 1, 0, 0, 0);
    XSelectInput(d, window, StructureNotifyMask);
    XMapRaised(d, window);
    // Focus can only go to a viewable window.
    for (XEvent event;;) {
        XNextEvent(d, &event);
        if (event.type == MapNotify)
            break;
    }
}

OtherApplicationWindow::~OtherApplicationWindow()
{
    if (display == nullptr)
        return;
    if (window != 0)
        XDestroyWindow(AsDisplay(display), window);
    XCloseDisplay(AsDisplay(display));
}

void OtherApplicationWindow::TakeFocus()
{
    GiveFocusTo(window);
}

void OtherApplicationWindow::GiveFocusTo(unsigned long xWindow)
{
    if (display == nullptr)
        return;
    XSetInputFocus(AsDisplay(display), xWindow, RevertToPointerRoot, CurrentTime);
    XSync(AsDisplay(display), False);
}

unsigned long XWindowOf(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return 0;
    return info.info.x11.window;
}

std::vector<std::string> WindowStates(unsigned long xWindow)
{
    std::vector<std::string> names;
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr)
        return names;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, xWindow, XInternAtom(d, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i) {
            char* name = XGetAtomName(d, atoms[i]);
            if (name != nullptr) {
                names.emplace_back(name);
                XFree(name);
            }
        }
        XFree(data);
    }
    XCloseDisplay(d);
    return names;
}
