#include "platform/qt/X11KeyRepeat.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

#if KELVARN_HAVE_XCB_XKB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
// The C header names a field `explicit`.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#endif

namespace kelvarn {
namespace {

// Asks the X server to repeat a held key with presses alone (XKB's detectable auto-repeat), so
// that every release it sends is a real one. False where it cannot (not X11, no XKB).
bool serverSendsOnlyRealReleases() {
#if KELVARN_HAVE_XCB_XKB
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return false;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return false;
    }
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(connection, &xcb_xkb_id);
    if (xkb == nullptr || xkb->present == 0U) {
        return false;
    }
    // Qt has already agreed on the XKB version with the server, which the request needs.
    constexpr std::uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_xkb_per_client_flags_reply_t* reply = xcb_xkb_per_client_flags_reply(
        connection,
        xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
        nullptr);
    const bool granted = reply != nullptr && (reply->value & flag) != 0U;
    std::free(reply);
    return granted;
#else
    return false;
#endif
}

} // namespace

bool keyReleasesNeedHoldingBack() {
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           !serverSendsOnlyRealReleases();
}

} // namespace kelvarn
