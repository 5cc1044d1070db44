#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/Clock.h"
#include "runtime/TickSchedule.h"
#include "runtime/Timer.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using std::chrono::nanoseconds;
using runtime::Ref;
using runtime::Timer;
namespace ticks = runtime::ticks;

struct DueCase {
    nanoseconds anchor, period;
    std::int64_t tick;
    nanoseconds due;
};

class TickDueTime : public ::testing::TestWithParam<DueCase> {};

TEST_P(TickDueTime, IsAnchorPlusTicksTimesPeriod)
{
    const DueCase &c = GetParam();
    EXPECT_EQ(ticks::DueTime(c.anchor, c.period, c.tick).count(), c.due.count());
}

INSTANTIATE_TEST_SUITE_P(Table, TickDueTime,
                         ::testing::Values(DueCase{0ns, 1000ms, 1, 1000ms}, DueCase{5s, 1s, 3, 8s},
                                           DueCase{250ms, 10ms, 0, 250ms}, DueCase{7ns, 1000ms, 60, 60s + 7ns}));

struct CountCase {
    nanoseconds anchor, period, now;
    std::int64_t due;
};

class TicksDueBy : public ::testing::TestWithParam<CountCase> {};

TEST_P(TicksDueBy, CountsWholePeriodsSinceTheAnchor)
{
    const CountCase &c = GetParam();
    EXPECT_EQ(ticks::TicksDue(c.anchor, c.period, c.now), c.due);
}

INSTANTIATE_TEST_SUITE_P(Table, TicksDueBy,
                         ::testing::Values(CountCase{0ns, 1000ms, 999ms, 0}, CountCase{0ns, 1000ms, 1000ms, 1},
                                           CountCase{0ns, 1000ms, 3500ms, 3}, CountCase{2s, 1s, 5s, 3},
                                           CountCase{2s, 1s, 5s - 1ns, 2}, CountCase{10s, 1s, 9s, 0},
                                           CountCase{10s, 1s, 10s, 0}, CountCase{0ns, 0ns, 5s, 0},
                                           CountCase{0ns, -1s, 5s, 0}, CountCase{1s, 10ms, 1s + 10ms * 3600, 3600}));

struct WaitCase {
    nanoseconds now, due;
    std::int64_t milliseconds;
};

class WaitUntilDue : public ::testing::TestWithParam<WaitCase> {};

TEST_P(WaitUntilDue, RoundsUpAndNeverGoesNegative)
{
    const WaitCase &c = GetParam();
    EXPECT_EQ(ticks::MillisecondsUntil(c.now, c.due), c.milliseconds);
}

INSTANTIATE_TEST_SUITE_P(Table, WaitUntilDue,
                         ::testing::Values(WaitCase{0ns, 1ms, 1}, WaitCase{0ns, 1ns, 1}, WaitCase{0ns, 1ms + 1ns, 2},
                                           WaitCase{0ns, 999999ns, 1}, WaitCase{5s, 6s, 1000}, WaitCase{3s, 3s, 0},
                                           WaitCase{3s, 2s, 0}, WaitCase{10ms + 1ns, 20ms, 10}));

// Wherever the clock stands, the count names the last due tick and the wait
// wakes up no earlier than the next one, and less than a millisecond after it.
TEST(TickSchedule, CountAndWaitAgreeWithTheDueTimes)
{
    const nanoseconds anchor = 123456789ns;
    for (const nanoseconds period : {1ms, 7ms, 1000ms}) {
        for (nanoseconds now = anchor; now < anchor + period * 5; now += period / 3 + 1ns) {
            const std::int64_t done = ticks::TicksDue(anchor, period, now);
            const nanoseconds next = ticks::DueTime(anchor, period, done + 1);
            EXPECT_LE(ticks::DueTime(anchor, period, done), now);
            EXPECT_GT(next, now);
            const nanoseconds wake = now + std::chrono::milliseconds(ticks::MillisecondsUntil(now, next));
            EXPECT_GE(wake, next);
            EXPECT_LT(wake - next, 1ms);
        }
    }
}

// Puts another clock in place for one test, and the fixture's fake back after it.
struct ClockInPlace {
    ClockInPlace(runtime::Clock *other, runtime::FakeClock &fake) : m_fake(fake) { runtime::SetClock(other); }
    ~ClockInPlace() { runtime::SetClock(&m_fake); }
    runtime::FakeClock &m_fake;
};

// Timers of a window, on the fixture's fake clock, which the test steps.
class TimerTicks : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = TestWindow::Make();
    }

    Ref<Timer> AddTimer(const QString &name, const runtime::PropertyList &list = {{"RunMode", 2}, {"Period", 1000}})
    {
        auto timer = AddNamed<Timer>(*window, name, list);
        timer->Action.AddHandler([this, name](Timer &) { log << name; });
        return timer;
    }

    qsizetype Count() const { return log.count(u"t"_s); }

    Ref<TestWindow> window;
    QStringList log;
};

class TicksAfterWholePeriods : public TimerTicks, public ::testing::WithParamInterface<int> {};

TEST_P(TicksAfterWholePeriods, ExactlyOnePerPeriodAndNoneEarly)
{
    const int n = GetParam();
    AddTimer(u"t"_s);
    clock.Advance(1000ms * n - 1ms);
    EXPECT_EQ(Count(), n - 1);
    clock.Advance(1ms);
    EXPECT_EQ(Count(), n);
}

INSTANTIATE_TEST_SUITE_P(Counts, TicksAfterWholePeriods, ::testing::Values(1, 2, 5, 3600));

TEST_F(TimerTicks, HeldUpLoopGetsEveryTickOwedEachAtItsDueTime)
{
    std::vector<nanoseconds> seen;
    auto timer = AddTimer(u"t"_s);
    timer->Action.AddHandler([&](Timer &) { seen.push_back(runtime::CurrentClock().SteadyNow()); });
    clock.Advance(3500ms);
    EXPECT_EQ(seen, (std::vector<nanoseconds>{1000ms, 2000ms, 3000ms}));
    clock.Advance(500ms);
    EXPECT_EQ(seen.size(), 4u);
}

// The real event loop's wake-up may come late: it delivers what is owed and
// keeps the anchor, so lateness never shifts the following ticks.
TEST_F(TimerTicks, LateWakeUpDeliversEveryTickOwedAndKeepsTheAnchor)
{
    class SteppedClock final : public runtime::Clock {
    public:
        nanoseconds SteadyNow() const override { return now; }
        QDateTime LocalNow() const override { return {}; }
        nanoseconds now{0};
    } late;
    ClockInPlace inPlace(&late, clock);

    auto timer = AddTimer(u"t"_s);
    late.now = 3500ms;
    timer->DeliverDue();
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(timer->NextDue(), std::optional<nanoseconds>(4000ms));
    late.now = 4000ms;
    timer->DeliverDue();
    EXPECT_EQ(Count(), 4);
}

TEST_F(TimerTicks, DisablingInsideTheHandlerStopsFurtherTicks)
{
    auto timer = AddTimer(u"t"_s);
    timer->Action.AddHandler([&](Timer &self) {
        log << u"t"_s;
        if (Count() == 2)
            self.SetEnabled(false);
    });
    clock.Advance(5000ms);
    EXPECT_EQ(Count(), 2);
}

TEST_F(TimerTicks, ReEnablingAnchorsAtTheEnableTime)
{
    auto timer = AddTimer(u"t"_s);
    clock.Advance(1500ms);
    timer->SetEnabled(false);
    clock.Advance(1000ms);
    EXPECT_EQ(Count(), 1);
    timer->SetEnabled(true);
    clock.Advance(999ms);
    EXPECT_EQ(Count(), 1);
    clock.Advance(1ms);
    EXPECT_EQ(Count(), 2);
}

// The program applies its lists again while a timer runs; unchanged values
// must not move the timer's ticks.
TEST_F(TimerTicks, SettingTheSameValuesAgainKeepsTheAnchor)
{
    auto timer = AddTimer(u"t"_s);
    clock.Advance(600ms);
    timer->SetRunMode(Timer::ModeMultiple);
    timer->SetPeriod(1000);
    timer->SetEnabled(true);
    runtime::SetProperties(*timer, {{"RunMode", 2}, {"Period", 1000}, {"Enabled", true}});
    clock.Advance(400ms);
    EXPECT_EQ(Count(), 1);
}

TEST_F(TimerTicks, TimersEnabledTogetherTickInterleaved)
{
    AddTimer(u"A"_s);
    AddTimer(u"B"_s);
    clock.Advance(3000ms);
    EXPECT_EQ(log, (QStringList{u"A"_s, u"B"_s, u"A"_s, u"B"_s, u"A"_s, u"B"_s}));
}

TEST_F(TimerTicks, TimersOfDifferentPeriodsTickInDueOrder)
{
    AddTimer(u"fast"_s, {{"Period", 300}});
    AddTimer(u"slow"_s, {{"Period", 500}});
    clock.Advance(1000ms);
    EXPECT_EQ(log, (QStringList{u"fast"_s, u"slow"_s, u"fast"_s, u"fast"_s, u"slow"_s}));
}

TEST_F(TimerTicks, SingleModeFiresOnceUntilSetAgain)
{
    auto timer = AddTimer(u"t"_s, {{"RunMode", 1}, {"Period", 1000}});
    clock.Advance(5000ms);
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(timer->RunMode(), Timer::ModeOff);

    timer->SetRunMode(Timer::ModeSingle);
    clock.Advance(999ms);
    EXPECT_EQ(Count(), 1);
    clock.Advance(5000ms);
    EXPECT_EQ(Count(), 2);
}

TEST_F(TimerTicks, WindowClosedByItsOwnTimerGetsNoFurtherTicks)
{
    auto timer = AddTimer(u"t"_s);
    timer->Action.AddHandler([this, self = window.Get()](Timer &) {
        log << u"t"_s;
        self->Close();
    });
    std::weak_ptr<runtime::Window> weak = window.Shared();
    window = nullptr;
    timer = nullptr;
    clock.Advance(3000ms);
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(quitCodes, std::vector<int>{0});
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(weak.expired());
}

// Not a timing measurement: only that the wake-up on the real event loop
// comes at all and delivers the tick.
TEST_F(TimerTicks, FirstTickComesThroughTheRealEventLoop)
{
    ClockInPlace systemClock(nullptr, clock);
    QEventLoop loop;
    auto timer = AddTimer(u"t"_s, {{"Period", 20}});
    timer->Action.AddHandler([&](Timer &) {
        log << u"t"_s;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    timer->SetEnabled(false);
    EXPECT_GE(Count(), 1);
}

} // namespace
} // namespace tickora::testing
