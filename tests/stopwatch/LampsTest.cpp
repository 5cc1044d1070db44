// The info, quit and dock lamps and the wall clock's formatting. The opacity
// slider is played by ModelTest.
#include "MainWindowFixture.h"

#include "stopwatch/Placement.h"

namespace tickora::testing {
namespace {

class Lamps : public MainWindowFixture {
protected:
    std::vector<runtime::Ref<runtime::RectControl>> Face() const
    {
        return {window->LabelDoppelpunkt1(), window->LabelDoppelpunkt2(), window->stu(), window->min(),
                window->sec(), window->cStart(), window->cReset(), window->TransparencySlider(),
                window->cTimeBack()};
    }
    std::vector<runtime::Ref<runtime::RectControl>> EmbeddedInFace() const
    {
        return {window->labelStunde(), window->labelMinute(), window->labelSekunde(),
                window->LabelHour(), window->LabelHour1(), window->LabelMin()};
    }
};

TEST_F(Lamps, InfoLampSwitchesToTheInformationScreenAndBackToExactlyTheFace)
{
    Click(*window->cLight());
    EXPECT_TRUE(window->Backdrop() == studioScreen());
    EXPECT_TRUE(window->cLight()->Backdrop() == green13());
    for (const auto &control : Face()) {
        EXPECT_FALSE(control->Visible()) << control->Name().toStdString();
        EXPECT_FALSE(control->Widget()->isVisible()) << control->Name().toStdString();
    }
    for (const auto &control : EmbeddedInFace()) {
        // They go with their container and keep their own setting.
        EXPECT_TRUE(control->Visible()) << control->Name().toStdString();
        EXPECT_FALSE(control->Widget()->isVisible()) << control->Name().toStdString();
    }
    for (const auto &lamp : {window->cLight(), window->cQuit(), window->cTop()})
        EXPECT_TRUE(lamp->Widget()->isVisible());

    Click(*window->cLight());
    EXPECT_TRUE(window->Backdrop() == backTrans());
    EXPECT_TRUE(window->cLight()->Backdrop() == button_gelb());
    for (const auto &control : Face())
        EXPECT_TRUE(control->Widget()->isVisible()) << control->Name().toStdString();
    for (const auto &control : EmbeddedInFace())
        EXPECT_TRUE(control->Widget()->isVisible()) << control->Name().toStdString();
    EXPECT_FALSE(window->timestring()->Widget()->isVisible());
}

TEST_F(Lamps, InformationScreenOverAnOpenLapListLeavesListAndHeadingsVisible)
{
    Start();
    Click(*window->cReset());
    ASSERT_EQ(window->Height(), 374);
    Click(*window->cLight());
    for (const auto &control : std::initializer_list<runtime::Ref<runtime::RectControl>>{
             window->Listbox1(), window->LabelLap(), window->LabelZZ(), window->LabelDif(), window->LabelDif1()})
        EXPECT_TRUE(control->Widget()->isVisible()) << control->Name().toStdString();
}

TEST_F(Lamps, QuitLampEndsTheProgramWithExitCodeZeroWhileCounting)
{
    Start();
    AdvanceSeconds(3);
    Click(*window->cQuit());
    EXPECT_EQ(quitCodes, std::vector<int>{0});
    EXPECT_TRUE(window->cQuit()->Backdrop() == red13());
}

TEST_F(Lamps, DockLampReleasesToTopHundredKeepingLeftAndDocksAtTheTopCentre)
{
    window->SetLeft(123);
    Click(*window->cTop());
    EXPECT_EQ(window->Top(), 100);
    EXPECT_EQ(window->Left(), 123);
    EXPECT_TRUE(window->cTop()->Backdrop() == green13());

    Click(*window->cTop());
    EXPECT_EQ(window->Top(), 0);
    EXPECT_EQ(window->Left(), 442);
    EXPECT_TRUE(window->cTop()->Backdrop() == blau13());
    // The lamps are independent of each other.
    EXPECT_TRUE(window->cLight()->Backdrop() == button_gelb());
}

// The offscreen platform nudges windows that would start left of the screen,
// so the arithmetic is checked here and negative places on a real X server by
// the end-to-end test.
TEST(Placement, DockedLeftTruncatesTowardZeroAndDoesNotClamp)
{
    EXPECT_EQ(DockedLeft(1440, 556), 442);
    EXPECT_EQ(DockedLeft(1441, 556), 442);
    EXPECT_EQ(DockedLeft(1365, 556), 404);
    EXPECT_EQ(DockedLeft(555, 556), 0);
    EXPECT_EQ(DockedLeft(500, 556), -28);
    EXPECT_EQ(DockedLeft(553, 556), -1);
}

struct ClockCase {
    int hour;
    int minute;
    const char *shownHour;
    const char *shownMinute;
};

class WallClock : public Lamps, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(WallClock, ShowsTwoDigitHourAndMinuteOnTheNextTick)
{
    const ClockCase &c = GetParam();
    clock.SetLocalTime(QDateTime(QDate(2026, 12, 7), QTime(c.hour, c.minute, 30)));
    AdvanceSeconds(1);
    EXPECT_EQ(window->LabelHour()->Text(), QString::fromLatin1(c.shownHour));
    EXPECT_EQ(window->LabelMin()->Text(), QString::fromLatin1(c.shownMinute));
    EXPECT_EQ(window->LabelHour1()->Text(), QStringLiteral(":"));
}

INSTANTIATE_TEST_SUITE_P(Times, WallClock,
                         ::testing::Values(ClockCase{0, 0, "00", "00"}, ClockCase{9, 7, "09", "07"},
                                           ClockCase{10, 0, "10", "00"}, ClockCase{13, 30, "13", "30"},
                                           ClockCase{23, 59, "23", "59"}));

} // namespace
} // namespace tickora::testing
