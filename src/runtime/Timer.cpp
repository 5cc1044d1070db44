#include "runtime/Timer.h"

#include "runtime/Clock.h"
#include "runtime/TickSchedule.h"

#include <QTimer>

#include <algorithm>
#include <vector>

namespace tickora::runtime {

namespace {

std::vector<Timer *> &RunningTimers()
{
    static std::vector<Timer *> timers;
    return timers;
}

std::chrono::nanoseconds Milliseconds(std::int64_t ms)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::milliseconds(ms));
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
    Restart();
}

void Timer::SetPeriod(std::int64_t milliseconds)
{
    CheckUIThread();
    milliseconds = std::max<std::int64_t>(milliseconds, 1);
    if (milliseconds == m_period)
        return;
    m_period = milliseconds;
    Restart();
}

void Timer::SetEnabled(bool enabled)
{
    CheckUIThread();
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Restart();
}

void Timer::AttachToWindow(runtime::Window &window)
{
    Control::AttachToWindow(window);
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
    m_anchor = CurrentClock().SteadyNow();
    m_delivered = 0;
    RunningTimers().push_back(this);
    Schedule();
}

void Timer::Stop()
{
    auto &running = RunningTimers();
    running.erase(std::remove(running.begin(), running.end(), this), running.end());
    if (m_wakeUp)
        m_wakeUp->stop();
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

void Timer::DeliverDue()
{
    const auto now = CurrentClock().SteadyNow();
    const auto anchor = m_anchor;
    const auto due = ticks::TicksDue(anchor, Milliseconds(m_period), now);
    // A handler may disable, re-enable or re-time the timer; then what was
    // owed under the old anchor is no longer owed.
    while (Running() && m_anchor == anchor && m_delivered < due)
        DeliverOne();
    if (Running() && m_anchor == anchor)
        Schedule();
}

void Timer::Schedule()
{
    if (CurrentClock().IsManual()) {
        if (m_wakeUp)
            m_wakeUp->stop();
        return;
    }
    if (!m_wakeUp) {
        m_wakeUp = std::make_unique<QTimer>();
        m_wakeUp->setSingleShot(true);
        m_wakeUp->setTimerType(Qt::PreciseTimer);
        QObject::connect(m_wakeUp.get(), &QTimer::timeout, [this] { DeliverDue(); });
    }
    const auto now = CurrentClock().SteadyNow();
    const auto wait = ticks::MillisecondsUntil(now, *NextDue());
    m_wakeUp->start(static_cast<int>(std::min<std::int64_t>(wait, 24LL * 3600 * 1000)));
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
