#include "runtime/core/Timer.h"

#include "runtime/core/Clock.h"
#include "runtime/core/TickSchedule.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace tickora::runtime {

namespace {

// Never destroyed, like every registry of the runtime (see Process.cpp): a
// timer of a window still open when the process ends must find it. Made
// before any timer runs, so a clock put in place later re-anchors them all.
std::vector<Timer *> &RunningTimers()
{
    static std::vector<Timer *> &timers = [] () -> std::vector<Timer *> & {
        SetClockChangeListener(&Timer::ClockChanged);
        return *new std::vector<Timer *>;
    }();
    return timers;
}

std::chrono::nanoseconds Milliseconds(std::int64_t ms)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::milliseconds(ms));
}

// One wake-up serves every timer. Ticks that fall due together (the total's
// and the lap's timers are enabled in the same moment) then cost one turn of
// the event loop, not one each. It belongs to the application object, so it
// never outlives Qt.
QTimer *SharedWakeUp()
{
    static QPointer<QTimer> wakeUp;
    if (!wakeUp && QCoreApplication::instance()) {
        wakeUp = new QTimer(QCoreApplication::instance());
        wakeUp->setSingleShot(true);
        wakeUp->setTimerType(Qt::PreciseTimer);
        QObject::connect(wakeUp, &QTimer::timeout, [] {
            Timer::DeliverDueTicks();
            Timer::ScheduleWakeUp();
        });
    }
    return wakeUp;
}

} // namespace

Timer::Timer() = default;

Timer::~Timer() { Stop(); }

void Timer::SetRunMode(std::int64_t mode)
{
    CheckUIThread();
    if (mode == m_mode)
        return;
    m_mode = std::clamp<std::int64_t>(mode, ModeOff, ModeMultiple);
    m_kept = {};
    Restart();
}

void Timer::SetPeriod(std::int64_t milliseconds)
{
    CheckUIThread();
    milliseconds = std::max<std::int64_t>(milliseconds, 1);
    if (milliseconds == m_period)
        return;
    m_period = milliseconds;
    m_kept = {};
    Restart();
}

void Timer::SetEnabled(bool enabled)
{
    CheckUIThread();
    if (enabled == m_enabled) {
        if (!enabled)
            m_kept = {};
        return;
    }
    if (!enabled && Running()) {
        const auto lastDue = ticks::DueTime(m_anchor, Milliseconds(m_period), m_delivered);
        m_kept = std::max(CallbackMoment() - lastDue, std::chrono::nanoseconds::zero());
    }
    m_enabled = enabled;
    Restart();
}

void Timer::RaiseOpen()
{
    m_kept = {};
    Restart();
}

void Timer::AttachToWindow(ControlHost &host, std::weak_ptr<runtime::Window> window)
{
    Control::AttachToWindow(host, std::move(window));
    Restart();
}

void Timer::WindowClosed()
{
    m_closed = true;
    Stop();
}

void Timer::SetProperty(std::string_view name, const PropertyValue &value)
{
    using T = PropertyTable<Timer>;
    static const T table{
        T::Setter("RunMode", &Timer::SetRunMode),
        T::Setter("Period", &Timer::SetPeriod),
        T::Setter("Enabled", &Timer::SetEnabled),
    };
    if (!table.Apply(*this, name, value))
        Control::SetProperty(name, value);
}

void Timer::Restart()
{
    Stop();
    if (!Running())
        return;
    m_anchor = CallbackMoment() - m_kept;
    m_kept = {};
    m_delivered = 0;
    RunningTimers().push_back(this);
    ScheduleWakeUp();
}

void Timer::Stop()
{
    auto &running = RunningTimers();
    const auto end = std::remove(running.begin(), running.end(), this);
    if (end == running.end())
        return;
    running.erase(end, running.end());
    ScheduleWakeUp();
}

std::optional<std::chrono::nanoseconds> Timer::NextDue() const
{
    if (!Running())
        return std::nullopt;
    return ticks::DueTime(m_anchor, Milliseconds(m_period), m_delivered + 1);
}

void Timer::DeliverOne()
{
    ++m_delivered;
    if (m_mode == ModeSingle) {
        // A single-shot timer turns itself off before its one Action.
        m_mode = ModeOff;
        Stop();
    }
    Action.Raise(*this);
}

void Timer::ScheduleWakeUp()
{
    QTimer *wakeUp = SharedWakeUp();
    if (!wakeUp)
        return;
    const auto next = NextDueTime();
    // A fake clock delivers its ticks as it is stepped, never by waiting.
    if (!next || CurrentClock().IsManual()) {
        wakeUp->stop();
        return;
    }
    const auto wait = ticks::MillisecondsUntil(CurrentClock().SteadyNow(), *next);
    wakeUp->start(static_cast<int>(std::min<std::int64_t>(wait, 24LL * 3600 * 1000)));
}

std::optional<std::chrono::nanoseconds> Timer::NextDueTime()
{
    std::optional<std::chrono::nanoseconds> earliest;
    for (Timer *timer : RunningTimers()) {
        const auto due = timer->NextDue();
        if (due && (!earliest || *due < *earliest))
            earliest = due;
    }
    return earliest;
}

void Timer::DeliverDueTicks()
{
    const auto now = CurrentClock().SteadyNow();
    for (;;) {
        Timer *next = nullptr;
        std::chrono::nanoseconds nextDue{};
        for (Timer *timer : RunningTimers()) {
            const auto due = timer->NextDue();
            if (due && *due <= now && (!next || *due < nextDue)) {
                next = timer;
                nextDue = *due;
            }
        }
        if (!next)
            return;
        next->DeliverOne();
    }
}

void Timer::ClockChanged()
{
    const std::vector<Timer *> running = RunningTimers();
    for (Timer *timer : running)
        timer->Restart();
}

} // namespace tickora::runtime
