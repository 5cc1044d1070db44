#include "support/RuntimeFixture.h"
#include "support/TestWindow.h"

#include "runtime/Listbox.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <array>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace tickora::testing {
namespace {

using runtime::Listbox;
using runtime::PropertyList;
using Int = std::int64_t;

const QColor kTeal(8, 43, 52);
const QColor kGrey(150, 150, 150);

// The lap list's property list, as the main window gives it.
PropertyList LapList()
{
    return {
        {"Left", Int{10}}, {"Top", Int{10}}, {"Width", Int{538}}, {"Height", Int{151}},
        {"TabIndex", Int{12}}, {"TabStop", true}, {"LockLeft", true}, {"TabPanelIndex", Int{0}},
        {"_ScrollOffset", Int{0}}, {"_ScrollWidth", Int{-1}}, {"AllowAutoDeactivate", true},
        {"HasBorder", true}, {"ColumnCount", Int{5}}, {"ColumnWidths", QStringLiteral("20,100,140,140,140")},
        {"DefaultRowHeight", Int{30}}, {"Enabled", true}, {"GridLinesHorizontalStyle", Int{3}},
        {"GridLinesVerticalStyle", Int{0}}, {"HasHeader", false}, {"HeadingIndex", Int{-1}},
        {"Tooltip", QString()}, {"InitialValue", QString()}, {"HasHorizontalScrollbar", false},
        {"HasVerticalScrollbar", true}, {"DropIndicatorVisible", false}, {"Transparent", true},
        {"AllowFocusRing", true}, {"Visible", true}, {"Bold", true}, {"Italic", false},
        {"FontName", QStringLiteral("Arial")}, {"FontSize", 20.0f}, {"FontUnit", runtime::SmallEnum{0}},
        {"Underline", false}, {"AllowAutoHideScrollbars", true}, {"AllowResizableColumns", false},
        {"AllowRowDragging", false}, {"AllowRowReordering", false}, {"AllowExpandableRows", false},
        {"RequiresSelection", false}, {"RowSelectionType", Int{0}}, {"DataSource", QString()},
        {"DataField", QString()}, {"InitialParent", QString()}};
}

// The program's background: dark teal everywhere, grey over the laps.
bool PaintLikeTheProgram(Listbox &list, runtime::Graphics &g, Int row, Int)
{
    g.SetForeColor(runtime::RGB(8, 43, 52));
    g.FillRect(0, 0, g.Width(), g.Height());
    if (row < list.ListCount()) {
        g.SetForeColor(runtime::RGB(150, 150, 150));
        g.FillRect(0, 0, g.Width(), g.Height());
    }
    return false;
}

class ListboxTest : public RuntimeFixture {
protected:
    // A window holding one list, laid out by `properties`, shown offscreen when asked.
    runtime::Ref<Listbox> MakeList(const PropertyList &properties, bool show = false)
    {
        window = TestWindow::Make();
        window->SetWidth(600);
        window->SetHeight(400);
        list = window->New<Listbox>();
        list->Constructor();
        runtime::SetProperties(*list, properties);
        window->AddControl(QStringLiteral("laps"), list);
        if (show) {
            window->Show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window->Widget()));
        }
        return list;
    }
    QTableView &View() const { return *qobject_cast<QTableView *>(list->Widget()); }
    void AddEmptyRows(int count)
    {
        for (int i = 0; i < count; ++i)
            list->AddRow({QString()});
    }
    void ClickViewport(QPoint at) { QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, at); }
    QImage Shot() const { return View().viewport()->grab().toImage(); }

    runtime::Ref<TestWindow> window;
    runtime::Ref<Listbox> list;
    // What the handlers saw; the window may still paint while the fixture tears down.
    std::vector<std::array<Int, 4>> clicks;
    std::set<Int> paintedRows;
};

TEST_F(ListboxTest, RowsFillFromTheLeftAndCellsOutsideRaise)
{
    MakeList(LapList());
    EXPECT_EQ(list->LastIndex(), -1);
    for (const auto &[texts, expected] : std::vector<std::pair<QStringList, QStringList>>{
             {{}, {"", "", "", "", ""}},
             {{"a"}, {"a", "", "", "", ""}},
             {{"a", "b", "c", "d", "e", "f", "g"}, {"a", "b", "c", "d", "e"}}}) {
        list->AddRow(texts);
        const Int row = list->LastIndex();
        EXPECT_EQ(row, list->ListCount() - 1);
        for (Int column = 0; column < 5; ++column)
            EXPECT_EQ(list->Cell(row, column), expected[column]) << texts.join(',').toStdString() << column;
    }
    list->SetCell(1, 3, QStringLiteral("note"));
    EXPECT_EQ(list->Cell(1, 3), QStringLiteral("note"));
    EXPECT_EQ(list->Cell(2, 3), QStringLiteral("d"));
    for (const auto &[row, column] :
         std::vector<std::pair<Int, Int>>{{-1, 0}, {3, 0}, {0, -1}, {0, 5}, {Int{1} << 40, 0}}) {
        EXPECT_THROW(list->Cell(row, column), runtime::KeyNotFoundException) << row << ", " << column;
        EXPECT_THROW(list->SetCell(row, column, QStringLiteral("x")), runtime::KeyNotFoundException);
        list->EditCell(row, column);
        EXPECT_FALSE(list->IsEditing());
    }
    list->DeleteAllRows();
    EXPECT_EQ(list->ListCount(), 0);
    EXPECT_EQ(list->LastIndex(), -1);
    list->AddRow({QStringLiteral("again")});
    EXPECT_EQ(list->LastIndex(), 0);
}

TEST_F(ListboxTest, InitialValueAndColumnCountReshapeTheRows)
{
    MakeList({{"ColumnCount", Int{3}}});
    list->AddRow({QStringLiteral("old")});
    runtime::SetProperties(*list, {{"InitialValue", QStringLiteral("a\tb\rc\nd\r\ne\tf\tg\th\n")}});
    ASSERT_EQ(list->LastIndex(), 3);
    const QStringList expected{"a", "b", "", "c", "", "", "d", "", "", "e", "f", "g"};
    for (int cell = 0; cell < expected.size(); ++cell)
        EXPECT_EQ(list->Cell(cell / 3, cell % 3), expected[cell]) << cell;

    list->SetColumnCount(2);
    EXPECT_THROW(list->Cell(3, 2), runtime::KeyNotFoundException);
    list->SetColumnCount(3);
    EXPECT_EQ(list->Cell(3, 1), QStringLiteral("f"));
    EXPECT_EQ(list->Cell(3, 2), QString()) << "a removed column's text does not come back";
    runtime::SetProperties(*list, {{"InitialValue", QString()}});
    EXPECT_EQ(list->ListCount(), 0);
}

TEST_F(ListboxTest, LapListPropertiesShapeTheView)
{
    MakeList(LapList());
    QTableView &view = View();
    ASSERT_EQ(view.model()->columnCount(), 5);
    for (std::size_t column = 0; column < 5; ++column)
        EXPECT_EQ(view.columnWidth(static_cast<int>(column)), (std::array{20, 100, 140, 140, 140}[column]))
            << column;
    AddEmptyRows(2);
    EXPECT_EQ(view.rowViewportPosition(1), 30);
    EXPECT_TRUE(view.horizontalHeader()->isHidden());
    EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_FALSE(view.viewport()->autoFillBackground());
    EXPECT_TRUE(view.font().bold());
    EXPECT_EQ(view.font().pixelSize(), 20);
    EXPECT_EQ(view.focusPolicy(), Qt::StrongFocus);
    list->SetTabStop(false);
    EXPECT_EQ(view.focusPolicy(), Qt::NoFocus);

    for (const auto &[has, autoHide, expected] :
         std::vector<std::tuple<bool, bool, Qt::ScrollBarPolicy>>{{true, true, Qt::ScrollBarAsNeeded},
                                                                  {true, false, Qt::ScrollBarAlwaysOn},
                                                                  {false, true, Qt::ScrollBarAlwaysOff},
                                                                  {false, false, Qt::ScrollBarAlwaysOff}}) {
        runtime::SetProperties(*list, {{"AllowAutoHideScrollbars", autoHide},
                                       {"HasVerticalScrollbar", has},
                                       {"HasHorizontalScrollbar", has}});
        EXPECT_EQ(view.verticalScrollBarPolicy(), expected) << has << autoHide;
        EXPECT_EQ(view.horizontalScrollBarPolicy(), expected) << has << autoHide;
    }
}

TEST_F(ListboxTest, ColumnsWithoutPixelWidthsShareWhatIsLeft)
{
    MakeList(
        {{"Width", Int{400}}, {"Height", Int{100}}, {"HasBorder", false}, {"HasVerticalScrollbar", false}},
        true);
    ASSERT_EQ(View().viewport()->width(), 400);
    for (const auto &[count, widths, expected] : std::vector<std::tuple<Int, QString, std::vector<int>>>{
             {3, QStringLiteral("20,100"), {20, 100, 280}},
             {2, QStringLiteral("50%,*"), {200, 200}},
             {2, QString(), {200, 200}},
             {2, QStringLiteral("wide, 100"), {300, 100}},
             {3, QStringLiteral("300,300,*"), {300, 300, 20}}}) {
        runtime::SetProperties(*list, {{"ColumnCount", count}, {"ColumnWidths", widths}});
        for (std::size_t column = 0; column < expected.size(); ++column)
            EXPECT_EQ(View().columnWidth(static_cast<int>(column)), expected[column])
                << widths.toStdString() << " column " << column;
    }
}

TEST_F(ListboxTest, UnknownNamesAndWrongKindsRaise)
{
    MakeList({});
    for (const char *name : {"ColumnWidth", "RowHeight", "GridLinesStyle"})
        EXPECT_THROW(runtime::SetProperties(*list, {{name, Int{1}}}), runtime::KeyNotFoundException) << name;
    const PropertyList wrongKinds{{"ColumnCount", QStringLiteral("5")},
                                  {"HasHeader", Int{0}},
                                  {"GridLinesHorizontalStyle", true},
                                  {"InitialValue", Int{0}},
                                  {"_ScrollOffset", 0.0f},
                                  {"Bold", Int{1}}};
    for (const runtime::Property &entry : wrongKinds)
        EXPECT_THROW(runtime::SetProperties(*list, {entry}), runtime::TypeMismatchException) << entry.Name;
}

TEST_F(ListboxTest, HandledClickOpensTheEditorAndLeavesTheSelection)
{
    MakeList(LapList(), true);
    AddEmptyRows(3);
    list->CellClick.AddHandler([this](Listbox &l, Int row, Int column, Int x, Int y) {
        clicks.push_back({row, column, x, y});
        if (column == 4)
            l.EditCell(row, column);
        return column >= 3;
    });
    // Column 4 starts at 20 + 100 + 140 + 140 = 400; row 1 at 30.
    ClickViewport({405, 37});
    EXPECT_EQ(clicks, (std::vector<std::array<Int, 4>>{{1, 4, 5, 7}}));
    EXPECT_TRUE(list->IsEditing());
    EXPECT_EQ(std::pair(list->EditingRow(), list->EditingColumn()), std::pair(Int{1}, Int{4}));
    EXPECT_FALSE(View().selectionModel()->hasSelection());

    ClickViewport({60, 75});
    EXPECT_EQ(clicks.size(), 2u);
    EXPECT_TRUE(View().selectionModel()->isRowSelected(2, {}));
    ClickViewport({300, 15});
    EXPECT_EQ(clicks.size(), 3u);
    EXPECT_TRUE(View().selectionModel()->isRowSelected(2, {})) << "a handled click selects nothing";
    EXPECT_FALSE(View().selectionModel()->isRowSelected(0, {}));

    ClickViewport({60, 3 * 30 + 10});
    EXPECT_EQ(clicks.size(), 3u) << "a click below the last row is no cell click";
}

TEST_F(ListboxTest, TypedTextIsKeptAndAnotherEditCommitsTheOpenOne)
{
    MakeList(LapList(), true);
    AddEmptyRows(3);
    list->EditCell(1, 4);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("fast lap"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(list->IsEditing());
    EXPECT_EQ(list->Cell(1, 4), QStringLiteral("fast lap"));

    list->EditCell(0, 4);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("first"));
    list->EditCell(2, 4);
    EXPECT_EQ(list->Cell(0, 4), QStringLiteral("first"));
    EXPECT_EQ(list->EditingRow(), 2);

    list->DeleteAllRows();
    EXPECT_FALSE(list->IsEditing());
}

TEST_F(ListboxTest, ProgramPaintsVisibleRowsGreyAndTheAreaBelowTeal)
{
    MakeList(LapList(), true);
    list->CellBackgroundPaint.AddHandler([this](Listbox &l, runtime::Graphics &g, Int row, Int column) {
        paintedRows.insert(row);
        return PaintLikeTheProgram(l, g, row, column);
    });
    AddEmptyRows(3);
    View().selectRow(0);
    const QImage shot = Shot();
    EXPECT_EQ(shot.pixelColor(60, 45), kGrey);
    EXPECT_EQ(shot.pixelColor(60, 3 * 30 + 15), kTeal);
    EXPECT_EQ(shot.pixelColor(10, 4 * 30 + 15), kTeal);
    const QColor selected = shot.pixelColor(60, 15);
    EXPECT_TRUE(selected == View().palette().color(QPalette::Active, QPalette::Highlight) ||
                selected == View().palette().color(QPalette::Inactive, QPalette::Highlight));
    // Every row slot the viewport shows, lap or not, and nothing beyond.
    ASSERT_EQ(paintedRows.size(), static_cast<std::size_t>((View().viewport()->height() - 1) / 30 + 1));
    EXPECT_EQ(*paintedRows.rbegin(), (View().viewport()->height() - 1) / 30);
}

TEST_F(ListboxTest, ThrowingHandlersEndInTheUnhandledExceptionReport)
{
    MakeList(LapList(), true);
    AddEmptyRows(2);
    list->CellBackgroundPaint.AddHandler([](Listbox &, runtime::Graphics &, Int, Int) -> bool {
        throw runtime::NilObjectException(QStringLiteral("paint failed"));
    });
    Shot();
    ASSERT_FALSE(quitCodes.empty());
    EXPECT_EQ(quitCodes.back(), runtime::kUnhandledExceptionExitCode);

    quitCodes.clear();
    list->CellClick.AddHandler([](Listbox &, Int, Int, Int, Int) -> bool {
        throw runtime::NilObjectException(QStringLiteral("click failed"));
    });
    ClickViewport({60, 45});
    EXPECT_EQ(quitCodes, std::vector<int>{runtime::kUnhandledExceptionExitCode});
    EXPECT_TRUE(View().selectionModel()->isRowSelected(1, {})) << "a failed handler did not handle the click";
    list->CellBackgroundPaint.AddHandler({});
}

std::vector<QString> g_modelWarnings;

TEST_F(ListboxTest, ModelPassesTheModelTesterWhileRowsComeAndGo)
{
    MakeList(LapList());
    g_modelWarnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type != QtDebugMsg && type != QtInfoMsg)
                g_modelWarnings.push_back(message);
        });
    {
        QAbstractItemModelTester tester(list->Model(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        AddEmptyRows(3);
        list->SetCell(1, 2, QStringLiteral("00:01:00"));
        EXPECT_TRUE(list->Model()->setData(list->Model()->index(2, 4), QStringLiteral("typed")));
        EXPECT_EQ(list->Cell(2, 4), QStringLiteral("typed"));
        list->SetColumnCount(7);
        list->SetColumnCount(2);
        list->DeleteAllRows();
        runtime::SetProperties(*list, {{"InitialValue", QStringLiteral("a\tb\nc")}});
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(g_modelWarnings.empty()) << g_modelWarnings.front().toStdString();
}

TEST_F(ListboxTest, TenThousandLapsStayCorrectAndOnlyVisibleRowsPaint)
{
    MakeList(LapList(), true);
    list->CellBackgroundPaint.AddHandler([this](Listbox &l, runtime::Graphics &g, Int row, Int column) {
        paintedRows.insert(row);
        return PaintLikeTheProgram(l, g, row, column);
    });
    for (int lap = 1; lap <= 10000; ++lap) {
        list->AddRow({QString()});
        list->SetCell(list->LastIndex(), 1, QStringLiteral("Lap %1").arg(lap));
        list->SetCell(list->LastIndex(), 2, QString::number(lap * 3));
    }
    EXPECT_EQ(list->ListCount(), 10000);
    EXPECT_EQ(list->LastIndex(), 9999);
    for (Int row : {Int{0}, Int{4999}, Int{9999}}) {
        EXPECT_EQ(list->Cell(row, 1), QStringLiteral("Lap %1").arg(row + 1));
        EXPECT_EQ(list->Cell(row, 2), QString::number((row + 1) * 3));
    }
    paintedRows.clear();
    EXPECT_EQ(Shot().pixelColor(60, 45), kGrey);
    EXPECT_EQ(paintedRows.size(), static_cast<std::size_t>((View().viewport()->height() - 1) / 30 + 1));
}

} // namespace
} // namespace tickora::testing
