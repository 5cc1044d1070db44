#include "runtime/widgets/application/Lifecycle.h"

#include "runtime/core/Display.h"
#include "runtime/core/Platform.h"
#include "runtime/core/StartEnvironment.h"
#include "runtime/widgets/application/Application.h"
#include "runtime/widgets/controls/Picture.h"
#include "runtime/widgets/windows/Menu.h"
#include "runtime/widgets/windows/WindowRegistry.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace tickora::runtime {

namespace {

// Never destroyed, like every registry of the runtime (see Process.cpp).
std::unique_ptr<QApplication> &OwnApplication()
{
    static std::unique_ptr<QApplication> &application = *new std::unique_ptr<QApplication>;
    return application;
}

// Qt on the platform plug-in that suits the program (ChoosePlatform), on a
// display that is watched from then on (OpenDisplay).
void MakeQApplication(int &argc, char **argv, const QString &applicationName)
{
    const PlatformEnvironment environment = ProcessPlatformEnvironment();
    const PlatformChoice choice = ChoosePlatform(environment);
    const QString platform = choice.platform.isEmpty() ? environment.qpaPlatform : choice.platform;
    OpenDisplay(
        [&argc, argv, &choice] {
            // Qt reads these only while it starts; a browser that ShowURL
            // starts later inherits none of them.
            StartEnvironment startup;
            if (!choice.platform.isEmpty())
                startup.Set("QT_QPA_PLATFORM", choice.platform.toLocal8Bit());
            // X11 only: Qt sends window images through shared memory, and
            // before it paints over an area it sent that way it waits for
            // the X server to have read it. The labels that count repaint
            // the same small area every second, so each tick cost a round
            // trip, which woke the main thread and Qt's X reader thread a
            // second time. Small images through the connection itself cost
            // no more CPU and wait for nothing.
            startup.Set("QT_XCB_NO_MITSHM", "1");
            OwnApplication() = std::make_unique<QApplication>(argc, argv);
        },
        applicationName, environment, platform);
    // Once it runs at all: what will not work there.
    if (!choice.notice.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(applicationName), qPrintable(choice.notice));
        std::fflush(stderr);
    }
}

} // namespace

void RuntimeInit(int &argc, char **argv, const QString &applicationName)
{
    if (!QCoreApplication::instance())
        MakeQApplication(argc, argv, applicationName);
    QCoreApplication::setApplicationName(applicationName);
    // The runtime decides when the program ends (Window::Close, Quit), so that
    // the exit code is always the one the program asked for.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    SetMenuCommandHandler(&DispatchMenuCommand);
}

void RuntimeSetDesktopIdentity(const QString &desktopEntry, const QString &iconPicture)
{
    QGuiApplication::setDesktopFileName(desktopEntry);
    QGuiApplication::setWindowIcon(Picture::IconFromApp(iconPicture));
}

void RunFrameworkInitialization(const std::function<void()> &lateStartup)
{
    // The windows of start-up appear once the application has opened, where
    // its Open event put them, rather than somewhere first and then moving.
    SetStartingUp(true);
    try {
        lateStartup();
        Ref<Application> app = GetAppObject();
        if (app && app->Description().Handles(QStringLiteral("Open")))
            app->Event_Open();
    } catch (...) {
        SetStartingUp(false);
        throw;
    }
    SetStartingUp(false);
}

void RuntimePerformFinalizers()
{
    ReleaseAllWindows();
    // Closed windows wait for the event loop to let them go; it has ended, so
    // let them go now, while Qt is still there to take their widgets down.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    RuntimeRegisterAppObject(nullptr);
}

int RuntimeExit()
{
    // Qt goes before the process's static objects do, in a defined order,
    // not somewhere among them.
    OwnApplication().reset();
    return RuntimeExitCode();
}

} // namespace tickora::runtime
