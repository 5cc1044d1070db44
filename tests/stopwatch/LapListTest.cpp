// Laps, resets and the look of the lap list. Notes are typed by ScaleTest and
// played at length by ModelTest.
#include "MainWindowFixture.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>

#include <functional>
#include <vector>

namespace tickora::testing {
namespace {

class LapList : public MainWindowFixture {
protected:
    void LapOrReset() { Click(*window->cReset()); }
    QStringList Row(std::int64_t row) const
    {
        QStringList cells;
        for (std::int64_t column = 0; column < 5; ++column)
            cells << window->Listbox1()->Cell(row, column);
        return cells;
    }
    static QStringList Cells(const char *lap, const char *total, const char *lapTime)
    {
        return {QString(), QString::fromLatin1(lap), QString::fromLatin1(total), QString::fromLatin1(lapTime),
                QString()};
    }
};

TEST_F(LapList, ALapAppendsARowWithTotalAndLapTimeAndOpensTheList)
{
    Start();
    AdvanceSeconds(5);
    LapOrReset();
    EXPECT_EQ(window->Height(), 374);
    ASSERT_EQ(window->Listbox1()->ListCount(), 1);
    EXPECT_EQ(Row(0), Cells("Lap 1", "00:00:05", "00:00:05"));
    // The lap counters start again; the lap string waits for the next tick.
    EXPECT_EQ(LapFields(), QStringLiteral("00:00:00"));
    EXPECT_EQ(window->zwischenzeit()->Text(), QStringLiteral("00:00:05"));
    EXPECT_TRUE(window->Timer1()->Enabled());
    EXPECT_TRUE(window->Timer2()->Enabled());

    AdvanceSeconds(1);
    EXPECT_EQ(window->zwischenzeit()->Text(), QStringLiteral("00:00:01"));
    AdvanceSeconds(2);
    LapOrReset();
    EXPECT_EQ(Row(1), Cells("Lap 2", "00:00:08", "00:00:03"));
    EXPECT_EQ(Shown(), QStringLiteral("00:00:08"));
}

TEST_F(LapList, ALapBeforeTheFirstTickShowsZeroForBoth)
{
    Start();
    LapOrReset();
    EXPECT_EQ(Row(0), Cells("Lap 1", "00:00:00", "00:00:00"));
}

TEST_F(LapList, TwoLapsWithoutATickBetweenRepeatTheTimes)
{
    Start();
    AdvanceSeconds(4);
    LapOrReset();
    LapOrReset();
    EXPECT_EQ(Row(1), Cells("Lap 2", "00:00:04", "00:00:04"));
    AdvanceSeconds(1);
    EXPECT_EQ(window->zwischenzeit()->Text(), QStringLiteral("00:00:01"));
}

TEST_F(LapList, ResetZeroesEverythingEmptiesTheListAndCollapsesTheWindow)
{
    Start();
    AdvanceSeconds(65);
    LapOrReset();
    AdvanceSeconds(3);
    Click(*window->cStart());
    EXPECT_TRUE(window->cReset()->Backdrop() == reset78());
    LapOrReset();
    EXPECT_EQ(Shown(), QStringLiteral("00:00:00"));
    EXPECT_EQ(LapFields(), QStringLiteral("00:00:00"));
    EXPECT_EQ(window->zwischenzeit()->Text(), QStringLiteral("00:00:00"));
    // The total's string keeps the last total until the next tick after a start.
    EXPECT_EQ(window->timestring()->Text(), QStringLiteral("00:01:08"));
    EXPECT_EQ(window->Listbox1()->ListCount(), 0);
    EXPECT_EQ(window->Height(), 164);
    EXPECT_FALSE(window->Timer1()->Enabled());

    // Reset, start and a lap before the first tick: the old total, a zero lap time.
    Start();
    LapOrReset();
    EXPECT_EQ(Row(0), Cells("Lap 1", "00:01:08", "00:00:00"));
    AdvanceSeconds(1);
    EXPECT_EQ(window->timestring()->Text(), QStringLiteral("00:00:01"));
}

TEST_F(LapList, LapRowsArePaintedGreyAndTheAreaBelowDarkTeal)
{
    Start();
    LapOrReset();
    LapOrReset();
    auto *view = qobject_cast<QTableView *>(window->Listbox1()->Widget());
    ASSERT_NE(view, nullptr);
    const QImage shot = view->viewport()->grab().toImage();
    const int rowHeight = view->rowHeight(0);
    const QColor grey(150, 150, 150);
    const QColor teal(8, 43, 52);
    // Sample the cells' left edges, clear of the text, in every column.
    for (int column = 0; column < 5; ++column) {
        const int x = view->columnViewportPosition(column) + 2;
        EXPECT_EQ(shot.pixelColor(x, rowHeight / 2 + 8), grey) << "row 0, column " << column;
        EXPECT_EQ(shot.pixelColor(x, rowHeight + rowHeight / 2 + 8), grey) << "row 1, column " << column;
        EXPECT_EQ(shot.pixelColor(x, 3 * rowHeight + rowHeight / 2), teal) << "below, column " << column;
    }
}

// A lap repaints only what it changed: the new row and the slots below it
// when they are in sight, the scroll bar when its look changed. The window as
// shown after each step must be what a full repaint of it draws, at the points
// where that drawing takes another course: rows still in sight, the first
// rows below sight (the bar appears and shrinks), a long list (the bar no
// longer changes), rows added in sight again once scrolled to the end, a
// reset and laps after it.
TEST_F(LapList, WhatLapsLeaveOnScreenIsWhatAFullRepaintDraws)
{
    auto *view = qobject_cast<QTableView *>(window->Listbox1()->Widget());
    ASSERT_NE(view, nullptr);
    QWidget *top = window->Widget();
    const auto shown = [top] {
        QCoreApplication::processEvents();
        return top->screen()->grabWindow(top->winId()).toImage();
    };
    const auto lapsUpTo = [&](std::int64_t count) {
        while (window->Listbox1()->ListCount() < count) {
            AdvanceSeconds(1);
            LapOrReset();
            QCoreApplication::processEvents();
        }
    };
    struct Step { const char *what; std::function<void()> act; };
    const Step steps[] = {
        {"lap 1", [&] { Start(); lapsUpTo(1); }},
        {"lap 4, the last one in sight", [&] { lapsUpTo(4); }},
        {"lap 7, below sight", [&] { lapsUpTo(7); }},
        {"lap 47, the bar's handle at its smallest", [&] { lapsUpTo(47); }},
        {"scrolled to the end", [&] { view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum()); }},
        {"3 more laps, in sight at the end", [&] { lapsUpTo(50); }},
        {"lap 350", [&] { lapsUpTo(350); }},
        {"reset", [&] { Click(*window->cStart()); LapOrReset(); }},
        {"2 laps after the reset", [&] { Start(); lapsUpTo(2); }},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        const QImage incremental = shown();
        top->repaint();
        const QImage full = shown();
        ASSERT_EQ(incremental.size(), full.size());
        int differing = 0;
        QPoint first;
        for (int y = 0; y < full.height(); ++y)
            for (int x = 0; x < full.width(); ++x)
                if (incremental.pixel(x, y) != full.pixel(x, y) && differing++ == 0)
                    first = QPoint(x, y);
        EXPECT_EQ(differing, 0) << "first at " << first.x() << "," << first.y() << ": shown "
                                << qPrintable(incremental.pixelColor(first).name()) << ", full repaint "
                                << qPrintable(full.pixelColor(first).name());
    }
}

// The columns are wider than the list, which has no horizontal scroll bar:
// whatever the user does, the columns stay under their headings (column 1
// from x 20 of the list's inside) and the note editor stays inside the list.
TEST_F(LapList, ColumnsNeverScrollSidewaysAndTheNoteEditorStaysInsideTheList)
{
    auto *view = qobject_cast<QTableView *>(window->Listbox1()->Widget());
    ASSERT_NE(view, nullptr);
    auto clickNote = [&](int row) {
        const QRect cell = view->visualRect(view->model()->index(row, 4));
        ClickAt(view->viewport()->mapTo(window->ContentWidget(), cell.center()));
    };
    // Keys go where the keyboard sends them: to the editor while one is open.
    auto keys = [](std::initializer_list<Qt::Key> pressed) {
        for (Qt::Key key : pressed)
            QTest::keyClick(QApplication::focusWidget(), key);
    };
    struct Step { const char *what; std::function<void()> act; int editingRow; };
    const Step steps[] = {
        {"first lap", [&] { Start(); LapOrReset(); }, -1},
        {"note of the first row", [&] { clickNote(0); }, 0},
        {"typed and Return", [&] {
             QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("split"));
             keys({Qt::Key_Return});
         }, -1},
        {"laps until the vertical bar shows", [&] {
             for (int lap = 0; lap < 6; ++lap)
                 LapOrReset();
             EXPECT_TRUE(view->verticalScrollBar()->isVisible());
         }, -1},
        {"note of a row half out of view", [&] { clickNote(4); }, 4},
        {"moving in the editor", [&] { keys({Qt::Key_End, Qt::Key_Right, Qt::Key_Home, Qt::Key_Left}); }, 4},
        {"Escape", [&] { keys({Qt::Key_Escape}); }, -1},
        {"note of the last row, scrolled to with the bar", [&] {
             view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
             clickNote(6);
         }, 6},
        {"down in the editor on the last row", [&] { keys({Qt::Key_Down}); }, 6},
        {"up in the editor keeps the note and moves to the row above", [&] {
             QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("last"));
             keys({Qt::Key_Up});
             EXPECT_EQ(window->Listbox1()->Cell(6, 4), QStringLiteral("last"));
             EXPECT_EQ(view->currentIndex().row(), 5);
         }, -1},
        {"note of the last row again", [&] { clickNote(6); }, 6},
        {"wheel sideways", [&] {
             const QPointF at(300, 40);
             QWheelEvent wheel(at, view->viewport()->mapToGlobal(at), {}, QPoint(-120, 0), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(view->viewport(), &wheel);
         }, 6},
        {"reset, a new lap and its note", [&] {
             Click(*window->cStart());
             LapOrReset();
             Start();
             LapOrReset();
             clickNote(0);
         }, 0},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(view->horizontalScrollBar()->value(), 0);
        EXPECT_EQ(view->visualRect(view->model()->index(0, 1)).x(), 20);
        ASSERT_EQ(window->Listbox1()->EditingRow(), step.editingRow);
        if (step.editingRow >= 0) {
            const QWidget *editor = view->indexWidget(view->model()->index(step.editingRow, 4));
            ASSERT_NE(editor, nullptr);
            const QRect cell = view->visualRect(view->model()->index(step.editingRow, 4));
            EXPECT_GE(editor->geometry().left(), cell.left());
            EXPECT_LT(editor->geometry().right(), view->viewport()->width());
        }
    }
}

// Only a lap's note takes what the user types. Whatever key or click comes,
// from the list or from the note's editor, no editor opens on the LAP, TIME or
// LAPTIME cells (or the blank column 0) and their texts stay as the lap wrote
// them. Tab and Shift+Tab end the note as Return does.
TEST_F(LapList, OnlyTheNoteOfALapTakesTyping)
{
    auto *view = qobject_cast<QTableView *>(window->Listbox1()->Widget());
    ASSERT_NE(view, nullptr);
    const auto list = window->Listbox1();
    Start();
    for (int lap = 1; lap <= 3; ++lap) {
        AdvanceSeconds(lap);
        LapOrReset();
    }
    // Stopped, so that Return, which takes laps while the watch runs, adds no row.
    Click(*window->cStart());
    std::vector<QStringList> written;
    for (std::int64_t row = 0; row < 3; ++row)
        written.push_back(Row(row).mid(0, 4));
    ASSERT_EQ(written[2], Cells("Lap 3", "00:00:06", "00:00:03").mid(0, 4));

    auto at = [&](int row, int column) {
        const QRect cell = view->visualRect(view->model()->index(row, column));
        return view->viewport()->mapTo(window->ContentWidget(), cell.center());
    };
    auto click = [&](int row, int column) { ClickAt(at(row, column)); };
    auto doubleClick = [&](int row, int column) {
        QTest::mouseDClick(window->Widget()->windowHandle(), Qt::LeftButton, {}, InWindow(at(row, column)));
    };
    // Keys go where the keyboard sends them: to the editor while one is open.
    auto target = [&] { return QApplication::focusWidget() ? QApplication::focusWidget() : window->Widget(); };
    auto type = [&](const char *text) { QTest::keyClicks(target(), QString::fromLatin1(text)); };
    auto key = [&](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(target(), pressed, modifiers);
    };
    auto current = [&] { return std::pair(view->currentIndex().row(), view->currentIndex().column()); };

    struct Step { const char *what; std::function<void()> act; int editingRow; };
    const Step steps[] = {
        {"a click on column 0 and on the LAP, TIME and LAPTIME cells, each with digits typed", [&] {
             for (int column = 0; column < 4; ++column) {
                 click(1, column);
                 type("77");
             }
         }, -1},
        {"F2 on the selected row, digits and Return", [&] {
             key(Qt::Key_F2);
             type("99");
             key(Qt::Key_Return);
         }, -1},
        {"Return on the selected row and digits", [&] { key(Qt::Key_Return); type("12"); }, -1},
        {"Up and Down on the selected row and digits", [&] {
             key(Qt::Key_Up);
             key(Qt::Key_Down);
             type("34");
         }, -1},
        {"a double click on a TIME cell and digits", [&] { doubleClick(0, 2); type("56"); }, -1},
        {"a double click on a note", [&] { doubleClick(0, 4); }, 0},
        {"the note typed and Shift+Tab", [&] {
             type("abc");
             key(Qt::Key_Backtab);
             EXPECT_EQ(list->Cell(0, 4), QStringLiteral("abc"));
             EXPECT_EQ(current(), std::pair(0, 4));
         }, -1},
        {"digits after Shift+Tab", [&] { type("77"); }, -1},
        {"the note again, Tab, Tab and digits", [&] {
             click(0, 4);
             key(Qt::Key_Tab);
             key(Qt::Key_Tab);
             type("99");
             EXPECT_EQ(list->Cell(0, 4), QStringLiteral("abc"));
         }, -1},
        {"the last lap's note typed, Tab and digits", [&] {
             click(2, 4);
             type("end");
             key(Qt::Key_Tab);
             EXPECT_EQ(list->Cell(2, 4), QStringLiteral("end"));
             EXPECT_EQ(current(), std::pair(2, 4));
             type("88");
         }, -1},
        {"Shift+Tab as Tab with Shift held and digits", [&] {
             click(1, 4);
             key(Qt::Key_Tab, Qt::ShiftModifier);
             type("66");
         }, -1},
        {"Up in the note's editor, then Tab and digits", [&] {
             click(2, 4);
             key(Qt::Key_Up);
             EXPECT_EQ(current(), std::pair(1, 4));
             key(Qt::Key_Tab);
             type("55");
         }, -1},
        {"Down in the note's editor, then Shift+Tab, F2 and digits", [&] {
             click(0, 4);
             key(Qt::Key_Down);
             EXPECT_EQ(current(), std::pair(1, 4));
             key(Qt::Key_Backtab);
             key(Qt::Key_F2);
             type("44");
         }, -1},
        {"the note, then a click on its LAPTIME cell and digits", [&] {
             click(1, 4);
             type("x");
             click(1, 3);
             type("33");
             EXPECT_EQ(list->Cell(1, 4), QStringLiteral("x"));
         }, -1},
        {"the note, then a double click on its LAP cell and digits", [&] {
             click(1, 4);
             doubleClick(1, 1);
             type("22");
         }, -1},
        {"a note left open, F2 in its editor", [&] {
             click(2, 4);
             key(Qt::Key_F2);
         }, 2},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        ASSERT_EQ(list->ListCount(), 3);
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(Row(row).mid(0, 4), written[static_cast<std::size_t>(row)]) << "row " << row;
            for (int column = 0; column < 4; ++column)
                EXPECT_EQ(view->indexWidget(view->model()->index(row, column)), nullptr)
                    << "editor on row " << row << ", column " << column;
        }
        ASSERT_EQ(std::pair(list->EditingRow(), list->EditingColumn()),
                  std::pair(std::int64_t{step.editingRow}, std::int64_t{step.editingRow < 0 ? -1 : 4}));
    }
}

} // namespace
} // namespace tickora::testing
