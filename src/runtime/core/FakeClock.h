#pragma once

#include "runtime/core/Clock.h"

namespace tickora::runtime {

// A clock that moves only when told. Advancing it delivers every timer tick
// that falls due, in the order the ticks fall due, as a late event loop would.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime localStart = QDateTime(QDate(2026, 1, 1), QTime(0, 0)));

    std::chrono::nanoseconds SteadyNow() const override { return m_steady; }
    QDateTime LocalNow() const override;
    bool IsManual() const override { return true; }

    void Advance(std::chrono::nanoseconds by);
    void SetLocalTime(const QDateTime &local);

private:
    std::chrono::nanoseconds m_steady{0};
    QDateTime m_localStart;
    std::chrono::nanoseconds m_localAnchor{0};
};

} // namespace tickora::runtime
