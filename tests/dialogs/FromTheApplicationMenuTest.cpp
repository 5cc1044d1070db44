// The About and donation windows as the application menu reaches them: the
// command that shows one brings the same window back however it was put away.
#include "support/RuntimeFixture.h"

#include "app/App.h"
#include "app/Startup.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/Donation.h"
#include "stopwatch/main.h"

#include <QApplication>
#include <QTest>

#include <vector>

namespace tickora::testing {
namespace {

using runtime::Ref;
using runtime::Window;

class FromTheApplicationMenu : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        NewAppInstance();
        ApplicationAddMenuHandlers();
        stopwatch = main::Instance();
    }

    Ref<Window> stopwatch;
};

struct Command {
    const char *item;
    bool (App::*handler)();
    QString windowClass;
};

std::vector<Command> Commands()
{
    return {{"AppleInfo", &App::AppleInfo_Action, AboutWindow::ClassInfo().Name},
            {"AppleSpende", &App::AppleSpende_Action, Donation::ClassInfo().Name}};
}

// Minimised from the title bar, the window is still open; the command shows
// that one window again, no longer minimised and active, and builds no other.
TEST_F(FromTheApplicationMenu, ACommandBringsItsMinimisedWindowBack)
{
    for (const Command &command : Commands()) {
        SCOPED_TRACE(command.item);
        EXPECT_TRUE((*App::Instance().*command.handler)());
        const Ref<Window> window = Window::GetImplicitWindow(command.windowClass);
        ASSERT_TRUE(window && QTest::qWaitForWindowExposed(window->Widget()));
        window->Widget()->showMinimized();
        QApplication::setActiveWindow(stopwatch->Widget());
        QCoreApplication::processEvents();
        ASSERT_TRUE(window->Widget()->windowState() & Qt::WindowMinimized);
        const std::size_t open = Window::OpenWindows().size();

        EXPECT_TRUE((*App::Instance().*command.handler)());
        QCoreApplication::processEvents();
        EXPECT_TRUE(Window::GetImplicitWindow(command.windowClass) == window);
        EXPECT_EQ(Window::OpenWindows().size(), open);
        EXPECT_FALSE(window->Widget()->windowState() & Qt::WindowMinimized);
        EXPECT_EQ(QApplication::activeWindow(), window->Widget());
    }
}

} // namespace
} // namespace tickora::testing
