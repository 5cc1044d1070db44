#include "runtime/widgets/windows/WindowRegistry.h"

#include "runtime/core/Boundary.h"
#include "runtime/widgets/windows/Window.h"

#include <QApplication>
#include <QHash>
#include <QWidget>

#include <algorithm>

namespace tickora::runtime {

namespace {

struct Registry {
    std::vector<Ref<Window>> open;
    QHash<QString, std::weak_ptr<Window>> implicit;
    // Start-up is under way: the window it builds first is the
    // application's default window, and first shows wait for its end.
    bool startingUp = false;
    std::weak_ptr<Window> defaultWindow;
};

// Never destroyed, like every registry of the runtime (see Process.cpp): an
// exit() from inside the event loop leaves the open windows alone.
Registry &Windows()
{
    static Registry &registry = *new Registry;
    return registry;
}

} // namespace

Ref<Window> GetImplicitWindow(const QString &className)
{
    CheckUIThread();
    return Ref<Window>(Windows().implicit.value(className).lock());
}

std::vector<Ref<Window>> OpenWindows() { return Windows().open; }

void SetStartingUp(bool startingUp)
{
    CheckUIThread();
    Registry &registry = Windows();
    registry.startingUp = startingUp;
    if (startingUp)
        return;
    const std::vector<Ref<Window>> open = registry.open;
    for (const Ref<Window> &window : open)
        window->ShowIfWaiting();
}

bool IsStartingUp() { return Windows().startingUp; }

void ReleaseAllWindows()
{
    Registry &registry = Windows();
    registry.implicit.clear();
    registry.defaultWindow.reset();
    std::vector<Ref<Window>> open;
    open.swap(registry.open);
    for (const Ref<Window> &window : open)
        window->Release();
}

bool HandleMenuCommandInActiveWindow(const QString &itemName)
{
    QWidget *active = QApplication::activeWindow();
    if (!active)
        return false;
    for (const Ref<Window> &window : Windows().open)
        if (window->Widget() == active)
            return window->HandleMenuCommand(itemName);
    return false;
}

void SetAlphaValue(std::int64_t handle, double alpha)
{
    CheckUIThread();
    for (const Ref<Window> &window : Windows().open) {
        if (window->Widget() && window->Widget()->internalWinId()
            && static_cast<std::int64_t>(window->Widget()->internalWinId()) == handle) {
            window->SetOpacity(alpha);
            return;
        }
    }
    throw NilObjectException(QStringLiteral("no window has that handle"));
}

void RegisterWindow(const std::shared_ptr<Window> &window, const QString &className)
{
    Registry &registry = Windows();
    if (!registry.implicit.value(className).lock())
        registry.implicit.insert(className, window);
    registry.open.push_back(Ref<Window>(window));
    if (registry.startingUp && !registry.defaultWindow.lock())
        registry.defaultWindow = window;
}

bool UnregisterWindow(const Window &window, const QString &className)
{
    Registry &registry = Windows();
    auto implicit = registry.implicit.find(className);
    if (implicit != registry.implicit.end() && implicit->lock().get() == &window)
        registry.implicit.erase(implicit);
    std::erase_if(registry.open, [&window](const Ref<Window> &w) { return w.Get() == &window; });
    // The default window is the program: when it closes, the program ends,
    // whatever else is open. So it does when its last window closes.
    return registry.open.empty() || registry.defaultWindow.lock().get() == &window;
}

} // namespace tickora::runtime
