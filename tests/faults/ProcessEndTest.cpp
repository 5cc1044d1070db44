// The process ended with exit() from inside the event loop, as Qt's X11
// plug-in ends it when the X server goes away (a log-out, an XWayland
// restart): the windows, their controls and the running timers are all still
// there while the process's static objects are destroyed. Each case runs in a
// child process of its own; a crash, a sanitizer report or another exit
// status fails it.
#include "stopwatch/main.h"

#include "app/App.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/Donation.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gmock/gmock.h>

#include <cstdlib>

namespace tickora::testing {
namespace {

using ::testing::AllOf;
using ::testing::ExitedWithCode;
using ::testing::HasSubstr;
using ::testing::Not;

// No seams: the real clock and the real order in which the runtime's parts
// first come to life, as in the program.
class ProcessEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The child runs this binary afresh rather than a fork of a process
        // that already has Qt's threads.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        // Memory errors and undefined behaviour count here, not leaks: after
        // an exit() from inside Qt, Qt's static objects are gone while what
        // they held (the font configuration's, say) is still allocated. A
        // sanitizer that reports a leak would also change the exit status.
        const QByteArray options = qgetenv("ASAN_OPTIONS");
        qputenv("ASAN_OPTIONS", options + (options.isEmpty() ? "" : ":") + "detect_leaks=0");
    }

    static void Click(const runtime::Ref<main> &window, const runtime::RectControl &control)
    {
        const QPoint centre(static_cast<int>(control.Left() + control.Width() / 2),
                            static_cast<int>(control.Top() + control.Height() / 2));
        QTest::mouseClick(window->Widget()->windowHandle(), Qt::LeftButton, {},
                          window->ContentWidget()->mapTo(window->Widget(), centre));
    }

    // The watch running, a lap taken, a note being typed, both information
    // windows open. Only the runtime holds the windows afterwards, as in the
    // program.
    static void UseEverything()
    {
        const runtime::Ref<main> window = main::Instance();
        Click(window, *window->cStart());
        Click(window, *window->cReset());
        window->Listbox1()->EditCell(0, 4);
        AboutWindow::Instance()->Show(true);
        Donation::Instance()->Show();
        ASSERT_TRUE(window->Timer1()->Enabled());
        ASSERT_EQ(window->Listbox1()->ListCount(), 1);
    }

    // The end comes on a turn of the real event loop, as Qt's own does.
    static void ExitFromTheEventLoop(int status)
    {
        QTimer::singleShot(0, [status] { std::exit(status); });
        QCoreApplication::exec();
    }
};

const auto kNoSanitizerReport = AllOf(Not(HasSubstr("Sanitizer")), Not(HasSubstr("runtime error")));

TEST_F(ProcessEnd, ExitFromInsideTheEventLoopWithEverythingOpenEndsCleanly)
{
    EXPECT_EXIT(
        {
            UseEverything();
            ExitFromTheEventLoop(1);
        },
        ExitedWithCode(1), kNoSanitizerReport);
}

TEST_F(ProcessEnd, ExitAfterTheMainWindowClosedEndsCleanly)
{
    EXPECT_EXIT(
        {
            UseEverything();
            Donation::Instance()->Close();
            main::Instance()->Close();
            ExitFromTheEventLoop(3);
        },
        ExitedWithCode(3), kNoSanitizerReport);
}

} // namespace
} // namespace tickora::testing
