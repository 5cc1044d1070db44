// The program with its whole picture bundle missing. It runs in a process of
// its own because the named pictures are cached for the life of the process.
#include "../stopwatch/MainWindowFixture.h"

#include <vector>

// The bundle's resource set registers itself when the program starts; these
// take it away and give it back. The resource macros must stand outside any namespace.
static void RemovePictureBundle() { Q_CLEANUP_RESOURCE(pictures); }
static void RestorePictureBundle() { Q_INIT_RESOURCE(pictures); }

namespace tickora::testing {
namespace {

const std::vector<PictureRef (*)()> kAccessors{&lap78, &reset78, &start78, &stop78, &lap_hell, &reset_hell,
                                               &start_hell, &stop_hell, &studioScreen, &icon80, &green13,
                                               &red13, &blau13, &button_gelb, &backTrans, &timeback1};

class MissingPictures : public MainWindowFixture {
protected:
    // Before the window asks for its first picture.
    void SetUp() override
    {
        RemovePictureBundle();
        MainWindowFixture::SetUp();
    }
};

TEST_F(MissingPictures, WindowStillWorksByTheIdentityRuleAndPicturesLoadOnceTheBundleIsBack)
{
    ASSERT_TRUE(window->Widget()->isVisible());
    EXPECT_EQ(window->Height(), 164);
    EXPECT_TRUE(window->Backdrop().IsNil());
    for (const auto &canvas : {window->cLight(), window->cStart(), window->cReset(), window->cQuit(), window->cTop()})
        EXPECT_TRUE(canvas->Backdrop().IsNil()) << canvas->Name().toStdString();
    for (auto accessor : kAccessors) {
        EXPECT_TRUE(accessor().IsNil());
        EXPECT_TRUE(accessor().IsNil());
    }
    // A failed load is not remembered: every call asks the bundle again.
    int loads = 0;
    NamedPicture counted(QStringLiteral("start78.png"), [&loads](const QString &name) {
        ++loads;
        return runtime::Picture::OpenFromApp(name);
    });
    EXPECT_TRUE(counted.Get().IsNil());
    EXPECT_TRUE(counted.Get().IsNil());
    EXPECT_EQ(loads, 2);

    // The rule: a picture that could not be loaded is nil, and nil is the same
    // picture as every other nil, so with the whole bundle missing each
    // identity test holds. The start button takes its start branch on every
    // click, the lap/reset button always resets, the info lamp always shows
    // the information screen and the quit lamp always quits.
    Start();
    AdvanceSeconds(1);
    Start();
    EXPECT_TRUE(window->Timer1()->Enabled());
    EXPECT_TRUE(window->Timer2()->Enabled());
    AdvanceSeconds(1);
    EXPECT_EQ(Shown(), QStringLiteral("00:00:02"));
    Click(*window->cReset());
    EXPECT_EQ(Shown(), QStringLiteral("00:00:00"));
    EXPECT_EQ(window->Listbox1()->ListCount(), 0);
    EXPECT_FALSE(window->Timer1()->Enabled());
    Click(*window->cLight());
    Click(*window->cLight());
    EXPECT_FALSE(window->cStart()->IsShown());
    Click(*window->cQuit());
    EXPECT_EQ(quitCodes, std::vector<int>{0});

    // The next call after the bundle is back loads the picture, once.
    RestorePictureBundle();
    const PictureRef loaded = counted.Get();
    EXPECT_FALSE(loaded.IsNil());
    EXPECT_TRUE(counted.Get() == loaded);
    EXPECT_EQ(loads, 3);
    for (auto accessor : kAccessors) {
        const PictureRef first = accessor();
        EXPECT_FALSE(first.IsNil());
        EXPECT_TRUE(accessor() == first);
    }
}

} // namespace
} // namespace tickora::testing
