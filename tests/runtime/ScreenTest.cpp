#include "support/RuntimeFixture.h"

#include "runtime/Screen.h"

#include <QDateTime>

#include <array>
#include <chrono>

namespace tickora::testing {
namespace {

using namespace std::chrono_literals;

class Screens : public RuntimeFixture {};

TEST_F(Screens, MainScreenWidthFollowsTheTestWidth)
{
    auto mainScreen = runtime::Screen::At(0);
    ASSERT_FALSE(mainScreen.IsNil());
    EXPECT_EQ(mainScreen->Width(), 1440);
    runtime::Screen::SetMainScreenWidthForTesting(1024);
    EXPECT_EQ(mainScreen->Width(), 1024);
}

TEST_F(Screens, ScreensThatDoNotExistAreNil)
{
    EXPECT_TRUE(runtime::Screen::At(99).IsNil());
    EXPECT_TRUE(runtime::Screen::At(-1).IsNil());
}

class WallClock : public RuntimeFixture {
protected:
    std::array<std::int64_t, 3> Now() const
    {
        auto now = runtime::DateTime::Now();
        return {now->Hour(), now->Minute(), now->Second()};
    }
};

TEST_F(WallClock, NowReadsTheClocksLocalTimeAndFollowsIt)
{
    clock.SetLocalTime(QDateTime(QDate(2026, 3, 14), QTime(13, 59, 30)));
    EXPECT_EQ(Now(), (std::array<std::int64_t, 3>{13, 59, 30}));
    clock.Advance(45s);
    EXPECT_EQ(Now(), (std::array<std::int64_t, 3>{14, 0, 15}));

    // Setting the wall clock does not move the steady clock that timers run on.
    const auto steady = clock.SteadyNow();
    clock.SetLocalTime(QDateTime(QDate(2026, 3, 14), QTime(23, 59, 59)));
    EXPECT_EQ(clock.SteadyNow(), steady);
    clock.Advance(1s);
    EXPECT_EQ(Now(), (std::array<std::int64_t, 3>{0, 0, 0}));
}

} // namespace
} // namespace tickora::testing
