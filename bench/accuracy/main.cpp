// How far the total Tickora shows is from the time that really passed.
//
//   tickora_accuracy [--seconds N]      (N defaults to 120; hours are fine)
//
// The real program starts as it always does (its own start-up, main window,
// event loop and system clock); the benchmark rides along on that loop. It
// clicks the start button as a user would, then watches the three fields
// every millisecond. Each time the display changes it notes shown - elapsed,
// elapsed being steady-clock time since the click, so the error is read at
// the moment a second is shown rather than somewhere inside it: a watch that
// is exactly right reads 0.000 (less the probe's millisecond), one that lost
// a tick about -1, one that drifts ever further from 0. "worst" is the
// largest error seen at any change of the display during the run.
// The first run leaves the loop alone; the second holds it up three times
// for 2.5 s, as a slow handler or a stalled desktop would; the third pauses
// the watch 50 times, each pause at a random point of a second and 0.1 to
// 1.5 s long, and counts only the time it ran ("elapsed" is running time
// there). Each run ends at the first change of the display at or after N
// seconds of running time.
//
// One line per run; the exit code is 0 whenever all three runs were measured.
#include "app/Startup.h"
#include "runtime/core/Process.h"
#include "runtime/widgets/application/Application.h"
#include "stopwatch/main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr QPoint kStartButton{76, 82};
constexpr QPoint kResetButton{483, 82};
constexpr qint64 kHoldUpMs = 2500;
// Past this much lateness the display is not coming; the run reports what it shows.
constexpr qint64 kGiveUpMs = 5000;
// A gap this long between two probes means the loop was held up.
constexpr qint64 kHeldUpMs = 20;

tickora::main::Ref<tickora::main> Window() { return tickora::main::Instance(); }

// Parsed here rather than with the program's own helpers, so a fault in
// those cannot hide itself.
qint64 ShownSeconds()
{
    const auto window = Window();
    return window->stu()->Text().toLongLong() * 3600 + window->min()->Text().toLongLong() * 60
        + window->sec()->Text().toLongLong();
}

void Click(QPoint inContent)
{
    const auto window = Window();
    QWidget *frame = window->Widget();
    QTest::mouseClick(frame->windowHandle(), Qt::LeftButton, {},
                      window->ContentWidget()->mapTo(frame, inContent));
}

void BusyWait(qint64 ms)
{
    QElapsedTimer held;
    held.start();
    while (!held.hasExpired(ms)) {
    }
}

struct Result {
    double elapsed = 0;
    qint64 shown = 0;
    double error = 0;
    double worst = 0;
};

class Run : public QObject {
public:
    Run(qint64 seconds, int holdUps, int pauses, std::function<void(const Result &)> done)
        : m_seconds(seconds), m_holdUps(holdUps), m_pauses(pauses), m_done(std::move(done))
    {
        m_probe.setTimerType(Qt::PreciseTimer);
        m_probe.setInterval(1);
        connect(&m_probe, &QTimer::timeout, this, &Run::Probe);
    }

    void Begin()
    {
        m_lastShown = ShownSeconds();
        m_clock.start();
        Click(kStartButton);
        m_probe.start();
        // A little past whole seconds, so each hold-up spans tick times.
        for (int i = 1; i <= m_holdUps; ++i)
            QTimer::singleShot(m_seconds * 1000 * i / (m_holdUps + 1) + 300, Qt::PreciseTimer, this,
                               [] { BusyWait(kHoldUpMs); });
        // Pauses spread over the run, each somewhere inside its second.
        std::uniform_int_distribution<qint64> phase(0, 999);
        for (int i = 1; i <= m_pauses; ++i)
            m_pauseAtNs.push_back((m_seconds * 1000 * i / (m_pauses + 1) + phase(m_random)) * 1'000'000);
        std::reverse(m_pauseAtNs.begin(), m_pauseAtNs.end());
    }

private:
    // Stops and starts the watch as the pause plan says; true while it is paused.
    bool Paused(qint64 wallNs)
    {
        if (m_resumeAtNs >= 0) {
            if (wallNs < m_resumeAtNs)
                return true;
            Click(kStartButton);
            m_pausedNs += wallNs - m_pausedSinceNs;
            m_resumeAtNs = -1;
            return false;
        }
        if (!m_pauseAtNs.empty() && wallNs - m_pausedNs >= m_pauseAtNs.back()) {
            m_pauseAtNs.pop_back();
            Click(kStartButton);
            m_pausedSinceNs = wallNs;
            m_resumeAtNs = wallNs + std::uniform_int_distribution<qint64>(100, 1500)(m_random) * 1'000'000;
            return true;
        }
        return false;
    }

    void Probe()
    {
        const qint64 wallNs = m_clock.nsecsElapsed();
        if (Paused(wallNs))
            return;
        const qint64 shown = ShownSeconds();
        const qint64 nowNs = wallNs - m_pausedNs;
        // For a second after the loop was held up, changes (the catching up)
        // are seen wherever in a second they happen: such readings are the
        // hold-up's, not the watch's. A count that did not catch up shows at
        // the next tick edge after that.
        if (nowNs - m_previousProbeNs > kHeldUpMs * 1'000'000)
            m_settledAtNs = nowNs + 1'000'000'000;
        m_previousProbeNs = nowNs;
        const bool atEdge = nowNs >= m_settledAtNs;
        const double elapsed = static_cast<double>(nowNs) / 1e9;
        const double error = static_cast<double>(shown) - elapsed;
        if (shown != m_lastShown) {
            m_lastShown = shown;
            if (atEdge) {
                m_last = {elapsed, shown, error, std::max(m_last.worst, std::abs(error))};
                if (shown >= m_seconds)
                    return Finish();
            }
        }
        if (nowNs / 1'000'000 > m_seconds * 1000 + kGiveUpMs) {
            m_last = {elapsed, shown, error, std::max(m_last.worst, std::abs(error))};
            Finish();
        }
    }

    void Finish()
    {
        m_probe.stop();
        m_done(m_last);
    }

    qint64 m_seconds;
    int m_holdUps;
    int m_pauses;
    std::mt19937 m_random{20261207};
    std::vector<qint64> m_pauseAtNs; // running time of each pause still to come, the next one last
    qint64 m_pausedNs = 0, m_pausedSinceNs = 0, m_resumeAtNs = -1;
    std::function<void(const Result &)> m_done;
    QElapsedTimer m_clock;
    QTimer m_probe;
    qint64 m_lastShown = 0;
    qint64 m_previousProbeNs = 0;
    qint64 m_settledAtNs = 0;
    Result m_last;
};

void Print(const char *name, const Result &result)
{
    std::printf("run=%-8s elapsed_s=%.3f shown_s=%lld error_s=%+.3f worst_abs_error_s=%.3f\n", name,
                result.elapsed, static_cast<long long>(result.shown), result.error, result.worst);
    std::fflush(stdout);
}

qint64 SecondsOption(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0) {
            const long long seconds = std::atoll(argv[i + 1]);
            if (seconds >= 1)
                return seconds;
            std::fprintf(stderr, "--seconds wants a whole number of at least 1\n");
            std::exit(2);
        }
    }
    return 120;
}

} // namespace

int main(int argc, char **argv)
{
    const qint64 seconds = SecondsOption(argc, argv);
    // The program's start-up uses the application that already exists.
    QApplication application(argc, argv);

    int measured = 0;
    // Stop, reset, and count again from zero.
    const auto stopAndReset = [] {
        Click(kStartButton);
        Click(kResetButton);
        if (ShownSeconds() != 0)
            std::fprintf(stderr, "the reset left %lld s on the display\n",
                         static_cast<long long>(ShownSeconds()));
    };
    Run paused(seconds, 0, 50, [&](const Result &result) {
        Print("paused", result);
        ++measured;
        tickora::runtime::Quit(0);
    });
    Run held(seconds, 3, 0, [&](const Result &result) {
        Print("held_up", result);
        ++measured;
        stopAndReset();
        paused.Begin();
    });
    Run steady(seconds, 0, 0, [&](const Result &result) {
        Print("steady", result);
        ++measured;
        stopAndReset();
        held.Begin();
    });
    // Once the loop runs, the program has built and shown its window.
    QTimer::singleShot(0, &steady, &Run::Begin);

    tickora::ProcessEntry(argc, argv);
    if (measured < 3) {
        std::fprintf(stderr, "the program ended before all runs were measured\n");
        return 1;
    }
    return 0;
}
