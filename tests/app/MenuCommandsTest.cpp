// "Information" and "Spende" in the application menu: the App handlers and
// the menu items that start-up binds to them.
#include "support/RuntimeFixture.h"

#include "app/App.h"
#include "app/MainMenuBar.h"
#include "app/Startup.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/Donation.h"
#include "stopwatch/main.h"

#include <QAction>
#include <QTest>
#include <QWidget>

namespace tickora::testing {
namespace {

using runtime::Ref;

struct Command {
    const char *item;
    bool (App::*handler)();
    QString windowClass;
};

class MenuCommands : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        NewAppInstance();
        ApplicationAddMenuHandlers();
    }
    const Command commands[2] = {
        {"AppleSpende", &App::AppleSpende_Action, Donation::ClassInfo().Name},
        {"AppleInfo", &App::AppleInfo_Action, AboutWindow::ClassInfo().Name},
    };
};

// Called directly or through the menu item, the command shows the one window
// of its kind, again while it is open, and a fresh one once it was closed.
TEST_F(MenuCommands, EachCommandShowsTheOneWindowOfItsKindAndReportsItHandled)
{
    const Ref<main> stopwatch = main::Instance();
    for (const Command &command : commands) {
        SCOPED_TRACE(command.item);
        EXPECT_TRUE((*App::Instance().*command.handler)());
        const Ref<runtime::Window> first = runtime::Window::GetImplicitWindow(command.windowClass);
        ASSERT_TRUE(first);
        EXPECT_TRUE(first->Widget()->isVisible());
        EXPECT_TRUE((*App::Instance().*command.handler)());
        EXPECT_TRUE(runtime::Window::GetImplicitWindow(command.windowClass) == first);

        first->Close();
        MainMenuBar::Instance()->Lookup(QString::fromLatin1(command.item))->Action()->trigger();
        const Ref<runtime::Window> fresh = runtime::Window::GetImplicitWindow(command.windowClass);
        ASSERT_TRUE(fresh);
        EXPECT_FALSE(fresh == first);
        EXPECT_TRUE(fresh->Widget()->isVisible());
    }
    EXPECT_EQ(runtime::Window::OpenWindows().size(), 3u);
    EXPECT_TRUE(AboutWindow::Instance()->UseCredits);
    EXPECT_TRUE(quitCodes.empty());
}

TEST_F(MenuCommands, CtrlIInTheMainWindowOpensTheAboutWindow)
{
    const Ref<main> stopwatch = main::Instance();
    ASSERT_TRUE(QTest::qWaitForWindowActive(stopwatch->Widget()));
    QTest::keyClick(stopwatch->Widget(), Qt::Key_I, Qt::ControlModifier);
    const Ref<runtime::Window> about = runtime::Window::GetImplicitWindow(AboutWindow::ClassInfo().Name);
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->Widget()->isVisible());
}

} // namespace
} // namespace tickora::testing
