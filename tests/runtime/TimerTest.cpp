#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/core/TickSchedule.h"
#include "runtime/core/Timer.h"

#include <QEventLoop>
#include <QTimer>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using std::chrono::nanoseconds;
using runtime::Timer;
namespace ticks = runtime::ticks;

TEST(TickSchedule, DueTimesCountsAndWaitsIncludingTheEdges)
{
    EXPECT_EQ(ticks::DueTime(7ns, 1s, 60), 60s + 7ns);
    struct Count { nanoseconds anchor, period, now; std::int64_t due; };
    const Count counts[] = {{0ns, 1s, 999ms, 0}, {0ns, 1s, 1s, 1},  {0ns, 1s, 3500ms, 3}, {2s, 1s, 5s - 1ns, 2},
                            {10s, 1s, 9s, 0},    {0ns, 0ns, 5s, 0}, {0ns, -1s, 5s, 0},    {1s, 10ms, 37s, 3600}};
    for (const Count &c : counts)
        EXPECT_EQ(ticks::TicksDue(c.anchor, c.period, c.now), c.due) << c.now.count();
    struct Wait { nanoseconds now, due; std::int64_t ms; };
    const Wait waits[] = {{0ns, 1ns, 1}, {0ns, 1ms, 1}, {0ns, 1ms + 1ns, 2}, {5s, 6s, 1000},
                          {3s, 3s, 0},   {3s, 2s, 0},   {10ms + 1ns, 20ms, 10}};
    for (const Wait &c : waits)
        EXPECT_EQ(ticks::MillisecondsUntil(c.now, c.due), c.ms) << c.now.count() << " until " << c.due.count();
}

// Timers of a window, on the fixture's fake clock, which the test steps.
class Timers : public RuntimeFixture {
protected:
    runtime::Ref<Timer> Add(const QString &name, const runtime::PropertyList &list = {{"Period", 1000}})
    {
        auto timer = AddNamed<Timer>(*window, name, list);
        timer->Action.AddHandler([this, name](Timer &) { log << name; });
        return timer;
    }

    // Set by hand and, like the real event loop's clock, delivering nothing by itself.
    struct SteppedClock final : runtime::Clock {
        nanoseconds SteadyNow() const override { return now; }
        QDateTime LocalNow() const override { return {}; }
        nanoseconds now{0};
    } stepped;
    runtime::Ref<TestWindow> window = TestWindow::Make();
    QStringList log;
};

TEST_F(Timers, ExactlyNTicksAfterNPeriodsEachAtItsDueTime)
{
    std::vector<nanoseconds> seen;
    auto heldUp = Add(u"held up"_s);
    heldUp->Action.AddHandler([&](Timer &) { seen.push_back(runtime::CurrentClock().SteadyNow()); });
    clock.Advance(3500ms);
    EXPECT_EQ(seen, (std::vector<nanoseconds>{1000ms, 2000ms, 3000ms})) << "a held-up loop gets every tick";
    heldUp->SetEnabled(false);
    for (int n : {1, 2, 5, 3600}) {
        log.clear();
        auto timer = Add(u"t"_s);
        clock.Advance(1000ms * n - 1ms);
        EXPECT_EQ(log.size(), n - 1) << n;
        clock.Advance(1ms);
        EXPECT_EQ(log.size(), n) << n;
        timer->SetEnabled(false);
    }
}

// The real event loop's wake-up may come late: it delivers all that is owed
// and keeps the anchor, so lateness never shifts the following ticks.
TEST_F(Timers, LateWakeUpDeliversEveryTickOwedWithoutDrift)
{
    runtime::SetClock(&stepped);
    auto timer = Add(u"t"_s);
    stepped.now = 3500ms;
    runtime::Timer::DeliverDueTicks();
    EXPECT_EQ(log.size(), 3);
    EXPECT_EQ(timer->NextDue(), std::optional<nanoseconds>(4000ms));
    stepped.now = 4000ms;
    runtime::Timer::DeliverDueTicks();
    EXPECT_EQ(log.size(), 4);
}

// Disabled inside its handler at 2 s and enabled again at 5 s, the timer ticks
// at 6 s, however often the program applies the same values in between.
TEST_F(Timers, DisablingInTheHandlerStopsAndReEnablingAnchorsAnew)
{
    auto timer = Add(u"t"_s);
    timer->Action.AddHandler([&](Timer &self) {
        log << u"t"_s;
        self.SetEnabled(log.size() != 2);
    });
    clock.Advance(5000ms);
    EXPECT_EQ(log.size(), 2);
    timer->SetEnabled(true);
    clock.Advance(600ms);
    runtime::SetProperties(*timer, {{"RunMode", 2}, {"Period", 1000}, {"Enabled", true}});
    clock.Advance(399ms);
    EXPECT_EQ(log.size(), 2);
    clock.Advance(1ms);
    EXPECT_EQ(log.size(), 3);
}

// Time goes on between two switches in one handler; the timers must not drift
// apart by it, pause after pause, or a lap could fall between their ticks.
TEST_F(Timers, TimersSwitchedInOneCallbackStayInPhaseAcrossPauses)
{
    struct CreepingClock final : runtime::Clock {
        nanoseconds SteadyNow() const override { return now += 7us; }
        QDateTime LocalNow() const override { return {}; }
        mutable nanoseconds now{0};
    } creeping;
    runtime::SetClock(&creeping);
    const runtime::PropertyList off{{"Period", 1000}, {"Enabled", false}};
    auto first = Add(u"first"_s, off), second = Add(u"second"_s, off);
    for (int pause = 0; pause < 50; ++pause) {
        const bool on = pause % 2 == 1;
        runtime::RunCallback([&] {
            first->SetEnabled(on);
            second->SetEnabled(on);
        });
    }
    runtime::RunCallback([&] {
        first->SetEnabled(true);
        second->SetEnabled(true);
    });
    ASSERT_TRUE(first->NextDue());
    EXPECT_EQ(first->NextDue(), second->NextDue());
    runtime::SetClock(&clock);
}

TEST_F(Timers, TicksOfTwoTimersInterleaveInDueOrder)
{
    Add(u"fast"_s, {{"Period", 300}});
    Add(u"slow"_s, {{"Period", 500}});
    clock.Advance(1000ms);
    EXPECT_EQ(log, (QStringList{u"fast"_s, u"slow"_s, u"fast"_s, u"fast"_s, u"slow"_s}));
}

TEST_F(Timers, SingleModeFiresOnceUntilSetAgain)
{
    auto timer = Add(u"t"_s, {{"RunMode", 1}, {"Period", 1000}});
    clock.Advance(5000ms);
    EXPECT_EQ(timer->RunMode(), Timer::ModeOff);
    timer->SetRunMode(Timer::ModeSingle);
    clock.Advance(999ms);
    EXPECT_EQ(log.size(), 1);
    clock.Advance(5000ms);
    EXPECT_EQ(log.size(), 2);
}

TEST_F(Timers, WindowClosedByItsOwnTimerGetsNoFurtherTicks)
{
    Add(u"t"_s)->Action.AddHandler([this, self = window.Get()](Timer &) { log << u"t"_s; self->Close(); });
    std::weak_ptr<runtime::Window> weak = window.Shared();
    window = nullptr;
    clock.Advance(3000ms);
    EXPECT_EQ(log.size(), 1);
    EXPECT_EQ(quitCodes, std::vector<int>{0});
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(weak.expired());
}

// Not a timing measurement: only that the wake-up on the real event loop comes.
TEST_F(Timers, FirstTickComesThroughTheRealEventLoop)
{
    runtime::SetClock(nullptr);
    QEventLoop loop;
    auto timer = Add(u"t"_s, {{"Period", 20}});
    timer->Action.AddHandler([&](Timer &) { log << u"t"_s; loop.quit(); });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    timer->SetEnabled(false);
    EXPECT_EQ(log.size(), 1);
}

} // namespace
} // namespace tickora::testing
