// What a lap costs as the list grows, and what it keeps in memory.
//
//   tickora_laps [--laps N]      (N defaults to 10000)
//
// The real main window, shown on the X server of the environment (bench/run
// gives it its Xvfb), counts on a fake clock and takes N laps through its lap
// button's handler, one second apart; after every lap the event loop runs
// once, so the list repaints and the window sends its new picture to the X
// server, as it does on a desktop. A lap's time is all of that, waits for the
// X server included. It prints the time per lap for each tenth of the run
// (the cost must stay flat: nothing may grow with the number of rows) and the
// resident memory the laps added, per lap.
// Each lap is timed on its own. A tenth is told by its 10th percentile, the
// time that the fastest tenth of its laps stay within: on a machine with
// other work the laps fall into a fast and a slow group by whatever else is
// running at the moment, which moves a tenth's median and mean (both printed
// beside it) by a third between two runs, while a list that grows slows
// every lap, the fast ones too.
#include "app/Startup.h"
#include "runtime/core/FakeClock.h"
#include "runtime/widgets/application/Lifecycle.h"
#include "stopwatch/main.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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
    // The runtime makes Qt's application object, as the program's does, so
    // the window talks to the X server as the program's window does.
    tickora::SetUpRuntime(argc, argv);
    tickora::runtime::FakeClock clock;
    tickora::runtime::SetClock(&clock);

    auto window = tickora::main::Instance();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // Timed from the window's first picture on, not its mapping and first paint.
    QElapsedTimer shown;
    shown.start();
    const QWindow *native = window->Widget()->windowHandle();
    while (native == nullptr || !native->isExposed()) {
        if (shown.hasExpired(10000)) {
            std::fprintf(stderr, "the window did not appear on the screen within 10 s\n");
            return 1;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        native = window->Widget()->windowHandle();
    }
    window->cStart_MouseDown(*window->cStart(), 0, 0);
    QCoreApplication::processEvents();
    const long long before = ResidentBytes();
    const long long block = laps / 10;
    QElapsedTimer elapsed;
    std::vector<qint64> lapNs(static_cast<std::size_t>(block));
    const auto us = [&lapNs](std::size_t rank) { return static_cast<double>(lapNs[rank]) / 1000.0; };
    for (long long done = 0; done < laps; done += block) {
        for (auto &ns : lapNs) {
            elapsed.start();
            clock.Advance(std::chrono::seconds(1));
            window->cReset_MouseDown(*window->cReset(), 0, 0);
            QCoreApplication::processEvents();
            ns = elapsed.nsecsElapsed();
        }
        double total = 0;
        for (const qint64 ns : lapNs)
            total += static_cast<double>(ns);
        std::sort(lapNs.begin(), lapNs.end());
        std::printf("laps %6lld-%-6lld p10 %7.1f  median %7.1f  mean %7.1f us/lap\n", done + 1, done + block,
                    us(lapNs.size() / 10), us(lapNs.size() / 2), total / 1000.0 / static_cast<double>(block));
    }
    const long long taken = window->Listbox1()->ListCount();
    std::printf("rows %lld, resident memory added %.0f bytes/lap\n", taken,
                static_cast<double>(ResidentBytes() - before) / static_cast<double>(taken));
    tickora::runtime::SetClock(nullptr);
    window = nullptr;
    // The windows go while Qt is still there to take their widgets down.
    tickora::runtime::RuntimePerformFinalizers();
    tickora::runtime::RuntimeExit();
    return taken == laps / 10 * 10 ? 0 : 1;
}
