#pragma once

#include <QString>

#include <functional>

namespace tickora::runtime {

// What the process was started with that decides Qt's platform plug-in.
struct PlatformEnvironment {
    QString qpaPlatform;    // QT_QPA_PLATFORM: the user's own choice, when set
    QString display;        // DISPLAY: an X server (XWayland in a Wayland session)
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString sessionType;    // XDG_SESSION_TYPE
    // Whether the X server that DISPLAY names takes a connection: DISPLAY
    // may name one that is gone (a variable left over) or not up yet, and
    // only trying tells. Asked only where the answer decides; none given,
    // the X display is taken to answer.
    std::function<bool()> xDisplayAnswers = {};
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
// (XWayland in a Wayland session); where Wayland is all there is, or the X
// display of a Wayland session does not answer, it runs on Wayland anyway and
// says what will not work.
PlatformChoice ChoosePlatform(const PlatformEnvironment &environment);

// Whether an X server takes a connection on `display` (a DISPLAY value).
bool XDisplayAnswers(const QString &display);

PlatformEnvironment ProcessPlatformEnvironment();

} // namespace tickora::runtime
