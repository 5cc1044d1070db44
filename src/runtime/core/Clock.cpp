#include "runtime/core/Clock.h"

#include <QThread>

namespace tickora::runtime {

namespace {
// Never destroyed, like every registry of the runtime (see Process.cpp):
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
void (*&ChangeListener())()
{
    static void (*listener)() = nullptr;
    return listener;
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
    if (ChangeListener())
        ChangeListener()();
}

void SetClockChangeListener(void (*listener)()) { ChangeListener() = listener; }

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

} // namespace tickora::runtime
