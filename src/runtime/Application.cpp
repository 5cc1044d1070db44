#include "runtime/Application.h"

#include "runtime/Boundary.h"
#include "runtime/Menu.h"
#include "runtime/Window.h"

#include <QWidget>

namespace tickora::runtime {

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
    for (const Ref<Window> &window : Window::OpenWindows()) {
        if (m_menuBar)
            for (QAction *action : ApplicationMenuActions(*m_menuBar))
                window->Widget()->removeAction(action);
        if (menuBar)
            window->Widget()->addActions(ApplicationMenuActions(*menuBar));
    }
    m_menuBar = std::move(menuBar);
}

bool Application::HandleMenuCommand(const QString &itemName)
{
    auto it = m_menuHandlers.constFind(itemName);
    if (it == m_menuHandlers.constEnd())
        return false;
    MenuHandler handler = *it;
    return handler();
}

} // namespace tickora::runtime
