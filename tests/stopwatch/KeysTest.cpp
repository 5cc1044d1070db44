// The watch from the keyboard: Space, Return, Enter and Delete against the
// states the user can be in, and where the focus goes.
#include "MainWindowFixture.h"

#include "dialogs/AboutWindow.h"
#include "stopwatch/ButtonLooks.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusFrame>
#include <QLineEdit>
#include <QTableView>

#include <functional>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;

class Keys : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        target = window->Widget()->windowHandle();
    }

    void LapOrReset() { Click(*window->cReset()); }
    void WithLaps(bool running)
    {
        Start();
        AdvanceSeconds(2);
        LapOrReset();
        AdvanceSeconds(1);
        LapOrReset();
        if (!running)
            Start();
    }
    QTableView *View() const { return qobject_cast<QTableView *>(window->Listbox1()->Widget()); }
    void OpenNote()
    {
        const QRect cell = View()->visualRect(View()->model()->index(0, 4));
        ClickAt(View()->viewport()->mapTo(window->ContentWidget(), cell.center()));
        ASSERT_TRUE(window->Listbox1()->IsEditing());
    }
    // The first lap's note: "[typed so far]" while its editor is open.
    QString Note() const
    {
        if (window->Listbox1()->ListCount() == 0)
            return {};
        if (auto *editor = qobject_cast<QLineEdit *>(View()->indexWidget(View()->model()->index(0, 4))))
            return u'[' + editor->text() + u']';
        return window->Listbox1()->Cell(0, 4);
    }

    // Whether the watch runs, as its timers, both buttons' pictures and the
    // buttons' names all tell, or -1 if they disagree.
    int Running() const
    {
        auto name = [](const runtime::Ref<main::Canvas> &button) {
            return QAccessible::queryAccessibleInterface(button->Widget())->text(QAccessible::Name);
        };
        const bool runs = window->Timer1()->Enabled();
        const bool agree = window->Timer2()->Enabled() == runs && ShowsStartLook(*window->cStart()) == !runs
                           && ShowsResetLook(*window->cReset()) == !runs
                           && name(window->cStart()) == (runs ? u"Stop"_s : u"Start"_s)
                           && name(window->cReset()) == (runs ? u"Lap"_s : u"Reset"_s);
        return agree ? int(runs) : -1;
    }

    QWindow *target = nullptr;
};

// Each key does what a click on its button does, with the same pictures and
// timers, whatever control has the focus; Return and Enter never reset and
// Delete never takes a lap; a held Return takes one lap. While a note is
// typed, the hidden buttons of the information screen or another window has
// the keys, the watch hears none of them.
TEST_F(Keys, EachKeyActsOnTheWatchOnlyWhereAClickCould)
{
    struct State { const char *what; std::function<void()> enter; };
    const State stopped{"stopped", [] {}};
    const State stoppedWithLaps{"stopped with laps", [&] { WithLaps(false); }};
    const State running{"running with laps", [&] { WithLaps(true); }};
    const State onTheList{"running, the list focused", [&] {
        WithLaps(true);
        window->Listbox1()->Widget()->setFocus();
    }};
    const State onTheSlider{"stopped with laps, the slider focused", [&] {
        WithLaps(false);
        window->TransparencySlider()->Widget()->setFocus();
    }};
    const State typing{"running, a note open", [&] { WithLaps(true); OpenNote(); }};
    const State information{"running, information screen", [&] {
        WithLaps(true);
        Click(*window->cLight());
    }};
    const State dialog{"running, the About window focused", [&] {
        WithLaps(true);
        AboutWindow::Instance()->Show(true);
        target = AboutWindow::Instance()->Widget()->windowHandle();
    }};

    using Press = std::function<void(QWindow *)>;
    auto key = [](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
        return Press([=](QWindow *to) { QTest::keyClick(to, pressed, modifiers); });
    };
    const Press space = key(Qt::Key_Space), enter = key(Qt::Key_Enter, Qt::KeypadModifier);
    const Press ret = key(Qt::Key_Return), del = key(Qt::Key_Delete);
    const Press heldReturn = [](QWindow *to) {
        QTest::simulateEvent(to, true, Qt::Key_Return, {}, u"\r"_s, false);
        for (int repeat = 0; repeat < 5; ++repeat) {
            QTest::simulateEvent(to, false, Qt::Key_Return, {}, u"\r"_s, true);
            QTest::simulateEvent(to, true, Qt::Key_Return, {}, u"\r"_s, true);
        }
        QTest::simulateEvent(to, false, Qt::Key_Return, {}, u"\r"_s, false);
    };

    struct Case { const State &state; const char *key; Press press; int running; std::int64_t rows; QString note; };
    const Case cases[] = {
        {stopped, "Space", space, 1, 0, {}},
        {stopped, "Return", ret, 0, 0, {}},
        {stoppedWithLaps, "Space", space, 1, 2, {}},
        {stoppedWithLaps, "Return", ret, 0, 2, {}},
        {stoppedWithLaps, "Enter", enter, 0, 2, {}},
        {stoppedWithLaps, "Delete", del, 0, 0, {}},
        {running, "Space", space, 0, 2, {}},
        {running, "Return", ret, 1, 3, {}},
        {running, "Enter", enter, 1, 3, {}},
        {running, "held Return", heldReturn, 1, 3, {}},
        {running, "Delete", del, 1, 2, {}},
        {onTheList, "Space", space, 0, 2, {}},
        {onTheList, "Return", ret, 1, 3, {}},
        {onTheSlider, "Space", space, 1, 2, {}},
        {onTheSlider, "Delete", del, 0, 0, {}},
        {typing, "Space", space, 1, 2, u"[ ]"_s},
        {typing, "Return", ret, 1, 2, {}},
        {typing, "Delete", del, 1, 2, u"[]"_s},
        {information, "Space", space, 1, 2, {}},
        {information, "Return", ret, 1, 2, {}},
        {dialog, "Space", space, 1, 2, {}},
        {dialog, "Return", ret, 1, 2, {}},
        {dialog, "Delete", del, 1, 2, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.state.what << ", " << c.key);
        TearDown();
        SetUp();
        c.state.enter();
        ASSERT_NE(Running(), -1);
        c.press(target);
        EXPECT_EQ(Running(), c.running);
        EXPECT_EQ(window->Listbox1()->ListCount(), c.rows);
        EXPECT_EQ(window->Height(), c.rows > 0 ? 374 : 164);
        EXPECT_EQ(Note(), c.note);
    }
}

// A fresh window keeps the focus on itself, not on the lap list below its
// edge; Tab goes to the list once it shows, in the order of the layout, and
// the list shows its ring; a reset that hides the list gives the focus back
// to the window.
TEST_F(Keys, FocusGoesOnlyWhereTheUserSeesIt)
{
    QApplication::setActiveWindow(window->Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
    QWidget *list = window->Listbox1()->Widget();
    QWidget *slider = window->TransparencySlider()->Widget();
    auto tab = [&] {
        QTest::keyClick(target, Qt::Key_Tab);
        return QApplication::focusWidget();
    };
    auto ringAround = [&]() -> QWidget * {
        for (QFocusFrame *frame : window->ContentWidget()->findChildren<QFocusFrame *>())
            if (frame->isVisible())
                return frame->widget();
        return nullptr;
    };
    EXPECT_EQ(QApplication::focusWidget(), window->Widget());
    EXPECT_EQ(tab(), slider);
    EXPECT_EQ(tab(), slider);

    WithLaps(false);
    EXPECT_EQ(tab(), list);
    EXPECT_EQ(ringAround(), list);
    EXPECT_EQ(tab(), slider);
    EXPECT_EQ(ringAround(), nullptr);
    EXPECT_EQ(tab(), list);
    QTest::keyClick(target, Qt::Key_Delete);
    EXPECT_EQ(window->Height(), 164);
    EXPECT_EQ(QApplication::focusWidget(), window->Widget());
    EXPECT_EQ(ringAround(), nullptr);
}

} // namespace
} // namespace tickora::testing
