// "Information" and "Spende" in the application menu: the App handlers and
// the menu items that start-up binds to them.
#include "support/RuntimeFixture.h"

#include "app/App.h"
#include "app/shared/MainMenuBar.h"
#include "app/Startup.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/Donation.h"
#include "stopwatch/main.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

namespace tickora::testing {
namespace {

using runtime::Ref;
using runtime::Window;

class MenuCommands : public RuntimeFixture {};

// Called directly or through its menu item's action, each command answers
// True and shows the one window of its kind: the same one while it is open,
// a fresh one once it was closed.
TEST_F(MenuCommands, EachCommandShowsTheOneWindowOfItsKindAndAFreshOneOnceItClosed)
{
    NewAppInstance();
    ApplicationAddMenuHandlers();
    const std::tuple<const char *, bool (App::*)(), QString> commands[] = {
        {"AppleSpende", &App::AppleSpende_Action, Donation::ClassInfo().Name},
        {"AppleInfo", &App::AppleInfo_Action, AboutWindow::ClassInfo().Name},
    };
    for (const auto &[item, handler, windowClass] : commands) {
        SCOPED_TRACE(item);
        EXPECT_TRUE((*App::Instance().*handler)());
        const Ref<Window> first = runtime::GetImplicitWindow(windowClass);
        ASSERT_TRUE(first);
        EXPECT_TRUE(first->Widget()->isVisible());
        const std::size_t open = runtime::OpenWindows().size();
        EXPECT_TRUE((*App::Instance().*handler)());
        EXPECT_EQ(std::pair(runtime::OpenWindows().size(), runtime::GetImplicitWindow(windowClass) == first),
                  std::pair(open, true));

        first->Close();
        MainMenuBar::Instance()->Lookup(QString::fromLatin1(item))->Action()->trigger();
        const Ref<Window> fresh = runtime::GetImplicitWindow(windowClass);
        ASSERT_TRUE(fresh && !(fresh == first));
        EXPECT_TRUE(fresh->Widget()->isVisible());
    }
}

// Ctrl+I and Ctrl+Q belong to the application, as in a global menu: they work
// from whichever of its windows is active, the ones without a menu bar too,
// and fire exactly once where the main window's menu bar holds the same item.
TEST_F(MenuCommands, ShortcutsWorkFromEveryWindowAndFireOnce)
{
    NewAppInstance();
    ApplicationAddMenuHandlers();
    int infoRuns = 0;
    App::Instance()->AddMenuHandler(QStringLiteral("AppleInfo"), [&] {
        ++infoRuns;
        return App::Instance()->AppleInfo_Action();
    });
    const Ref<Window> stopwatch = main::Instance();
    App::Instance()->AppleSpende_Action();
    const std::pair<const char *, Ref<Window>> windows[] = {
        {"main", stopwatch}, {"Donation", Donation::Instance()}, {"About", AboutWindow::Instance()}};
    for (const auto &[name, window] : windows) {
        SCOPED_TRACE(name);
        QApplication::setActiveWindow(window->Widget());
        ASSERT_EQ(QApplication::activeWindow(), window->Widget());
        infoRuns = 0;
        QTest::keyClick(window->Widget(), Qt::Key_I, Qt::ControlModifier);
        const Ref<Window> about = runtime::GetImplicitWindow(AboutWindow::ClassInfo().Name);
        EXPECT_EQ(std::pair(infoRuns, about && about->Widget()->isVisible()), std::pair(1, true));

        QApplication::setActiveWindow(window->Widget());
        quitCodes.clear();
        QTest::keyClick(window->Widget(), Qt::Key_Q, Qt::ControlModifier);
        EXPECT_EQ(quitCodes, std::vector<int>{0});
    }
}

// The in-window application menu opens from the keyboard, by its mnemonic
// and by F10, with its first item chosen.
TEST_F(MenuCommands, ApplicationMenuOpensWithAltTAndF10)
{
    NewAppInstance();
    const Ref<Window> stopwatch = main::Instance();
    QMenu *appMenu = stopwatch->MenuBarWidget()->findChild<QMenu *>(QStringLiteral("ApplicationMenu"));
    ASSERT_TRUE(appMenu);
    const std::pair<const char *, QKeyCombination> keys[] = {{"Alt+T", Qt::AltModifier | Qt::Key_T},
                                                             {"F10", QKeyCombination(Qt::Key_F10)}};
    for (const auto &[name, key] : keys) {
        SCOPED_TRACE(name);
        QApplication::setActiveWindow(stopwatch->Widget());
        QTest::keyClick(stopwatch->Widget(), key.key(), key.keyboardModifiers());
        EXPECT_TRUE(appMenu->isVisible());
        ASSERT_TRUE(appMenu->activeAction());
        EXPECT_EQ(appMenu->activeAction()->text(), QStringLiteral("Information"));
        appMenu->close();
    }
}

} // namespace
} // namespace tickora::testing
