#pragma once

#include "runtime/core/Control.h"
#include "runtime/core/Event.h"

#include <chrono>
#include <optional>

namespace tickora::runtime {

// A timer of a window. In mode 2 it raises Action every Period milliseconds
// while enabled. Ticks are anchored to the runtime clock when the timer is
// enabled, so tick N comes at anchor + N x Period and a held-up event loop
// still gets every tick it is owed.
//
// A pause loses no time. Disabling a running timer keeps the part of its
// period that has already run (and any tick that fell due but was not yet
// delivered); enabling it again brings the next tick after the rest of that
// period only. So a count of ticks equals the whole periods of running time
// across any number of pauses. Disabling a timer that is already disabled
// forgets the kept part: the next enable starts a full period, which is how a
// reset starts a fresh second. A new period or mode, and the opening of the
// timer's window, also start a full period.
//
// The instant of a switch is the call-back's moment (CallbackMoment), so
// timers switched together by one handler stay in phase, tick for tick.
class Timer : public Control {
public:
    enum Mode : std::int64_t { ModeOff = 0, ModeSingle = 1, ModeMultiple = 2 };

    Timer();
    ~Timer() override;

    std::int64_t RunMode() const { return m_mode; }
    void SetRunMode(std::int64_t mode);
    std::int64_t Period() const { return m_period; }
    void SetPeriod(std::int64_t milliseconds);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    Event<void(Timer &)> Action;

    void SetProperty(std::string_view name, const PropertyValue &value) override;
    void WindowClosed() override;
    // A window's timers begin their first period when it opens: the time
    // spent building the window is no running time.
    void RaiseOpen() override;

    // Runtime side. The due time of the next tick, while the timer runs.
    std::optional<std::chrono::nanoseconds> NextDue() const;

    // Over all running timers: the earliest due tick; the delivery of every
    // tick due by the clock's time, in the order they fall due, however late
    // the wake-up came; and the wake-up of the event loop for the next one.
    static std::optional<std::chrono::nanoseconds> NextDueTime();
    static void DeliverDueTicks();
    static void ScheduleWakeUp();
    // A clock was put in place: running timers re-anchor to it.
    static void ClockChanged();

protected:
    // A timer starts running when it joins its window, with the values it has then.
    void AttachToWindow(ControlHost &host, std::weak_ptr<runtime::Window> window) override;

private:
    bool Running() const { return m_enabled && m_mode != ModeOff && !m_closed; }
    void Restart();
    void Stop();
    void DeliverOne();

    std::int64_t m_mode = ModeMultiple;
    std::int64_t m_period = 1000;
    bool m_enabled = true;
    bool m_closed = false;
    std::chrono::nanoseconds m_anchor{0};
    std::int64_t m_delivered = 0;
    std::chrono::nanoseconds m_kept{0};
};

} // namespace tickora::runtime
