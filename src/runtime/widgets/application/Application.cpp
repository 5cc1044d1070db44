#include "runtime/widgets/application/Application.h"

#include "runtime/core/Boundary.h"
#include "runtime/widgets/windows/Window.h"
#include "runtime/widgets/windows/WindowRegistry.h"

#include <QWidget>

namespace tickora::runtime {

namespace {

// Never destroyed, like every registry of the runtime (see Process.cpp).
Ref<Application> &Registered()
{
    static Ref<Application> &app = *new Ref<Application>;
    return app;
}

} // namespace

Application::Application() = default;
Application::~Application() = default;

void Application::AddMenuHandler(const QString &itemName, MenuHandler handler)
{
    CheckUIThread();
    m_menuHandlers.insert(itemName, std::move(handler));
}

void Application::SanityCheckWDDM() {}

void Application::x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                                   std::int64_t nonRelease, std::int64_t stage,
                                   const QString &longVersion, const QString &shortVersion,
                                   const QString &packageInfo)
{
    m_version = {major, minor, bug, nonRelease, stage, longVersion, shortVersion, packageInfo};
}

void Application::Event_Open() {}

const ClassDescription &Application::Description() const
{
    static const ClassDescription description{QStringLiteral("Application"), {}};
    return description;
}

Ref<MenuBar> Application::MenuBar() const { return m_menuBar; }

void Application::SetMenuBar(Ref<runtime::MenuBar> menuBar)
{
    CheckUIThread();
    for (const Ref<Window> &window : OpenWindows()) {
        if (m_menuBar)
            for (QAction *action : ApplicationMenuActions(*m_menuBar))
                window->Widget()->removeAction(action);
        if (menuBar)
            window->Widget()->addActions(ApplicationMenuActions(*menuBar));
    }
    m_menuBar = std::move(menuBar);
    if (Registered().Get() == this)
        SetApplicationMenuBar(m_menuBar);
}

bool Application::HandleMenuCommand(const QString &itemName)
{
    auto it = m_menuHandlers.constFind(itemName);
    if (it == m_menuHandlers.constEnd())
        return false;
    MenuHandler handler = *it;
    return handler();
}

void RuntimeRegisterAppObject(Ref<Application> app)
{
    SetApplicationMenuBar(app ? app->MenuBar() : nullptr);
    Registered() = std::move(app);
}

Ref<Application> GetAppObject() { return Registered(); }

bool DispatchMenuCommand(const QString &itemName)
{
    if (HandleMenuCommandInActiveWindow(itemName))
        return true;
    const Ref<Application> app = GetAppObject();
    return app && app->HandleMenuCommand(itemName);
}

} // namespace tickora::runtime
