// Start-up as the program runs it, short of the event loop: the application
// object, the shared menu bar, the main window placed at the top centre, and
// a failure that ends start-up before any window or loop.
#include "support/RuntimeFixture.h"

#include "app/App.h"
#include "app/shared/MainMenuBar.h"
#include "app/Startup.h"
#include "runtime/core/Boundary.h"
#include "runtime/widgets/application/Lifecycle.h"
#include "stopwatch/main.h"

#include <thread>

namespace tickora::testing {
namespace {

class Startup : public RuntimeFixture {};

TEST_F(Startup, EarlyAndLateStartupRegisterTheAppAndPlaceTheMainWindowAtTheTopCentre)
{
    runtime::Screen::SetMainScreenWidthForTesting(1365);
    EarlyStartup();
    runtime::RunFrameworkInitialization(&LateStartup);

    const auto app = App::Instance();
    ASSERT_TRUE(app);
    const runtime::VersionData &version = app->Version();
    EXPECT_EQ(std::tuple(version.MajorVersion, version.MinorVersion, version.BugVersion, version.NonReleaseVersion,
                         version.StageCode),
              std::tuple(2, 0, 0, 0, 0));
    EXPECT_EQ(version.LongVersion + u'|' + version.ShortVersion + u'|' + version.PackageInfo,
              QStringLiteral("ZQ|2.0|"));
    EXPECT_TRUE(app->IsEventImplemented(QStringLiteral("Open")));
    for (const char *other : {"Close", "Activate", "UnhandledException", "NewDocument"})
        EXPECT_FALSE(app->IsEventImplemented(QString::fromLatin1(other))) << other;

    // The one menu bar serves the application and the window alike.
    const auto window = main::Instance();
    EXPECT_TRUE(app->MenuBar() == MainMenuBar::Instance());
    EXPECT_TRUE(window->MenuBar() == MainMenuBar::Instance());
    EXPECT_EQ(runtime::OpenWindows().size(), 1u);
    // 1365 / 2 - 556 / 2 = 404.5, truncated.
    EXPECT_EQ(window->Top(), 0);
    EXPECT_EQ(window->Left(), 404);
}

TEST_F(Startup, MenuBarHoldsTheApplicationItemsInOrderUnderHiddenMenus)
{
    const auto bar = MainMenuBar::Instance();
    ASSERT_EQ(bar->Count(), 2);
    const auto file = bar->Item(0);
    EXPECT_EQ(file->Name(), QStringLiteral("FileMenu"));
    EXPECT_FALSE(file->Visible());
    EXPECT_EQ(bar->Item(1)->Name(), QStringLiteral("EditMenu"));
    EXPECT_FALSE(bar->Item(1)->Visible());
    EXPECT_EQ(bar->Item(1)->Count(), 0);
    const std::tuple<const char *, const char *, const char *, runtime::MenuItem::Role> items[] = {
        {"AppleInfo", "Information", "Cmd+I", runtime::MenuItem::Role::ApplicationMenu},
        {"AppleSpende", "Spende", "", runtime::MenuItem::Role::ApplicationMenu},
        {"FileQuit", "&Quit", "Cmd+Q", runtime::MenuItem::Role::Quit},
    };
    ASSERT_EQ(file->Count(), 3);
    for (std::int64_t i = 0; i < 3; ++i) {
        const auto &[name, text, shortcut, role] = items[i];
        const auto item = file->Item(i);
        EXPECT_EQ(item->Name() + u'|' + item->Text() + u'|' + item->Shortcut(),
                  QString::fromUtf8(name) + u'|' + QString::fromUtf8(text) + u'|' + QString::fromUtf8(shortcut));
        EXPECT_EQ(item->MenuRole(), role) << name;
        EXPECT_TRUE(item->Visible() && item->AutoEnabled()) << name;
    }
}

// The runtime refuses user-interface work off the event loop's thread, so
// start-up run there fails at its first menu operation: the failure is
// reported with its class, the program ends with the unhandled-exception
// code, and no application object, window or event loop comes to be.
TEST_F(Startup, AFailureInStartupEndsItBeforeAnyWindowOrEventLoop)
{
    ::testing::internal::CaptureStderr();
    std::thread([] { Main(); }).join();
    const std::string report = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("ThreadAccessingUIException"), std::string::npos) << report;
    EXPECT_EQ(quitCodes, std::vector<int>{runtime::kUnhandledExceptionExitCode});
    EXPECT_FALSE(runtime::GetAppObject());
    EXPECT_FALSE(runtime::GetImplicitWindow(main::ClassInfo().Name));
    EXPECT_FALSE(runtime::RuntimeIsRunning());
}

} // namespace
} // namespace tickora::testing
