#include "runtime/widgets/controls/ListView.h"

#include "runtime/widgets/controls/ListCells.h"
#include "runtime/widgets/controls/ListModel.h"
#include "runtime/widgets/controls/ListScrollBar.h"
#include "runtime/widgets/controls/Listbox.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace tickora::runtime::detail {

ListView::ListView(Listbox &owner, QWidget *parent)
    : QTableView(parent), m_owner(owner), m_rows(new ListModel(this)), m_cells(new CellDelegate(owner, *m_rows, this))
{
    // Before the model arrives, so every range the view sets lands on this
    // bar. The view follows the old bar's value and actions through
    // connections that go with it; they are made again for this one.
    setVerticalScrollBar(new ListScrollBar);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &ListView::verticalScrollbarAction);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ListView::verticalScrollbarValueChanged);
    // Hidden before the model arrives, so setting it does not size headers
    // the list never shows (the owner shows one again when asked).
    verticalHeader()->hide();
    horizontalHeader()->hide();
    setModel(m_rows);
    // Qt lays out and repaints every row in sight whenever the number of
    // rows changes, though a new row usually lands below them (see
    // RowCountChanged).
    disconnect(verticalHeader(), SIGNAL(sectionCountChanged(int,int)), this, SLOT(rowCountChanged(int,int)));
    connect(verticalHeader(), &QHeaderView::sectionCountChanged, this, &ListView::RowCountChanged);
    setItemDelegate(m_cells);
    // Only the program opens a cell for editing (EditCell).
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    // Qt's grid draws vertical lines too; the delegate draws the lines asked for.
    setShowGrid(false);
    // Tab leaves the list like any other control.
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void ListView::SetColumnWidths(const QString &widths)
{
    m_widths = ParseColumnWidths(widths);
    LayOutColumns();
}

void ListView::LayOutColumns()
{
    const std::vector<int> pixels = ColumnPixelWidths(m_widths, m_rows->columnCount(), viewport()->width());
    for (int column = 0; column < static_cast<int>(pixels.size()); ++column) {
        const int width = pixels[static_cast<std::size_t>(column)];
        if (columnWidth(column) != width)
            setColumnWidth(column, width);
    }
}

void ListView::OpenEditor(const QModelIndex &index)
{
    if (QWidget *open = m_cells->Editor(); open && m_cells->EditingIndex() != index) {
        commitData(open);
        closeEditor(open, QAbstractItemDelegate::NoHint);
    }
    // The cell becomes editable before Qt asks whether it is.
    m_rows->OpenForEditing(index);
    // The keyboard goes on from the cell being edited: Up or Down in the
    // editor keeps the note and moves to the neighbouring row, rather
    // than jumping from wherever the list's current cell was.
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
    edit(index, AllEditTriggers, nullptr);
    // A cell stays closed unless its editor did open.
    if (m_cells->EditingIndex() != index)
        m_rows->CloseForEditing();
}

void ListView::DiscardEditor()
{
    if (QWidget *open = m_cells->Editor())
        closeEditor(open, QAbstractItemDelegate::NoHint);
}

void ListView::SetScrollsSideways(bool scrolls)
{
    m_scrollsSideways = scrolls;
    updateGeometries();
}

// A list without a horizontal scroll bar never scrolls sideways: columns
// wider than the list are cut off at its right edge rather than shifted
// away from what the program placed above them, with no bar to bring them
// back. Qt moves the columns from many places (scrollTo when an editor
// opens or the current cell changes, the keyboard, a sideways wheel), and
// every one of them goes through the horizontal scroll bar's value. An
// empty range holds that value at 0 for them all; this is where the view
// sets the range afresh whenever the columns or the viewport change size.
void ListView::updateGeometries()
{
    QTableView::updateGeometries();
    if (!m_scrollsSideways)
        horizontalScrollBar()->setRange(0, 0);
}

// Rows are only ever added at the end (ListModel::Append), and all rows are
// of one height. The rows above a new one stay where they are, so only the
// new rows and the slots below them, whose row numbers moved on, are painted
// again. While the list already runs past its bottom edge and is not
// scrolled to its end, a new row changes nothing else but the scroll
// range, which is set here as Qt's layout sets it for rows of one height.
// Otherwise Qt lays the list out (the scroll bar may appear), and all rows
// are painted again only if that moved them, as it does when the list was
// scrolled to its end, where the last row sits at the bottom edge. Fewer
// rows (a clear) take Qt's own layout and full repaint.
void ListView::RowCountChanged(int before, int after)
{
    if (after <= before || !isVisible()) {
        rowCountChanged(before, after);
        return;
    }
    QScrollBar *bar = verticalScrollBar();
    const int height = verticalHeader()->defaultSectionSize();
    if (bar->maximum() > 0 && bar->value() < bar->maximum() && verticalScrollMode() == ScrollPerItem && height > 0) {
        bar->setRange(0, after - std::clamp(viewport()->height() / height, 1, after));
    } else {
        const int offset = verticalHeader()->offset();
        updateGeometries();
        if (verticalHeader()->offset() != offset) {
            viewport()->update();
            return;
        }
    }
    const int top = std::max(rowViewportPosition(before), 0);
    if (top < viewport()->height())
        viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
}

void ListView::paintEvent(QPaintEvent *event)
{
    PaintRowsBelowLast(event->rect());
    QTableView::paintEvent(event);
}

void ListView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    LayOutColumns();
}

void ListView::mousePressEvent(QMouseEvent *event)
{
    m_pressHandled = RaiseCellClick(*event);
    if (m_pressHandled) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

// The second click of a double click is a click like any other.
void ListView::mouseDoubleClickEvent(QMouseEvent *event) { mousePressEvent(event); }

void ListView::mouseMoveEvent(QMouseEvent *event)
{
    // A press the program handled starts no drag selection.
    if (m_pressHandled && event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void ListView::mouseReleaseEvent(QMouseEvent *event)
{
    if (std::exchange(m_pressHandled, false)) {
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

// The list keeps the keys that move through its rows. A key that would only
// type (Qt searches the rows for it; Space selects) goes on to the window,
// whose keys work whatever control has the focus.
void ListView::keyPressEvent(QKeyEvent *event)
{
    const bool held = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!event->text().isEmpty() && !held) {
        event->ignore();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool ListView::RaiseCellClick(const QMouseEvent &event)
{
    if (event.button() != Qt::LeftButton)
        return false;
    const QPoint at = event.position().toPoint();
    const QModelIndex index = indexAt(at);
    if (!index.isValid())
        return false;
    const QRect cell = visualRect(index);
    return m_owner.CellClick.Raise(m_owner, index.row(), index.column(), at.x() - cell.x(), at.y() - cell.y());
}

// The slots below the last row, as many as the viewport shows, get their
// background from the program too; their row numbers go on counting.
void ListView::PaintRowsBelowLast(const QRect &dirty)
{
    const int height = verticalHeader()->defaultSectionSize();
    if (!m_owner.CellBackgroundPaint.IsAttached() || height <= 0)
        return;
    int row = m_rows->rowCount();
    int top = verticalHeader()->length() - verticalHeader()->offset();
    if (top < 0) {
        const int above = -top / height;
        top += above * height;
        row += above;
    }
    const int bottom = std::min(dirty.bottom(), viewport()->height() - 1);
    const int columns = m_rows->columnCount();
    QPainter painter(viewport());
    for (; top <= bottom; top += height, ++row) {
        for (int column = 0; column < columns; ++column) {
            const QRect cell(columnViewportPosition(column), top, columnWidth(column), height);
            if (cell.isEmpty() || !cell.intersects(dirty))
                continue;
            PaintCellBackground(m_owner, painter, cell, row, column);
        }
    }
}

} // namespace tickora::runtime::detail
