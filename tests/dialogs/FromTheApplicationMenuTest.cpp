// The About and donation windows as the application menu reaches them: the
// menu itself opens from either window's keyboard. (That their commands bring
// a minimised window back is Window::Show's rule, tested with the runtime's
// windows and end to end.)
#include "support/RuntimeFixture.h"

#include "app/App.h"
#include "app/Startup.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/Donation.h"
#include "stopwatch/main.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <map>
#include <vector>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
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

// The About and donation windows have no menu bar, yet F10 and Alt+T open the
// application menu in them as in the main window; an item chosen there runs
// its command once, and the window keeps its size.
TEST_F(FromTheApplicationMenu, F10AndAltTInEitherDialogOpenTheApplicationMenu)
{
    std::map<QString, int> runs;
    for (const Command &command : Commands())
        App::Instance()->AddMenuHandler(QString::fromLatin1(command.item), [&runs, command] {
            ++runs[QString::fromLatin1(command.item)];
            return (*App::Instance().*command.handler)();
        });
    struct Case {
        const char *window;
        QString windowClass;
        QKeyCombination key;
        int downs;
        const char *chosen;
    };
    const Case cases[] = {
        {"About, F10", AboutWindow::ClassInfo().Name, QKeyCombination(Qt::Key_F10), 1, "AppleSpende"},
        {"About, Alt+T", AboutWindow::ClassInfo().Name, Qt::AltModifier | Qt::Key_T, 0, "AppleInfo"},
        {"Donation, F10", Donation::ClassInfo().Name, QKeyCombination(Qt::Key_F10), 0, "AppleInfo"},
        {"Donation, Alt+T", Donation::ClassInfo().Name, Qt::AltModifier | Qt::Key_T, 1, "AppleSpende"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.window);
        App::Instance()->AppleInfo_Action();
        App::Instance()->AppleSpende_Action();
        const Ref<Window> window = runtime::GetImplicitWindow(c.windowClass);
        ASSERT_TRUE(window && QTest::qWaitForWindowExposed(window->Widget()));
        const QSize size = window->Widget()->size();
        QApplication::setActiveWindow(window->Widget());
        runs.clear();

        QTest::keyClick(window->Widget(), c.key.key(), c.key.keyboardModifiers());
        const QPointer<QMenu> menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        EXPECT_EQ(menu->objectName(), u"ApplicationMenu"_s);
        for (int i = 0; i < c.downs; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);

        EXPECT_EQ(runs, (std::map<QString, int>{{QString::fromLatin1(c.chosen), 1}}));
        EXPECT_FALSE(QApplication::activePopupWidget());
        EXPECT_EQ(window->Widget()->size(), size);
        EXPECT_TRUE(quitCodes.empty());
        // One menu per opening, gone once it has served.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(menu.isNull());
    }
}

} // namespace
} // namespace tickora::testing
