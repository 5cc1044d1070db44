// Counting: the first tick, roll-over of every field, and hours that never wrap.
// Start, pause, resume and the buttons' looks are played at length by ModelTest.
#include "MainWindowFixture.h"

#include "stopwatch/TimeText.h"

#include <random>

namespace tickora::testing {
namespace {

class Counting : public MainWindowFixture {
protected:
    // Puts the total's fields where a long run would have left them.
    void SetTotal(const char *hours, const char *minutes, const char *seconds)
    {
        window->stu()->SetText(QString::fromLatin1(hours));
        window->min()->SetText(QString::fromLatin1(minutes));
        window->sec()->SetText(QString::fromLatin1(seconds));
    }
};

TEST_F(Counting, FirstTickAfterStartShowsOneSecondOnTotalAndLap)
{
    Start();
    AdvanceSeconds(1);
    EXPECT_EQ(Shown(), QStringLiteral("00:00:01"));
    EXPECT_EQ(window->timestring()->Text(), QStringLiteral("00:00:01"));
    EXPECT_EQ(window->Label3()->Text(), QStringLiteral("01"));
    EXPECT_EQ(window->zwischenzeit()->Text(), QStringLiteral("00:00:01"));
}

TEST_F(Counting, NothingCountsBeforeTheStartButtonIsClicked)
{
    AdvanceSeconds(5);
    EXPECT_EQ(Shown(), QStringLiteral("00:00:00"));
    EXPECT_EQ(LapFields(), QStringLiteral("00:00:00"));
}

// A pause keeps the part of a second that had run: six runs of 1.6 s are 9 s.
TEST_F(Counting, PausesLoseNoPartOfASecondButAResetStartsAFreshOne)
{
    for (int run = 0; run < 6; ++run) {
        Start();
        clock.Advance(std::chrono::milliseconds(1600));
        Start(); // stop
        clock.Advance(std::chrono::milliseconds(700));
    }
    EXPECT_EQ(Shown(), QStringLiteral("00:00:09"));
    Start(); // 9.6 s run: the tenth second ends 400 ms from here
    clock.Advance(std::chrono::milliseconds(399));
    EXPECT_EQ(Shown(), QStringLiteral("00:00:09"));
    clock.Advance(std::chrono::milliseconds(1));
    EXPECT_EQ(Shown(), QStringLiteral("00:00:10"));

    clock.Advance(std::chrono::milliseconds(500));
    Start(); // stop half-way through a second, then reset
    Click(*window->cReset());
    Start();
    clock.Advance(std::chrono::milliseconds(999));
    EXPECT_EQ(Shown(), QStringLiteral("00:00:00")) << "a reset must not keep the half second";
    clock.Advance(std::chrono::milliseconds(1));
    EXPECT_EQ(Shown(), QStringLiteral("00:00:01"));
}

// At every moment the total shows the whole seconds of running time, and the
// lap counter, switched by the same clicks, ticks with it.
TEST_F(Counting, AThousandPausesAtRandomPhasesKeepTheTotalExact)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> runMs(1, 2500), pauseMs(0, 4000);
    std::int64_t ranMs = 0;
    const auto expected = [&] {
        const std::int64_t s = ranMs / 1000;
        return QString::asprintf("%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                                 static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
    };
    for (int pause = 0; pause < 1000; ++pause) {
        Start();
        for (int step = 0; step < 2; ++step) {
            const int ms = runMs(random) / 2;
            clock.Advance(std::chrono::milliseconds(ms));
            ranMs += ms;
            ASSERT_EQ(Shown(), expected()) << "pause " << pause << ", " << ranMs << " ms run";
            ASSERT_EQ(LapFields(), expected()) << "pause " << pause << ": the lap counter fell out of step";
        }
        Start(); // stop
        clock.Advance(std::chrono::milliseconds(pauseMs(random)));
        ASSERT_EQ(Shown(), expected()) << "pause " << pause << ": counted while paused";
    }
    EXPECT_GT(ranMs, 1000 * 1000) << "the runs should add up to many minutes";
}

struct RollOver {
    const char *before[3];
    const char *after;
};

class CountingRollOver : public Counting, public ::testing::WithParamInterface<RollOver> {};

TEST_P(CountingRollOver, OneTickCarriesIntoTheNextField)
{
    const RollOver &c = GetParam();
    SetTotal(c.before[0], c.before[1], c.before[2]);
    Start();
    AdvanceSeconds(1);
    EXPECT_EQ(Shown(), QString::fromLatin1(c.after));
    EXPECT_EQ(window->timestring()->Text(), QString::fromLatin1(c.after));
}

INSTANTIATE_TEST_SUITE_P(Fields, CountingRollOver,
                         ::testing::Values(RollOver{{"00", "00", "59"}, "00:01:00"},
                                           RollOver{{"00", "59", "59"}, "01:00:00"},
                                           RollOver{{"09", "59", "59"}, "10:00:00"},
                                           RollOver{{"99", "59", "59"}, "100:00:00"},
                                           RollOver{{"100", "00", "00"}, "100:00:01"},
                                           RollOver{{"999", "59", "59"}, "1000:00:00"},
                                           RollOver{{"00", "09", "09"}, "00:09:10"}));

TEST(TimeText, TextsTheProgramNeverWritesCountAsZero)
{
    EXPECT_EQ(FieldValue(QStringLiteral("timestring")), 0);
    EXPECT_EQ(FieldValue(QString()), 0);
    EXPECT_EQ(FieldText(FieldValue(QStringLiteral("09")) + 1), QStringLiteral("10"));
}

} // namespace
} // namespace tickora::testing
