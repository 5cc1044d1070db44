// Counting: the first tick, roll-over of every field, and hours that never wrap.
// Start, pause, resume and the buttons' looks are played at length by ModelTest.
#include "MainWindowFixture.h"

#include "stopwatch/TimeText.h"

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
