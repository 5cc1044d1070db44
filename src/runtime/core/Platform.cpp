#include "runtime/core/Platform.h"

#include <QtGlobal>

#include <xcb/xcb.h>

namespace tickora::runtime {

namespace {

bool IsWaylandSession(const PlatformEnvironment &environment)
{
    return !environment.waylandDisplay.isEmpty()
        || environment.sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
}

} // namespace

PlatformChoice ChoosePlatform(const PlatformEnvironment &environment)
{
    const QString chosen = environment.qpaPlatform.trimmed();
    QString platform;
    bool onWayland = false;
    if (!chosen.isEmpty()) {
        // A list such as "wayland;xcb" names the plug-in tried first.
        onWayland = chosen.startsWith(QLatin1String("wayland"));
    } else if (!environment.display.isEmpty()) {
        // Qt would end the program on an X display that does not answer,
        // though the session's compositor is there. Wayland is asked for by
        // name: Qt's own choice would be X again on GNOME, and wherever only
        // WAYLAND_DISPLAY tells that the session is Wayland's.
        if (!IsWaylandSession(environment) || !environment.xDisplayAnswers || environment.xDisplayAnswers())
            return {QStringLiteral("xcb"), {}};
        platform = QStringLiteral("wayland");
        onWayland = true;
    } else {
        onWayland = IsWaylandSession(environment);
    }
    if (!onWayland)
        return {};
    return {platform,
            QStringLiteral("Running as a native Wayland client: the window cannot place itself (no start at "
                           "the top centre, no docking) and its opacity is not applied. With XWayland "
                           "running, set DISPLAY (and leave QT_QPA_PLATFORM unset) to have both.")};
}

bool XDisplayAnswers(const QString &display)
{
    xcb_connection_t *connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    // Also the connection that failed: xcb hands back an object to free.
    xcb_disconnect(connection);
    return answers;
}

PlatformEnvironment ProcessPlatformEnvironment()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    return {qEnvironmentVariable("QT_QPA_PLATFORM"), display, qEnvironmentVariable("WAYLAND_DISPLAY"),
            qEnvironmentVariable("XDG_SESSION_TYPE"), [display] { return XDisplayAnswers(display); }};
}

} // namespace tickora::runtime
