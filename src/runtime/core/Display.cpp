#include "runtime/core/Display.h"

#include <QGuiApplication>
#include <QByteArray>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace tickora::runtime {

namespace {

QString XDisplay(const PlatformEnvironment &environment)
{
    return environment.display.isEmpty() ? QStringLiteral("cannot open an X display: DISPLAY is not set")
                                         : QStringLiteral("cannot open display %1").arg(environment.display);
}

QString WaylandName(const PlatformEnvironment &environment)
{
    // The name the Wayland client library falls back on.
    return environment.waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : environment.waylandDisplay;
}

QString WaylandDisplay(const PlatformEnvironment &environment)
{
    return QStringLiteral("cannot open Wayland display %1").arg(WaylandName(environment));
}

// A message of Qt's, kept back while the display is being opened.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

struct DisplayWatch {
    std::mutex mutex;
    QtMessageHandler previous = nullptr;
    bool opening = true;
    QString cannotOpen;
    QString lost;
    std::vector<HeldMessage> held;
    xcb_connection_t *connection = nullptr;
    bool lostSaid = false;
};

// Never destroyed, like every registry of the runtime: Qt may still have
// something to say while the process's static objects go.
DisplayWatch &Watch()
{
    static DisplayWatch &watch = *new DisplayWatch;
    return watch;
}

void SayLine(const QString &line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
}

void PassOn(const DisplayWatch &watch, const HeldMessage &message)
{
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
    watch.previous(message.type, context, message.text);
}

// Qt's messages come here from any of its threads.
void HandleMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    DisplayWatch &watch = Watch();
    std::unique_lock lock(watch.mutex);
    if (watch.opening) {
        if (type != QtFatalMsg) {
            watch.held.push_back({type, context.category, text});
            return;
        }
        // Qt found no display to start on and would abort now.
        if (watch.cannotOpen.isEmpty()) {
            for (const HeldMessage &message : watch.held)
                PassOn(watch, message);
            watch.previous(type, context, text);
        } else {
            SayLine(watch.cannotOpen);
        }
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    if (watch.connection && xcb_connection_has_error(watch.connection)) {
        // Qt is about to end the process. Its words on the matter, and any
        // said after them, would only repeat ours.
        if (!watch.lostSaid)
            SayLine(watch.lost);
        watch.lostSaid = true;
        return;
    }
    const QtMessageHandler previous = watch.previous;
    lock.unlock();
    previous(type, context, text);
}

xcb_connection_t *XConnection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

QString CannotOpenDisplayMessage(const PlatformEnvironment &environment, const QString &platform)
{
    const QString tried = platform.trimmed();
    if (tried.startsWith(QLatin1String("wayland"))) {
        // Wayland though DISPLAY is set and the user chose nothing: the X
        // display was tried first and did not answer.
        if (environment.qpaPlatform.trimmed().isEmpty() && !environment.display.isEmpty())
            return QStringLiteral("cannot open display %1, nor Wayland display %2")
                .arg(environment.display, WaylandName(environment));
        return WaylandDisplay(environment);
    }
    if (tried.startsWith(QLatin1String("xcb")))
        return XDisplay(environment);
    if (!tried.isEmpty())
        return {};
    // Qt's own choice tries the X display and the Wayland one that are named.
    if (!environment.display.isEmpty())
        return XDisplay(environment);
    if (!environment.waylandDisplay.isEmpty())
        return WaylandDisplay(environment);
    return QStringLiteral("no display to open: neither DISPLAY nor WAYLAND_DISPLAY is set");
}

QString LostDisplayMessage(const PlatformEnvironment &environment)
{
    return QStringLiteral("lost the connection to display %1").arg(environment.display);
}

void OpenDisplay(const std::function<void()> &open, const QString &programName,
                 const PlatformEnvironment &environment, const QString &platform)
{
    DisplayWatch &watch = Watch();
    const QString cannotOpen = CannotOpenDisplayMessage(environment, platform);
    {
        const std::lock_guard lock(watch.mutex);
        watch.opening = true;
        watch.held.clear();
        watch.cannotOpen = cannotOpen.isEmpty() ? QString() : programName + QStringLiteral(": ") + cannotOpen;
        watch.lost = programName + QStringLiteral(": ") + LostDisplayMessage(environment);
        // Qt hands back its default handler when none was installed.
        watch.previous = qInstallMessageHandler(&HandleMessage);
    }

    open();

    std::vector<HeldMessage> held;
    {
        const std::lock_guard lock(watch.mutex);
        watch.opening = false;
        watch.connection = XConnection();
        held.swap(watch.held);
    }
    for (const HeldMessage &message : held)
        PassOn(watch, message);
}

} // namespace tickora::runtime
