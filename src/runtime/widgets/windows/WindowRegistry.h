#pragma once

#include "runtime/core/Ref.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace tickora::runtime {

class Window;

// The runtime's windows: which are open, which is the current (implicit)
// window of its class, and which is the application's default window.

// The runtime's current window of a class ("main.main"), or nil.
Ref<Window> GetImplicitWindow(const QString &className);
// Every window that is built and not yet closed, oldest first.
std::vector<Ref<Window>> OpenWindows();

// While the application starts up, the first window built is its default
// window (closing it ends the program), and a window to be shown for the
// first time waits: at the end of start-up it appears, at the place the
// program has given it by then.
void SetStartingUp(bool startingUp);
bool IsStartingUp();

// Lets go of every window at the end of the process: none is closed by the
// user any more, and none ends the program.
void ReleaseAllWindows();

// Runs the active window's own handler bound to the item name; false when
// that window has none or it declined.
bool HandleMenuCommandInActiveWindow(const QString &itemName);

// Sets the opacity of the window with that native handle (the
// platform-neutral form of sending a native window its alpha value).
void SetAlphaValue(std::int64_t handle, double alpha);

// Window side: a window joins when it is built, under its class's name, and
// leaves when it closes. Leaving answers whether the program ends with it:
// it was the default window, or the last one open.
void RegisterWindow(const std::shared_ptr<Window> &window, const QString &className);
bool UnregisterWindow(const Window &window, const QString &className);

// The implicit instance of window class T: the runtime's current window of
// that class, or, when it holds none, a new one built now.
template <class T>
Ref<T> ImplicitInstance()
{
    Ref<Window> window = GetImplicitWindow(T::ClassInfo().Name);
    if (!window) {
        Ref<T> made = NewObject<T>();
        made->Constructor();
        window = made;
    }
    return ClassTest<T>(window);
}

} // namespace tickora::runtime
