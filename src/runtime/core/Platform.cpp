#include "runtime/core/Platform.h"

#include <QtGlobal>

namespace tickora::runtime {

PlatformChoice ChoosePlatform(const PlatformEnvironment &environment)
{
    const QString chosen = environment.qpaPlatform.trimmed();
    bool onWayland = false;
    if (!chosen.isEmpty()) {
        // A list such as "wayland;xcb" names the plug-in tried first.
        onWayland = chosen.startsWith(QLatin1String("wayland"));
    } else if (!environment.display.isEmpty()) {
        return {QStringLiteral("xcb"), {}};
    } else {
        onWayland = !environment.waylandDisplay.isEmpty()
            || environment.sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    }
    if (!onWayland)
        return {};
    return {{},
            QStringLiteral("Running as a native Wayland client: the window cannot place itself (no start at "
                           "the top centre, no docking) and its opacity is not applied. With XWayland "
                           "running, set DISPLAY (and leave QT_QPA_PLATFORM unset) to have both.")};
}

PlatformEnvironment ProcessPlatformEnvironment()
{
    return {qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY"),
            qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("XDG_SESSION_TYPE")};
}

} // namespace tickora::runtime
