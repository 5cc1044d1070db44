#pragma once

#include "runtime/core/Platform.h"

#include <QString>

#include <functional>

namespace tickora::runtime {

// What the program says, on one line, when it cannot open the display that
// the environment names (DISPLAY, WAYLAND_DISPLAY) for the plug-in Qt was
// asked for (`platform`, "xcb;wayland"-style; empty: Qt's own choice). Empty
// when the plug-in is not one of a display (offscreen, eglfs, ...): Qt's own
// words then say best what went wrong.
QString CannotOpenDisplayMessage(const PlatformEnvironment &environment, const QString &platform);

// What the program says, on one line, when its X display goes away.
QString LostDisplayMessage(const PlatformEnvironment &environment);

// Runs `open`, which builds Qt's application object, and watches the display
// from then on, through Qt's message handler:
// - Qt ends a program whose display cannot be opened with an abort, a core
//   dump and advice to reinstall it. Instead the program says which display
//   it could not open and ends with status 1; what Qt said while trying is
//   not shown then, and is passed on unchanged when the display opens.
// - When the X server goes away under the running program (a log-out, an
//   XWayland restart), Qt's X11 plug-in says so in its own words and ends the
//   process with exit(1). The program's line, which names the display,
//   replaces those words; the process still ends through Qt's exit(1).
// `programName` begins each line ("<program>: ...").
void OpenDisplay(const std::function<void()> &open, const QString &programName,
                 const PlatformEnvironment &environment, const QString &platform);

} // namespace tickora::runtime
