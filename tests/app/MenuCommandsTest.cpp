// "Information" and "Spende" in the application menu: the App handlers and
// the menu items that start-up binds to them.
#include "support/RuntimeFixture.h"

#include "app/App.h"
#include "app/MainMenuBar.h"
#include "app/Startup.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/Donation.h"

#include <QAction>
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
        const Ref<Window> first = Window::GetImplicitWindow(windowClass);
        ASSERT_TRUE(first);
        EXPECT_TRUE(first->Widget()->isVisible());
        const std::size_t open = Window::OpenWindows().size();
        EXPECT_TRUE((*App::Instance().*handler)());
        EXPECT_EQ(std::pair(Window::OpenWindows().size(), Window::GetImplicitWindow(windowClass) == first),
                  std::pair(open, true));

        first->Close();
        MainMenuBar::Instance()->Lookup(QString::fromLatin1(item))->Action()->trigger();
        const Ref<Window> fresh = Window::GetImplicitWindow(windowClass);
        ASSERT_TRUE(fresh && !(fresh == first));
        EXPECT_TRUE(fresh->Widget()->isVisible());
    }
}

} // namespace
} // namespace tickora::testing
