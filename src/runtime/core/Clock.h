#pragma once

#include <QDateTime>

#include <chrono>
#include <optional>

namespace tickora::runtime {

// The runtime's only source of time. Timers are anchored to SteadyNow, the
// wall clock reads LocalNow; tests put a FakeClock (FakeClock.h) in place and step it.
class Clock {
public:
    virtual ~Clock();
    virtual std::chrono::nanoseconds SteadyNow() const = 0;
    virtual QDateTime LocalNow() const = 0;
    // True when timers must not wait on the real event loop but fire as the
    // clock is stepped (a fake clock).
    virtual bool IsManual() const { return false; }
};

Clock &CurrentClock();
// Puts a clock in place; nullptr restores the system clock. The clock must
// outlive its use. Running timers re-anchor to it (they listen, see below).
void SetClock(Clock *clock);
// Called after every SetClock. One listener: the timers' schedule, which the
// clock itself knows nothing of.
void SetClockChangeListener(void (*listener)());

// The steady time of the call-back being run, read once for the outermost
// call-back: what one handler switches (the total's and the lap's timers in
// one click) is switched at one instant. Outside call-backs, the clock's now.
std::chrono::nanoseconds CallbackMoment();

// Held by the call-back boundary for the length of each call-back. A
// call-back from a nested event loop (a modal dialog) gets a moment of its
// own, since time goes on while the outer call-back waits.
class CallbackMomentScope {
public:
    CallbackMomentScope();
    ~CallbackMomentScope();
    CallbackMomentScope(const CallbackMomentScope &) = delete;
    CallbackMomentScope &operator=(const CallbackMomentScope &) = delete;

    struct State {
        int loopLevel = -1; // -1: no call-back is running
        std::optional<std::chrono::nanoseconds> moment;
    };

private:
    State m_outer;
    bool m_owner = false;
};

class SystemClock final : public Clock {
public:
    std::chrono::nanoseconds SteadyNow() const override;
    QDateTime LocalNow() const override;
};

} // namespace tickora::runtime
