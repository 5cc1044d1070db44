// What a lap costs as the list grows, and what it keeps in memory.
//
//   tickora_laps [--laps N]      (N defaults to 10000)
//
// The real main window, on the offscreen platform, counts on a fake clock and
// takes N laps through its lap button's handler, one second apart; after
// every lap the event loop runs once, so the list repaints as it would on the
// screen. It prints the time per lap for each tenth of the run (the cost must
// stay flat: nothing may grow with the number of rows) and the resident
// memory the laps added, per lap.
#include "runtime/Clock.h"
#include "runtime/Runtime.h"
#include "stopwatch/main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long long ResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    long long laps = 10000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--laps") == 0)
            laps = std::max(10LL, std::atoll(argv[i + 1]));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tickora::runtime::RuntimeInit(argc, argv, QStringLiteral("Tickora"));
    tickora::runtime::FakeClock clock;
    tickora::runtime::SetClock(&clock);

    const auto window = tickora::main::Instance();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    window->cStart_MouseDown(*window->cStart(), 0, 0);
    QCoreApplication::processEvents();
    const long long before = ResidentBytes();
    const long long block = laps / 10;
    QElapsedTimer elapsed;
    for (long long done = 0; done < laps; done += block) {
        elapsed.start();
        for (long long lap = 0; lap < block; ++lap) {
            clock.Advance(std::chrono::seconds(1));
            window->cReset_MouseDown(*window->cReset(), 0, 0);
            QCoreApplication::processEvents();
        }
        std::printf("laps %6lld-%-6lld %8.1f us/lap\n", done + 1, done + block,
                    static_cast<double>(elapsed.nsecsElapsed()) / 1000.0 / static_cast<double>(block));
    }
    const long long taken = window->Listbox1()->ListCount();
    std::printf("rows %lld, resident memory added %.0f bytes/lap\n", taken,
                static_cast<double>(ResidentBytes() - before) / static_cast<double>(taken));
    tickora::runtime::SetClock(nullptr);
    // The windows go while Qt is still there to take their widgets down.
    tickora::runtime::RuntimePerformFinalizers();
    return taken == laps / 10 * 10 ? 0 : 1;
}
