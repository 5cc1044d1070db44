#include "runtime/widgets/application/Lifecycle.h"

#include "runtime/core/Display.h"
#include "runtime/core/Platform.h"
#include "runtime/widgets/application/Application.h"
#include "runtime/widgets/controls/Picture.h"
#include "runtime/widgets/windows/Menu.h"
#include "runtime/widgets/windows/WindowRegistry.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

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
            if (choice.platform.isEmpty()) {
                OwnApplication() = std::make_unique<QApplication>(argc, argv);
                return;
            }
            // Qt reads the variable only while it starts; a browser that
            // ShowURL starts later must not inherit our choice.
            const bool wasSet = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
            const QByteArray before = qgetenv("QT_QPA_PLATFORM");
            qputenv("QT_QPA_PLATFORM", choice.platform.toLocal8Bit());
            OwnApplication() = std::make_unique<QApplication>(argc, argv);
            if (wasSet)
                qputenv("QT_QPA_PLATFORM", before);
            else
                qunsetenv("QT_QPA_PLATFORM");
        },
        applicationName, environment, platform);
    // Once it runs at all: what will not work there.
    if (!choice.notice.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(applicationName), qPrintable(choice.notice));
        std::fflush(stderr);
    }
}

// Qt 6.4's Wayland plug-in reads the display on two threads of its own and
// stops both when Qt goes. The main thread prepares each read of the first
// one on its behalf; told to quit after such a read was prepared but before
// it has seen it, that thread quits without cancelling the read, and the
// second one, reading, then waits for it in wl_display_read_events forever,
// while Qt's teardown waits for the second thread: the windows are gone and
// the process stays, now and then, after "Spende" or Quit. Nothing outside
// Qt reaches those threads. So on Wayland the process ends once the
// program's own finalisers have run, before Qt's teardown and before the
// static objects go (the runtime's registries are never destroyed anyway).
[[noreturn]] void EndBeforeQtsWaylandTeardown(int exitCode)
{
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    // The leak check that would have come at exit.
    __lsan_do_leak_check();
#endif
    std::_Exit(exitCode);
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
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        EndBeforeQtsWaylandTeardown(RuntimeExitCode());
    // Qt goes before the process's static objects do, in a defined order,
    // not somewhere among them.
    OwnApplication().reset();
    return RuntimeExitCode();
}

} // namespace tickora::runtime
