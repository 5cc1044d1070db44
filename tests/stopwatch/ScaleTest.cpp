// Far beyond everyday use: hours of counting fast-forwarded, ten thousand
// laps, a note of a hundred thousand characters, notes in non-Latin scripts
// and emoji. The fast-forward counts 100 hours in the suite; for the long run,
//   TICKORA_FAST_FORWARD_HOURS=1000 stopwatch_tests --gtest_filter='Scale.*'
// (some twenty seconds).
#include "MainWindowFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

namespace tickora::testing {
namespace {

QString Clock(long long seconds)
{
    return QString::asprintf("%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

class Scale : public MainWindowFixture {
protected:
    QTableView *View() const { return qobject_cast<QTableView *>(window->Listbox1()->Widget()); }
    void Lap() { window->cReset_MouseDown(*window->cReset(), 1, 1); }
};

TEST_F(Scale, HoursOfCountingFastForwardedNeverWrap)
{
    bool ok = false;
    const long long hours = qEnvironmentVariableIntValue("TICKORA_FAST_FORWARD_HOURS", &ok);
    const long long counted = ok && hours > 0 ? hours : 100;
    Start();
    clock.Advance(std::chrono::hours(counted));
    const QString expected = QString::number(counted) + QStringLiteral(":00:00");
    EXPECT_EQ(Shown(), expected);
    EXPECT_EQ(window->timestring()->Text(), expected);
    EXPECT_EQ(window->zwischenzeit()->Text(), expected);
}

TEST_F(Scale, TenThousandLapsKeepTheirNumbersAndTimes)
{
    Start();
    // Laps of one to seven seconds, so that neighbouring rows differ.
    for (int lap = 1; lap <= 10000; ++lap) {
        AdvanceSeconds(1 + lap % 7);
        Lap();
    }
    auto list = window->Listbox1();
    ASSERT_EQ(list->ListCount(), 10000);
    long long total = 0;
    for (std::int64_t row = 0; row < 10000; ++row) {
        const long long length = 1 + (row + 1) % 7;
        total += length;
        const QStringList expected{QString(), QStringLiteral("Lap %1").arg(row + 1), Clock(total), Clock(length), {}};
        for (std::int64_t column = 0; column < 5; ++column)
            ASSERT_EQ(list->Cell(row, column), expected[column]) << "row " << row << ", column " << column;
    }
}

TEST_F(Scale, LongAndNonLatinNotesAreKeptExactlyAndPainted)
{
    const QString longNote = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(3847).left(100000);
    const QStringList notes{QStringLiteral("Заметка"), QStringLiteral("笔记"), QStringLiteral("ملاحظة"),
                            QStringLiteral("⏱️ 🏁 e\u0301"), longNote};
    Start();
    // One row more than notes: its empty note cell shows what a cell without ink looks like.
    for (int row = 0; row <= notes.size(); ++row)
        Lap();
    for (int row = 0; row < notes.size(); ++row) {
        const QModelIndex cell = View()->model()->index(row, 4);
        View()->scrollTo(cell);
        ClickAt(View()->viewport()->mapTo(window->ContentWidget(), View()->visualRect(cell).center()));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr) << "row " << row;
        // Short notes arrive as one input event carrying their text, the long one pasted.
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, notes[row]);
        if (notes[row] == longNote)
            editor->insert(longNote);
        else
            QApplication::sendEvent(editor, &typed);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(window->Listbox1()->Cell(row, 4), notes[row]) << "row " << row;
    // Compared without printing a hundred thousand characters on failure.
    EXPECT_EQ(window->Listbox1()->Cell(4, 4).size(), longNote.size());
    EXPECT_TRUE(window->Listbox1()->Cell(4, 4) == longNote);

    for (int row = 0; row <= notes.size(); ++row) {
        View()->scrollTo(View()->model()->index(row, 4));
        const QImage shot = View()->viewport()->grab().toImage();
        const QRect cell = View()->visualRect(View()->model()->index(row, 4)).adjusted(0, 2, 0, -2) & shot.rect();
        ASSERT_GT(cell.height(), 10) << "row " << row;
        bool inked = false;
        for (int y = cell.top(); y <= cell.bottom() && !inked; ++y)
            for (int x = cell.left(); x <= cell.right() && !inked; ++x)
                inked = qGray(shot.pixel(x, y)) < 100;
        EXPECT_EQ(inked, row < notes.size()) << "row " << row;
    }
}

} // namespace
} // namespace tickora::testing
