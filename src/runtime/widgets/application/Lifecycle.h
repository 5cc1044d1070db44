#pragma once

#include "runtime/core/Process.h"
#include "runtime/core/Ref.h"

#include <QString>

#include <functional>

namespace tickora::runtime {

class Picture;

// The process's life around Qt's application object, in the order the
// program calls it (the event loop and quitting are in Process.h).

// Makes Qt's application object on the platform plug-in that suits the
// program, on a display that is watched from then on (Platform.h, Display.h),
// and makes the application's menu commands reach its windows and itself.
void RuntimeInit(int &argc, char **argv, const QString &applicationName);
// How the desktop knows the program: the name of its installed desktop entry
// (without ".desktop"), and the bundle picture that every window carries as
// its icon, in each resolution the bundle has it. The icon is made once the
// first window's first frame is on screen; `heldIcon` then gives the
// program's own object of that picture, whose pixels the icon shares.
void RuntimeSetDesktopIdentity(const QString &desktopEntry, const QString &iconPicture,
                               std::function<Ref<Picture>()> heldIcon);
// Runs the program's late start-up; the windows it shows appear once the
// application's Open event has placed them.
void RunFrameworkInitialization(const std::function<void()> &lateStartup);
// Lets go of the windows, after the event loop has ended.
void RuntimePerformFinalizers();
// Takes Qt down and returns the code the process ends with.
int RuntimeExit();

} // namespace tickora::runtime
