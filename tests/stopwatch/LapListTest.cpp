// Laps, resets and the look of the lap list. Notes are typed by ScaleTest and
// played at length by ModelTest.
#include "MainWindowFixture.h"

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>

#include <functional>

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

} // namespace
} // namespace tickora::testing
