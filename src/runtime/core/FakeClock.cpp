#include "runtime/core/FakeClock.h"

#include "runtime/core/Timer.h"

namespace tickora::runtime {

namespace {
// The fake's wall time is whatever the test says it is; kept without a time
// zone, it needs no conversion (each local conversion reads the system's
// zone files, and a test steps through millions of seconds).
QDateTime WithoutZone(const QDateTime &local) { return QDateTime(local.date(), local.time(), Qt::UTC); }
} // namespace

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
