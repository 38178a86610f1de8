#include "framework/KeyLocks.h"

#include <QGuiApplication>

#ifdef ORVEX_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace fw {

KeyLockState QueryKeyLocks()
{
    KeyLockState state;
#ifdef ORVEX_HAVE_XCB
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr)
        return state;
    // The server drives LED 1 from Caps Lock, 2 from Num Lock and 3 from Scroll Lock.
    xcb_get_keyboard_control_reply_t* reply =
        xcb_get_keyboard_control_reply(connection, xcb_get_keyboard_control(connection), nullptr);
    if (reply == nullptr)
        return state;
    state.capsLock = (reply->led_mask & 0x1u) != 0;
    state.numLock = (reply->led_mask & 0x2u) != 0;
    state.scrollLock = (reply->led_mask & 0x4u) != 0;
    std::free(reply);
#endif
    return state;
}

} // namespace fw
