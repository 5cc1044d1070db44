#include "runtime/widgets/application/Lifecycle.h"

#include "runtime/core/Boundary.h"
#include "runtime/core/Display.h"
#include "runtime/core/Platform.h"
#include "runtime/core/StartEnvironment.h"
#include "runtime/widgets/application/Application.h"
#include "runtime/widgets/controls/Picture.h"
#include "runtime/widgets/windows/Menu.h"
#include "runtime/widgets/windows/WindowRegistry.h"

#include <QApplication>
#include <QWindow>

#include <algorithm>
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

// The window icon's pictures take a good part of start-up to decode, and no
// one sees an icon before the window it belongs to. So the icon is made once
// the first window's first frame is on screen: while Qt handles a window's
// first expose event it paints and sends that frame, and the icon follows
// on the next turn of the event loop, a few milliseconds later. Until then a
// window manager shows its stand-in for a window without an icon, and a
// desktop that knows the program by its desktop entry shows the entry's icon.
class IconAfterFirstFrame final : public QObject {
public:
    // Qt's application object owns it until the icon is set.
    IconAfterFirstFrame(QString picture, std::function<Ref<Picture>()> held)
        : QObject(qApp), m_picture(std::move(picture)), m_held(std::move(held))
    {
        const QWindowList windows = QGuiApplication::topLevelWindows();
        if (std::any_of(windows.cbegin(), windows.cend(), [](const QWindow *w) { return w->isExposed(); }))
            SetSoon();
        else
            qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType()
            && static_cast<QWindow *>(watched)->isExposed()) {
            qApp->removeEventFilter(this);
            SetSoon();
        }
        return false;
    }

private:
    void SetSoon()
    {
        QMetaObject::invokeMethod(
            this,
            [this] {
                RunCallback([this] {
                    QGuiApplication::setWindowIcon(Picture::IconFromApp(m_picture, m_held ? m_held() : nullptr));
                });
                deleteLater();
            },
            Qt::QueuedConnection);
    }

    QString m_picture;
    std::function<Ref<Picture>()> m_held;
};

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

void RuntimeSetDesktopIdentity(const QString &desktopEntry, const QString &iconPicture,
                               std::function<Ref<Picture>()> heldIcon)
{
    QGuiApplication::setDesktopFileName(desktopEntry);
    new IconAfterFirstFrame(iconPicture, std::move(heldIcon));
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
