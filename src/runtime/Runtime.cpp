#include "runtime/Runtime.h"

#include "runtime/Application.h"
#include "runtime/Boundary.h"
#include "runtime/Display.h"
#include "runtime/Picture.h"
#include "runtime/Platform.h"
#include "runtime/Window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHash>
#include <QMessageBox>
#include <QUrl>

#include <cstdio>
#include <map>
#include <memory>

namespace tickora::runtime {

namespace {

struct ProcessState {
    std::unique_ptr<QApplication> application;
    double targetVersion = 0.0;
    bool running = false;
    bool quitRequested = false;
    int exitCode = 0;
    QuitRequest quitRequest;
    UrlOpener urlOpener;
    MessageShower messageShower;
    Ref<Application> app;
    // Node-based, so the references handed out stay valid as classes are added.
    std::map<QString, ClassDescription> classes;
};

// The registries of the process are made on first use and never destroyed.
// Something may end the process with exit() from inside the event loop (Qt's
// X11 plug-in does when the X server goes away); static objects are then
// destroyed while windows, controls and timers are still alive, and a
// registry destroyed among them would be used after its destruction by the
// objects it holds. Never destroyed, they are still reachable, not leaked.
ProcessState &State()
{
    static ProcessState &state = *new ProcessState;
    return state;
}

void DefaultQuit(int exitCode)
{
    ProcessState &state = State();
    if (!state.quitRequested) {
        state.quitRequested = true;
        state.exitCode = exitCode;
    }
    // Before the loop runs there is nothing to leave; RuntimeRun sees the request.
    if (state.running)
        QCoreApplication::exit(state.exitCode);
}

// Qt on the platform plug-in that suits the program (ChoosePlatform), on a
// display that is watched from then on (OpenDisplay).
std::unique_ptr<QApplication> MakeQApplication(int &argc, char **argv, const QString &applicationName)
{
    const PlatformEnvironment environment = ProcessPlatformEnvironment();
    const PlatformChoice choice = ChoosePlatform(environment);
    const QString platform = choice.platform.isEmpty() ? environment.qpaPlatform : choice.platform;
    auto application = OpenDisplay(
        [&argc, argv, &choice] {
            if (choice.platform.isEmpty())
                return std::make_unique<QApplication>(argc, argv);
            // Qt reads the variable only while it starts; a browser that
            // ShowURL starts later must not inherit our choice.
            const bool wasSet = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
            const QByteArray before = qgetenv("QT_QPA_PLATFORM");
            qputenv("QT_QPA_PLATFORM", choice.platform.toLocal8Bit());
            auto opened = std::make_unique<QApplication>(argc, argv);
            if (wasSet)
                qputenv("QT_QPA_PLATFORM", before);
            else
                qunsetenv("QT_QPA_PLATFORM");
            return opened;
        },
        applicationName, environment, platform);
    // Once it runs at all: what will not work there.
    if (!choice.notice.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(applicationName), qPrintable(choice.notice));
        std::fflush(stderr);
    }
    return application;
}

} // namespace

const ClassDescription &RuntimeRegisterClass(const ClassDescription &description)
{
    auto &classes = State().classes;
    return classes.try_emplace(description.Name, description).first->second;
}

const ClassDescription *RuntimeFindClass(const QString &className)
{
    const auto &classes = State().classes;
    auto it = classes.find(className);
    return it == classes.end() ? nullptr : &it->second;
}

bool RuntimeIsEventHandled(const Object &, const QString &className, const QString &event, bool ownClass)
{
    if (!ownClass)
        return false;
    const ClassDescription *description = RuntimeFindClass(className);
    return description && description->Handles(event);
}

void RuntimeInit(int &argc, char **argv, const QString &applicationName)
{
    ProcessState &state = State();
    if (!QCoreApplication::instance())
        state.application = MakeQApplication(argc, argv, applicationName);
    QCoreApplication::setApplicationName(applicationName);
    // The runtime decides when the program ends (Window::Close, Quit), so that
    // the exit code is always the one the program asked for.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void RuntimeSetDesktopIdentity(const QString &desktopEntry, const QString &iconPicture)
{
    QGuiApplication::setDesktopFileName(desktopEntry);
    QGuiApplication::setWindowIcon(Picture::IconFromApp(iconPicture));
}

void RuntimeSetTargetVersion(double version) { State().targetVersion = version; }

void RuntimePerformInitializers(std::initializer_list<Initializer> initializers)
{
    for (Initializer initializer : initializers)
        initializer();
}

void RunFrameworkInitialization(const std::function<void()> &lateStartup)
{
    // The windows of start-up appear once the application has opened, where
    // its Open event put them, rather than somewhere first and then moving.
    Window::SetStartingUp(true);
    try {
        lateStartup();
        Ref<Application> app = GetAppObject();
        if (app && app->Description().Handles(QStringLiteral("Open")))
            app->Event_Open();
    } catch (...) {
        Window::SetStartingUp(false);
        throw;
    }
    Window::SetStartingUp(false);
}

void RuntimeRun()
{
    ProcessState &state = State();
    if (state.quitRequested)
        return;
    state.running = true;
    const int loopResult = QCoreApplication::exec();
    state.running = false;
    if (!state.quitRequested) {
        state.quitRequested = true;
        state.exitCode = loopResult;
    }
}

bool RuntimeIsRunning() { return State().running; }

void RuntimePerformFinalizers()
{
    Window::ReleaseAll();
    // Closed windows wait for the event loop to let them go; it has ended, so
    // let them go now, while Qt is still there to take their widgets down.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    State().app = nullptr;
}

int RuntimeExit()
{
    ProcessState &state = State();
    // Qt goes before the process's static objects do, in a defined order,
    // not somewhere among them.
    state.application.reset();
    return state.exitCode;
}

void RuntimeRegisterAppObject(Ref<Application> app) { State().app = std::move(app); }
Ref<Application> GetAppObject() { return State().app; }

void Quit(int exitCode)
{
    ProcessState &state = State();
    if (state.quitRequest)
        state.quitRequest(exitCode);
    else
        DefaultQuit(exitCode);
}

void SetQuitRequest(QuitRequest request) { State().quitRequest = std::move(request); }

void ShowURL(const QString &url)
{
    const QUrl address(url, QUrl::StrictMode);
    ProcessState &state = State();
    const bool opened = address.isValid() && !address.isRelative()
        && (state.urlOpener ? state.urlOpener(address) : QDesktopServices::openUrl(address));
    if (!opened) {
        // Otherwise the user clicks and nothing happens. The program's
        // windows speak German, and so does this.
        MessageBox(QStringLiteral("Die Seite konnte nicht geöffnet werden.\n\n"
                                  "Bitte öffnen Sie diese Adresse in Ihrem Webbrowser:\n%1")
                       .arg(url));
        throw IOException(QStringLiteral("could not open %1").arg(url));
    }
}

void SetUrlOpener(UrlOpener opener) { State().urlOpener = std::move(opener); }

void MessageBox(const QString &message)
{
    ProcessState &state = State();
    if (state.messageShower) {
        state.messageShower(message);
        return;
    }
    CheckUIThread();
    auto *box = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(), message,
                                QMessageBox::Ok, QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Not exec(): the handler that asked goes on at once, and the box is
    // answered on the program's one event loop.
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

void SetMessageShower(MessageShower shower) { State().messageShower = std::move(shower); }

} // namespace tickora::runtime
