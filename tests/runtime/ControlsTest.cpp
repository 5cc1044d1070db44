#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/widgets/controls/Listbox.h"
#include "runtime/widgets/controls/PushButton.h"
#include "runtime/widgets/controls/Slider.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QSlider>
#include <QTableView>
#include <QWheelEvent>

#include <array>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Listbox;
using runtime::PushButton;
using runtime::Ref;
using runtime::Slider;
using Int = std::int64_t;

// A shown window holding one list laid out by the entries of the lap list's
// property list that shape its view. Column 4 starts at 20 + 100 + 140 + 140
// = 400, row n at 30 n.
class Listboxes : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        ASSERT_TRUE(ShowExposed(*window));
    }

    QTableView &View() const { return *qobject_cast<QTableView *>(list->Widget()); }
    void AddRows(int count) { while (count-- > 0) list->AddRow({QString::number(list->ListCount())}); }
    void Click(QPoint at) { QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, at); }
    bool Selected(int row) const { return View().selectionModel()->isRowSelected(row, {}); }
    QColor PixelAt(int x, int y) const { return View().viewport()->grab().toImage().pixelColor(x, y); }

    std::set<Int> painted; // painting may go on until the window is gone
    Ref<Listbox> list;
    Ref<TestWindow> window = TestWindow::Make([this](TestWindow &w) {
        runtime::SetProperties(w, {{"Width", 600}, {"Height", 400}});
        list = AddNamed<Listbox>(w, u"laps"_s, {{"Left", 10}, {"Top", 10}, {"Width", 538}, {"Height", 151},
                                                {"ColumnCount", 5}, {"ColumnWidths", u"20,100,140,140,140"_s},
                                                {"DefaultRowHeight", 30}, {"HasHeader", false}, {"FontSize", 20.0f},
                                                {"GridLinesHorizontalStyle", 3}, {"Transparent", true}});
    });
};

// Every change of rows and columns is announced to the view as Qt's item
// models must; the tester reports a broken promise as a warning.
TEST_F(Listboxes, RowsPassTheModelTesterAndCellsOutsideRaise)
{
    const auto previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &m) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            ADD_FAILURE() << m.toStdString();
    });
    {
        QAbstractItemModelTester tester(list->Model(), QAbstractItemModelTester::FailureReportingMode::Warning);
        AddRows(3);
        list->SetCell(1, 2, u"00:01:00"_s);
        list->EditCell(2, 4); // typing reaches only the cell open for editing
        EXPECT_TRUE(list->Model()->setData(list->Model()->index(2, 4), u"typed"_s));
        list->SetColumnCount(7);
        list->SetColumnCount(5);
        list->DeleteAllRows();
        EXPECT_EQ(View().verticalHeader()->count(), 0) << "the view saw the rows go";
        runtime::SetProperties(*list, {{"InitialValue", u"a\tb\nc"_s}});
    }
    qInstallMessageHandler(previous);
    for (const auto &[row, column] : {std::pair<Int, Int>{-1, 0}, {2, 0}, {0, -1}, {0, 5}, {Int{1} << 40, 0}}) {
        EXPECT_THROW(list->Cell(row, column), runtime::KeyNotFoundException) << row << ", " << column;
        EXPECT_THROW(list->SetCell(row, column, u"x"_s), runtime::KeyNotFoundException) << row << ", " << column;
    }
}

// A click the handler takes leaves selection and editor to the program.
// (Typing into the editor is played through the lap list in ScaleTest.)
TEST_F(Listboxes, HandledClickKeepsItsEditorAndTheSelectionAndAnUnhandledOneSelects)
{
    AddRows(3);
    std::vector<std::array<Int, 4>> clicks;
    list->CellClick.AddHandler([&](Listbox &l, Int row, Int column, Int x, Int y) {
        clicks.push_back({row, column, x, y});
        if (column == 4)
            l.EditCell(row, column);
        return column >= 3;
    });
    Click({405, 37});
    EXPECT_EQ(clicks, (std::vector<std::array<Int, 4>>{{1, 4, 5, 7}}));
    EXPECT_EQ(std::pair(list->EditingRow(), list->EditingColumn()), std::pair(Int{1}, Int{4}));
    EXPECT_FALSE(View().selectionModel()->hasSelection());
    Click({60, 75});
    Click({300, 15});
    EXPECT_EQ(clicks.size(), 3u);
    EXPECT_TRUE(Selected(2) && !Selected(0));
}

// Qt opens editors of its own accord: on the neighbouring cell when an editor
// closes after Tab or Shift+Tab, and on any cell handed to the view's edit
// slot. Only the cell the program opened takes an editor or text, and only
// while its editor is open; the other cells keep what the program wrote.
TEST_F(Listboxes, OnlyTheCellTheProgramOpenedTakesAnEditorOrText)
{
    AddRows(3);
    for (int row = 0; row < 3; ++row)
        for (int column = 1; column < 5; ++column)
            list->SetCell(row, column, QString::number(10 * row + column));
    auto cell = [this](int row, int column) { return list->Model()->index(row, column); };
    auto texts = [this] {
        QStringList all;
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 5; ++column)
                all << list->Cell(row, column);
        return all;
    };
    const QStringList written = texts();
    // What the delegate does on Tab (EditNextItem) and Shift+Tab (EditPreviousItem).
    auto closeAndMove = [this](QAbstractItemDelegate::EndEditHint hint) {
        QWidget *editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        ASSERT_EQ(View().indexWidget(View().currentIndex()), editor);
        QAbstractItemDelegate *delegate = View().itemDelegate();
        Q_EMIT delegate->commitData(editor);
        Q_EMIT delegate->closeEditor(editor, hint);
    };
    struct Step { const char *what; std::function<void()> act; Int editingRow; };
    const Step steps[] = {
        {"the program opens (1, 4)", [&] { list->EditCell(1, 4); }, 1},
        {"the view's edit slot on (1, 3)", [&] { View().edit(cell(1, 3)); }, 1},
        {"text set on (1, 3) through the model",
         [&] { EXPECT_FALSE(list->Model()->setData(cell(1, 3), u"x"_s)); }, 1},
        {"the editor closes and moves on, as after Tab",
         [&] { closeAndMove(QAbstractItemDelegate::EditNextItem); }, -1},
        {"the view's edit slot on the cell the program had opened", [&] { View().edit(cell(1, 4)); }, -1},
        {"text set on it through the model",
         [&] { EXPECT_FALSE(list->Model()->setData(cell(1, 4), u"x"_s)); }, -1},
        {"the program opens (0, 4)", [&] { list->EditCell(0, 4); }, 0},
        {"the editor closes and moves back, as after Shift+Tab",
         [&] { closeAndMove(QAbstractItemDelegate::EditPreviousItem); }, -1},
        {"the program opens (2, 4)", [&] { list->EditCell(2, 4); }, 2},
        {"the editor closes and moves on from the last cell, as after Tab",
         [&] { closeAndMove(QAbstractItemDelegate::EditNextItem); }, -1},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(texts(), written);
        ASSERT_EQ(std::pair(list->EditingRow(), list->EditingColumn()),
                  std::pair(step.editingRow, step.editingRow < 0 ? Int{-1} : Int{4}));
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 5; ++column) {
                const bool open = row == step.editingRow && column == 4;
                EXPECT_EQ(View().indexWidget(cell(row, column)) != nullptr, open) << row << ", " << column;
            }
        }
    }
}

// The columns are two pixels wider than the list. Opening an editor in the
// last column and a sideways wheel scroll a list that has a horizontal scroll
// bar; without one the columns stay where they are.
TEST_F(Listboxes, OnlyAListWithAHorizontalScrollBarScrollsSideways)
{
    AddRows(3);
    const std::pair<const char *, std::function<void()>> moves[] = {
        {"editor in the last column", [this] { list->EditCell(1, 4); }},
        {"sideways wheel", [this] {
             QWheelEvent wheel(QPointF(300, 40), View().viewport()->mapToGlobal(QPointF(300, 40)), {},
                               QPoint(-120, 0), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(View().viewport(), &wheel);
         }},
    };
    for (const bool bar : {false, true}) {
        list->SetHasHorizontalScrollbar(bar);
        for (const auto &[what, move] : moves) {
            SCOPED_TRACE(::testing::Message() << what << (bar ? ", with a bar" : ", without a bar"));
            View().horizontalScrollBar()->setValue(0);
            move();
            EXPECT_EQ(View().horizontalScrollBar()->value() > 0, bar);
            EXPECT_EQ(View().columnViewportPosition(1) < 20, bar);
        }
    }
}

// The program's background: grey over the laps and dark teal below them,
// where the row numbers count on. Only the visible row slots are asked for.
TEST_F(Listboxes, RowsAndTheAreaBelowArePaintedThroughTheHandlerAlsoWithTenThousandRows)
{
    list->CellBackgroundPaint.AddHandler([&](Listbox &l, runtime::Graphics &g, Int row, Int) {
        painted.insert(row);
        g.SetForeColor(row < l.ListCount() ? runtime::RGB(150, 150, 150) : runtime::RGB(8, 43, 52));
        g.FillRect(0, 0, g.Width(), g.Height());
        return false;
    });
    const QColor grey(150, 150, 150), teal(8, 43, 52);
    const std::size_t slots = static_cast<std::size_t>((View().viewport()->height() - 1) / 30 + 1);
    AddRows(3);
    EXPECT_EQ(std::tuple(PixelAt(60, 45), PixelAt(60, 105), PixelAt(10, 135)), std::tuple(grey, teal, teal));
    EXPECT_EQ(painted.size(), slots);
    EXPECT_EQ(*painted.rbegin(), static_cast<Int>(slots) - 1);

    AddRows(10000);
    painted.clear();
    EXPECT_EQ(PixelAt(60, 135), grey);
    EXPECT_EQ(painted.size(), slots);
}

// The opacity slider's list and a dialog's buttons, on a shown, active window,
// so that keys and shortcuts reach it as from the keyboard.
class SliderAndButtons : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        ASSERT_TRUE(ShowExposed(*window));
        QApplication::setActiveWindow(window->Widget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
    }

    Ref<PushButton> Button(const char *name) const { return window->ControlAs<PushButton>(QString::fromLatin1(name)); }

    std::vector<Int> reported;
    std::map<std::string, int> presses;
    Ref<Slider> slider;
    Ref<TestWindow> window = TestWindow::Make([this](TestWindow &w) {
        runtime::SetProperties(w, {{"Width", 560}, {"Height", 200}});
        slider = AddNamed<Slider>(w, u"slider"_s, {{"Left", 139}, {"Top", 116}, {"Width", 281}, {"Height", 32},
                                                   {"Value", 90}, {"MinimumValue", 0}, {"MaximumValue", 100},
                                                   {"LineStep", 1}, {"PageStep", 20}, {"TickMarkStyle", 2},
                                                   {"AllowLiveScrolling", true}});
        slider->ValueChanged.AddHandler([this](Slider &s) { reported.push_back(s.Value()); });
        int left = 10;
        for (const std::string name : {"ok", "cancel", "other"}) {
            AddNamed<PushButton>(w, QString::fromStdString(name),
                                 {{"Left", left += 100}, {"Top", 60}, {"Width", 80}, {"Height", 30},
                                  {"Default", name == "ok"}, {"Cancel", name == "cancel"}})
                ->Action.AddHandler([this, name](PushButton &) { ++presses[name]; });
        }
    });
};

// Keys and the program report each change once, starting from the list's
// value and range; while the thumb is dragged (as Qt's own mouse handling
// does it) only live scrolling reports.
TEST_F(SliderAndButtons, SliderReportsEachChangeOnceAndDuringADragOnlyWhenLive)
{
    struct Step { std::function<void()> act; Int value; bool reports; };
    auto key = [this](Qt::Key k) { return [this, k] { QTest::keyClick(slider->Widget(), k); }; };
    const Step steps[] = {
        {key(Qt::Key_Right), 91, true}, {key(Qt::Key_PageUp), 100, true}, {key(Qt::Key_End), 100, false},
        {key(Qt::Key_Home), 0, true},   {[this] { slider->SetValue(42); }, 42, true},
        {[this] { slider->SetValue(42); }, 42, false}, {[this] { slider->SetMaximumValue(30); }, 30, true},
    };
    for (const Step &step : steps) {
        reported.clear();
        step.act();
        EXPECT_EQ(slider->Value(), step.value) << "step " << &step - steps;
        EXPECT_EQ(reported, step.reports ? std::vector<Int>{step.value} : std::vector<Int>{}) << &step - steps;
    }
    auto *thumb = qobject_cast<QSlider *>(slider->Widget());
    for (bool live : {false, true}) {
        slider->SetAllowLiveScrolling(live);
        reported.clear();
        thumb->setSliderDown(true);
        thumb->setSliderPosition(live ? 10 : 20);
        EXPECT_EQ(reported, live ? std::vector<Int>{10} : std::vector<Int>{}) << "live " << live;
        thumb->setSliderDown(false);
    }
}

// What a press runs is a call-back: an exception from it ends in the
// unhandled path, not in Qt's event loop.
TEST_F(SliderAndButtons, ClickReturnAndEscapePressTheirButtonOnceAndAFailingPressEndsTheProgram)
{
    struct Case { const char *button; std::function<void()> press; };
    const Case cases[] = {
        {"other", [this] { ClickAt(*window, Button("other")->Widget(), QPoint(40, 15)); }},
        {"ok", [this] { QTest::keyClick(window->Widget()->windowHandle(), Qt::Key_Return); }},
        {"ok", [this] { QTest::keyClick(window->Widget()->windowHandle(), Qt::Key_Enter); }},
        {"cancel", [this] { QTest::keyClick(window->Widget()->windowHandle(), Qt::Key_Escape); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        slider->Widget()->setFocus();
        presses.clear();
        c.press();
        EXPECT_EQ(presses, (std::map<std::string, int>{{c.button, 1}}));
    }
    Button("other")->Action.AddHandler([](PushButton &) { throw std::runtime_error("no dialog"); });
    EXPECT_NO_THROW(cases[0].press());
    EXPECT_EQ(quitCodes, std::vector<int>{runtime::kUnhandledExceptionExitCode});
}

} // namespace
} // namespace tickora::testing
