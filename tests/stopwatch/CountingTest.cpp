// Counting, start, pause and resume, and the hover looks of the start/stop button.
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

TEST_F(Counting, LapCounterRollsOverTheSameWay)
{
    window->Label1()->SetText(QStringLiteral("09"));
    window->Label2()->SetText(QStringLiteral("59"));
    window->Label3()->SetText(QStringLiteral("59"));
    Start();
    AdvanceSeconds(1);
    EXPECT_EQ(LapFields(), QStringLiteral("10:00:00"));
    EXPECT_EQ(window->zwischenzeit()->Text(), QStringLiteral("10:00:00"));
}

TEST_F(Counting, PauseHoldsEveryTextAndResumeContinuesFromIt)
{
    Start();
    AdvanceSeconds(3);
    Click(*window->cStart());
    EXPECT_TRUE(window->cStart()->Backdrop() == start78());
    EXPECT_TRUE(window->cReset()->Backdrop() == reset78());
    EXPECT_FALSE(window->Timer1()->Enabled());
    EXPECT_FALSE(window->Timer2()->Enabled());
    AdvanceSeconds(10);
    EXPECT_EQ(Shown(), QStringLiteral("00:00:03"));
    EXPECT_EQ(window->zwischenzeit()->Text(), QStringLiteral("00:00:03"));

    Click(*window->cStart());
    EXPECT_TRUE(window->cStart()->Backdrop() == stop78());
    EXPECT_TRUE(window->cReset()->Backdrop() == lap78());
    AdvanceSeconds(2);
    EXPECT_EQ(Shown(), QStringLiteral("00:00:05"));
    EXPECT_EQ(window->timestring()->Text(), QStringLiteral("00:00:05"));
}

TEST_F(Counting, StartAndStopBeforeTheFirstTickChangeOnlyPicturesAndTimers)
{
    Start();
    Click(*window->cStart());
    AdvanceSeconds(3);
    EXPECT_EQ(Shown(), QStringLiteral("00:00:00"));
    EXPECT_EQ(window->timestring()->Text(), QStringLiteral("00:00:00"));
    EXPECT_TRUE(window->cStart()->Backdrop() == start78());
}

TEST_F(Counting, CountingGoesOnWhileTheWindowIsOnTheInformationScreen)
{
    Start();
    Click(*window->cLight());
    AdvanceSeconds(61);
    Click(*window->cLight());
    EXPECT_EQ(Shown(), QStringLiteral("00:01:01"));
    EXPECT_TRUE(window->sec()->IsShown());
}

// The start/stop button's hover looks, as the pointer enters, moves and leaves.
TEST_F(Counting, StartButtonHoverLooks)
{
    auto button = window->cStart();
    MoveOver(*button);
    EXPECT_TRUE(button->Backdrop() == start_hell());
    MoveOver(*button);
    EXPECT_TRUE(button->Backdrop() == start_hell());
    MoveAway();
    EXPECT_TRUE(button->Backdrop() == start78());

    // A click on the highlighted look starts the watch and shows the plain stop look;
    // the next move over it highlights that.
    MoveOver(*button);
    Click(*button);
    EXPECT_TRUE(button->Backdrop() == stop78());
    EXPECT_TRUE(window->Timer1()->Enabled());
    MoveOver(*button);
    EXPECT_TRUE(button->Backdrop() == stop_hell());
    Click(*button);
    EXPECT_TRUE(button->Backdrop() == start78());
    EXPECT_FALSE(window->Timer1()->Enabled());
    MoveAway();
    EXPECT_TRUE(button->Backdrop() == start78());
}

TEST_F(Counting, StartSetsThePlainLapLookWhateverTheRightButtonShowed)
{
    MoveOver(*window->cReset());
    EXPECT_TRUE(window->cReset()->Backdrop() == reset_hell());
    Start();
    EXPECT_TRUE(window->cReset()->Backdrop() == lap78());
}

TEST(TimeText, TextsTheProgramNeverWritesCountAsZero)
{
    EXPECT_EQ(FieldValue(QStringLiteral("timestring")), 0);
    EXPECT_EQ(FieldValue(QString()), 0);
    EXPECT_EQ(FieldText(FieldValue(QStringLiteral("09")) + 1), QStringLiteral("10"));
}

} // namespace
} // namespace tickora::testing
