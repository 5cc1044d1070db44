#pragma once

#include <QString>

namespace tickora::runtime {

// What the process was started with that decides Qt's platform plug-in.
struct PlatformEnvironment {
    QString qpaPlatform;    // QT_QPA_PLATFORM: the user's own choice, when set
    QString display;        // DISPLAY: an X server (XWayland in a Wayland session)
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString sessionType;    // XDG_SESSION_TYPE
};

// The plug-in to ask Qt for (empty: leave Qt's own choice alone) and what to
// tell the user once on stderr (empty: nothing).
struct PlatformChoice {
    QString platform;
    QString notice;

    bool operator==(const PlatformChoice &) const = default;
};

// A native Wayland client cannot place its own window, so the top-centre start
// and docking do nothing there, and Qt applies no window opacity. Whenever an
// X display is at hand and the user chose no platform, the program runs on it
// (XWayland in a Wayland session); where Wayland is all there is, it runs
// anyway and says what will not work.
PlatformChoice ChoosePlatform(const PlatformEnvironment &environment);

PlatformEnvironment ProcessPlatformEnvironment();

} // namespace tickora::runtime
