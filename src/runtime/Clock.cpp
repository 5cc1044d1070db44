#include "runtime/Clock.h"

#include "runtime/Timer.h"

#include <QThread>

namespace tickora::runtime {

namespace {
// Never destroyed, like every registry of the runtime (see Runtime.cpp):
// timers still running when the process ends read it.
SystemClock &TheSystemClock()
{
    static SystemClock &clock = *new SystemClock;
    return clock;
}
Clock *&Installed()
{
    static Clock *clock = nullptr;
    return clock;
}

CallbackMomentScope::State &CurrentMoment()
{
    static CallbackMomentScope::State state;
    return state;
}

int EventLoopLevel() { return QThread::currentThread()->loopLevel(); }
} // namespace

Clock::~Clock() = default;

Clock &CurrentClock()
{
    Clock *installed = Installed();
    return installed ? *installed : TheSystemClock();
}

void SetClock(Clock *clock)
{
    Installed() = clock;
    Timer::ClockChanged();
}

std::chrono::nanoseconds CallbackMoment()
{
    CallbackMomentScope::State &current = CurrentMoment();
    if (current.loopLevel < 0)
        return CurrentClock().SteadyNow();
    if (!current.moment)
        current.moment = CurrentClock().SteadyNow();
    return *current.moment;
}

CallbackMomentScope::CallbackMomentScope() : m_outer(CurrentMoment())
{
    const int level = EventLoopLevel();
    if (m_outer.loopLevel != level) {
        m_owner = true;
        CurrentMoment() = State{level, std::nullopt};
    }
}

CallbackMomentScope::~CallbackMomentScope()
{
    if (m_owner)
        CurrentMoment() = m_outer;
}

std::chrono::nanoseconds SystemClock::SteadyNow() const
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

QDateTime SystemClock::LocalNow() const { return QDateTime::currentDateTime(); }

// The fake's wall time is whatever the test says it is; kept without a time
// zone, it needs no conversion (each local conversion reads the system's
// zone files, and a test steps through millions of seconds).
static QDateTime WithoutZone(const QDateTime &local) { return QDateTime(local.date(), local.time(), Qt::UTC); }

FakeClock::FakeClock(QDateTime localStart) : m_localStart(WithoutZone(localStart)) {}

QDateTime FakeClock::LocalNow() const
{
    const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(m_steady - m_localAnchor);
    return m_localStart.addMSecs(since.count());
}

void FakeClock::Advance(std::chrono::nanoseconds by)
{
    const std::chrono::nanoseconds target = m_steady + by;
    // Step from one due tick to the next so that every handler sees the time
    // at which its tick fell due, and ticks of different timers interleave.
    for (;;) {
        const auto next = Timer::NextDueTime();
        if (!next || *next > target)
            break;
        if (*next > m_steady)
            m_steady = *next;
        Timer::DeliverDueTicks();
    }
    m_steady = target;
}

void FakeClock::SetLocalTime(const QDateTime &local)
{
    m_localStart = WithoutZone(local);
    m_localAnchor = m_steady;
}

} // namespace tickora::runtime
