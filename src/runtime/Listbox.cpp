#include "runtime/Listbox.h"

#include "runtime/Boundary.h"
#include "runtime/Exceptions.h"
#include "runtime/Graphics.h"

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace tickora::runtime {

namespace {

constexpr int kTextPadding = 4;
// A column whose width is not given in pixels never shrinks below this.
constexpr int kMinimumSharedWidth = 20;
constexpr std::int64_t kMaximumColumns = 256;
constexpr std::int64_t kMaximumMeasure = 32000;

int ToMeasure(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, kMaximumMeasure));
}

// The list's rows. Every row holds exactly one text per column, so a cell is
// found by indexing, however long the list grows.
class ListModel final : public QAbstractTableModel {
public:
    explicit ListModel(QObject *parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_columns;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if ((role != Qt::DisplayRole && role != Qt::EditRole) || !IsCell(index))
            return {};
        return Text(index.row(), index.column());
    }

    // An in-place edit is committed through here, and only into the cell
    // open for editing.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::EditRole || !IsOpenForEditing(index))
            return false;
        SetText(index.row(), index.column(), value.toString());
        return true;
    }

    // Qt opens editors of its own accord as well: on the neighbouring cell
    // after Tab or Shift+Tab in an editor, and on any cell handed to its edit
    // slot, whatever the view's edit triggers say. It asks these flags before
    // every editor it opens, so only here does the rule hold on every path:
    // the one cell the program opened is editable, and only while its editor
    // is open.
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        if (!IsCell(index))
            return Qt::NoItemFlags;
        const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        return IsOpenForEditing(index) ? flags | Qt::ItemIsEditable : flags;
    }

    void OpenForEditing(const QModelIndex &cell) { m_openForEditing = cell; }
    void CloseForEditing() { m_openForEditing = QPersistentModelIndex(); }

    // The list has no heading texts of its own; a shown header stays blank.
    QVariant headerData(int, Qt::Orientation, int) const override { return {}; }

    bool Contains(std::int64_t row, std::int64_t column) const
    {
        return row >= 0 && row < rowCount() && column >= 0 && column < m_columns;
    }

    const QString &Text(int row, int column) const
    {
        return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }

    void SetText(int row, int column, const QString &text)
    {
        QString &cell = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
        if (cell == text)
            return;
        cell = text;
        const QModelIndex changed = index(row, column);
        Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
    }

    void Append(const QStringList &texts)
    {
        std::vector<QString> cells(static_cast<std::size_t>(m_columns));
        const qsizetype used = std::min<qsizetype>(texts.size(), m_columns);
        std::copy_n(texts.cbegin(), used, cells.begin());
        const int row = rowCount();
        beginInsertRows({}, row, row);
        m_rows.push_back(std::move(cells));
        endInsertRows();
    }

    void Clear()
    {
        if (m_rows.empty())
            return;
        beginResetModel();
        m_rows.clear();
        endResetModel();
    }

    void SetColumnCount(int count)
    {
        const int before = m_columns;
        if (count == before)
            return;
        if (count > before)
            beginInsertColumns({}, before, count - 1);
        else
            beginRemoveColumns({}, count, before - 1);
        m_columns = count;
        for (std::vector<QString> &cells : m_rows)
            cells.resize(static_cast<std::size_t>(count));
        if (count > before)
            endInsertColumns();
        else
            endRemoveColumns();
    }

private:
    // Views ask about the invalid index too; that is no error worth a warning.
    bool IsCell(const QModelIndex &index) const
    {
        return index.isValid() && index.model() == this && Contains(index.row(), index.column());
    }

    bool IsOpenForEditing(const QModelIndex &index) const
    {
        return IsCell(index) && m_openForEditing == index;
    }

    std::vector<std::vector<QString>> m_rows;
    int m_columns = 1;
    // Follows its cell; invalid once the rows or its column are gone.
    QPersistentModelIndex m_openForEditing;
};

// Hands one cell's area to the program, with the origin at the cell's corner
// and nothing outside it paintable. True when the program painted it completely.
bool PaintCellBackground(Listbox &owner, QPainter &painter, const QRect &cell, int row, int column)
{
    if (!owner.CellBackgroundPaint.IsAttached())
        return false;
    painter.save();
    painter.translate(cell.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), cell.size()), Qt::IntersectClip);
    Graphics graphics(painter, static_cast<double>(cell.width()), static_cast<double>(cell.height()));
    const bool handled = owner.CellBackgroundPaint.Raise(owner, graphics, row, column);
    painter.restore();
    return handled;
}

// Draws every cell: the program's background, the list's own selection over
// it unless the program painted the cell completely, then text and grid lines.
// It also keeps track of the one cell editor the list ever has open.
class CellDelegate final : public QStyledItemDelegate {
public:
    CellDelegate(Listbox &owner, ListModel &rows, QObject *parent)
        : QStyledItemDelegate(parent), m_owner(owner), m_rows(rows)
    {
    }

    bool HorizontalLines = false;
    bool VerticalLines = false;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect cell = option.rect;
        const bool handled = PaintCellBackground(m_owner, *painter, cell, index.row(), index.column());
        const bool highlighted = !handled && option.state.testFlag(QStyle::State_Selected);
        const QPalette::ColorGroup group = !option.state.testFlag(QStyle::State_Enabled) ? QPalette::Disabled
                                           : option.state.testFlag(QStyle::State_Active) ? QPalette::Active
                                                                                         : QPalette::Inactive;
        if (highlighted)
            painter->fillRect(cell, option.palette.brush(group, QPalette::Highlight));

        const QString text = index.data(Qt::DisplayRole).toString();
        if (!text.isEmpty()) {
            painter->setFont(option.font);
            // The program's cells are light, so plain text is black.
            painter->setPen(highlighted ? option.palette.color(group, QPalette::HighlightedText)
                                        : QColor(Qt::black));
            painter->drawText(cell.adjusted(kTextPadding, 0, -kTextPadding, 0),
                              static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine), text);
        }

        if (HorizontalLines || VerticalLines) {
            const QWidget *widget = option.widget;
            const int hint =
                widget ? widget->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, widget) : 0;
            painter->setPen(QPen(QColor::fromRgba(static_cast<QRgb>(hint)), 0));
            if (HorizontalLines)
                painter->drawLine(cell.bottomLeft(), cell.bottomRight());
            if (VerticalLines)
                painter->drawLine(cell.topRight(), cell.bottomRight());
        }
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        // A line editor stops at 32,767 characters by default; a note is kept
        // whole, however long.
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->setMaxLength(std::numeric_limits<int>::max());
        m_editor = editor;
        m_editing = index;
        return editor;
    }

    // A cell may reach past the list's right edge (the columns are wider than
    // the list and it does not scroll sideways). Its editor ends where the list
    // does, or the caret would run on out of sight while the user types.
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override
    {
        QStyledItemDelegate::updateEditorGeometry(editor, option, index);
        const QWidget *area = editor->parentWidget();
        if (!area)
            return;
        QRect shown = editor->geometry();
        shown.setLeft(std::max(shown.left(), 0));
        shown.setRight(std::min(shown.right(), area->width() - 1));
        editor->setGeometry(shown);
    }

    void destroyEditor(QWidget *editor, const QModelIndex &index) const override
    {
        if (editor == m_editor) {
            m_editor = nullptr;
            m_editing = QPersistentModelIndex();
            // Editing ends with the editor, however it closes.
            m_rows.CloseForEditing();
        }
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // Return, Tab and Shift+Tab end the edit and keep what was typed. Qt
    // commits on Return only once the event loop comes round again; here the
    // typed text is the cell's at once, before any other key or click. On Tab
    // Qt would go on to edit the neighbouring cell, which the program never
    // opened: here the keyboard stays on the edited cell, and the next Tab
    // leaves the list as it leaves any control.
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && m_editor && object == m_editor.data()) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                QWidget *editor = m_editor;
                Q_EMIT commitData(editor);
                Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

    QWidget *Editor() const { return m_editor; }
    QModelIndex EditingIndex() const { return m_editor ? QModelIndex(m_editing) : QModelIndex(); }

private:
    Listbox &m_owner;
    ListModel &m_rows;
    // Qt creates and destroys editors through const members.
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_editing;
};

// One entry of ColumnWidths: pixels, a percentage of the list's width, or a
// share of the width the other columns leave.
struct ColumnWidth {
    enum Kind { Pixels, Percent, Share };
    Kind kind = Share;
    int value = 0;
};

std::vector<ColumnWidth> ParseColumnWidths(const QString &widths)
{
    std::vector<ColumnWidth> parsed;
    if (widths.trimmed().isEmpty())
        return parsed;
    for (const QString &part : widths.split(QLatin1Char(','))) {
        QString entry = part.trimmed();
        const bool percent = entry.endsWith(QLatin1Char('%'));
        if (percent)
            entry.chop(1);
        bool ok = false;
        const int number = entry.trimmed().toInt(&ok);
        ColumnWidth width;
        if (ok && number >= 0)
            width = {percent ? ColumnWidth::Percent : ColumnWidth::Pixels, ToMeasure(number)};
        parsed.push_back(width);
    }
    return parsed;
}

class ListView final : public QTableView {
public:
    ListView(Listbox &owner, QWidget *parent)
        : QTableView(parent), m_owner(owner), m_rows(new ListModel(this)),
          m_cells(new CellDelegate(owner, *m_rows, this))
    {
        // Hidden before the model arrives, so setting it does not size headers
        // the list never shows (the owner shows one again when asked).
        verticalHeader()->hide();
        horizontalHeader()->hide();
        setModel(m_rows);
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

    ListModel &Rows() const { return *m_rows; }
    CellDelegate &Cells() const { return *m_cells; }

    void SetColumnWidths(const QString &widths)
    {
        m_widths = ParseColumnWidths(widths);
        LayOutColumns();
    }

    void LayOutColumns()
    {
        const int columns = m_rows->columnCount();
        const int available = viewport()->width();
        std::vector<int> pixels(static_cast<std::size_t>(columns), 0);
        int given = 0;
        int sharing = 0;
        for (int column = 0; column < columns; ++column) {
            const auto at = static_cast<std::size_t>(column);
            const ColumnWidth width = at < m_widths.size() ? m_widths[at] : ColumnWidth{};
            if (width.kind == ColumnWidth::Share) {
                ++sharing;
                continue;
            }
            pixels[at] = width.kind == ColumnWidth::Pixels
                             ? width.value
                             : ToMeasure(static_cast<std::int64_t>(available) * width.value / 100);
            given += pixels[at];
        }
        const int shared = sharing > 0 ? std::max(kMinimumSharedWidth, (available - given) / sharing) : 0;
        for (int column = 0; column < columns; ++column) {
            const auto at = static_cast<std::size_t>(column);
            const bool shares = at >= m_widths.size() || m_widths[at].kind == ColumnWidth::Share;
            const int width = shares ? shared : pixels[at];
            if (columnWidth(column) != width)
                setColumnWidth(column, width);
        }
    }

    void OpenEditor(const QModelIndex &index)
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

    void DiscardEditor()
    {
        if (QWidget *open = m_cells->Editor())
            closeEditor(open, QAbstractItemDelegate::NoHint);
    }

    void SetScrollsSideways(bool scrolls)
    {
        m_scrollsSideways = scrolls;
        updateGeometries();
    }

protected:
    // A list without a horizontal scroll bar never scrolls sideways: columns
    // wider than the list are cut off at its right edge rather than shifted
    // away from what the program placed above them, with no bar to bring them
    // back. Qt moves the columns from many places (scrollTo when an editor
    // opens or the current cell changes, the keyboard, a sideways wheel), and
    // every one of them goes through the horizontal scroll bar's value. An
    // empty range holds that value at 0 for them all; this is where the view
    // sets the range afresh whenever the columns or the viewport change size.
    void updateGeometries() override
    {
        QTableView::updateGeometries();
        if (!m_scrollsSideways)
            horizontalScrollBar()->setRange(0, 0);
    }

    void paintEvent(QPaintEvent *event) override
    {
        PaintRowsBelowLast(event->rect());
        QTableView::paintEvent(event);
    }

    void resizeEvent(QResizeEvent *event) override
    {
        QTableView::resizeEvent(event);
        LayOutColumns();
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        m_pressHandled = RaiseCellClick(*event);
        if (m_pressHandled) {
            event->accept();
            return;
        }
        QTableView::mousePressEvent(event);
    }

    // The second click of a double click is a click like any other.
    void mouseDoubleClickEvent(QMouseEvent *event) override { mousePressEvent(event); }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        // A press the program handled starts no drag selection.
        if (m_pressHandled && event->buttons() != Qt::NoButton) {
            event->accept();
            return;
        }
        QTableView::mouseMoveEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (std::exchange(m_pressHandled, false)) {
            event->accept();
            return;
        }
        QTableView::mouseReleaseEvent(event);
    }

private:
    bool RaiseCellClick(const QMouseEvent &event)
    {
        if (event.button() != Qt::LeftButton)
            return false;
        const QPoint at = event.position().toPoint();
        const QModelIndex index = indexAt(at);
        if (!index.isValid())
            return false;
        const QRect cell = visualRect(index);
        return m_owner.CellClick.Raise(m_owner, index.row(), index.column(), at.x() - cell.x(),
                                       at.y() - cell.y());
    }

    // The slots below the last row, as many as the viewport shows, get their
    // background from the program too; their row numbers go on counting.
    void PaintRowsBelowLast(const QRect &dirty)
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

    Listbox &m_owner;
    ListModel *m_rows;
    CellDelegate *m_cells;
    std::vector<ColumnWidth> m_widths;
    bool m_pressHandled = false;
    bool m_scrollsSideways = true;
};

} // namespace

struct Listbox::Private {
    explicit Private(Listbox &list) : owner(list) {}

    ListView &View() const { return *static_cast<ListView *>(owner.CheckedWidget()); }
    ListModel &Rows() const { return View().Rows(); }

    void ApplyRowHeight(ListView &view) const
    {
        // Without a height of its own a row fits one line of the list's font.
        const int height = defaultRowHeight > 0 ? ToMeasure(defaultRowHeight)
                                                : QFontMetrics(view.font()).height() + 2 * kTextPadding;
        view.verticalHeader()->setDefaultSectionSize(height);
    }

    void ApplyScrollbars(ListView &view) const
    {
        auto policy = [this](bool has) {
            if (!has)
                return Qt::ScrollBarAlwaysOff;
            return autoHideScrollbars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
        };
        view.setVerticalScrollBarPolicy(policy(hasVerticalScrollbar));
        view.setHorizontalScrollBarPolicy(policy(hasHorizontalScrollbar));
        view.SetScrollsSideways(hasHorizontalScrollbar);
    }

    void ApplyFocusPolicy() const
    {
        if (QWidget *widget = owner.Widget())
            widget->setFocusPolicy(owner.TabStop() ? Qt::StrongFocus : Qt::NoFocus);
    }

    // Properties set only through property lists; they have no accessors of their own.
    void SetGridLinesHorizontalStyle(std::int64_t style)
    {
        ListView &view = View();
        view.Cells().HorizontalLines = style != 0;
        view.viewport()->update();
    }

    void SetGridLinesVerticalStyle(std::int64_t style)
    {
        ListView &view = View();
        view.Cells().VerticalLines = style != 0;
        view.viewport()->update();
    }

    // Tab-separated cells, one row per line.
    void SetInitialValue(const QString &value)
    {
        owner.DeleteAllRows();
        if (value.isEmpty())
            return;
        QString lines = value;
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (lines.endsWith(QLatin1Char('\n')))
            lines.chop(1);
        for (const QString &line : lines.split(QLatin1Char('\n')))
            owner.AddRow(line.split(QLatin1Char('\t')));
    }

    void SetTransparent(bool transparent)
    {
        ListView &view = View();
        view.viewport()->setAutoFillBackground(!transparent);
        view.viewport()->update();
    }

    void SetAllowAutoHideScrollbars(bool allow)
    {
        ListView &view = View();
        autoHideScrollbars = allow;
        ApplyScrollbars(view);
    }

    void SetAllowResizableColumns(bool allow)
    {
        View().horizontalHeader()->setSectionResizeMode(allow ? QHeaderView::Interactive
                                                              : QHeaderView::Fixed);
    }

    void SetRowSelectionType(std::int64_t type)
    {
        View().setSelectionMode(type == 0 ? QAbstractItemView::SingleSelection
                                          : QAbstractItemView::ExtendedSelection);
    }

    Listbox &owner;
    std::int64_t lastIndex = -1;
    QString columnWidths;
    std::int64_t defaultRowHeight = -1;
    bool hasHeader = false;
    bool hasVerticalScrollbar = true;
    bool hasHorizontalScrollbar = false;
    bool hasBorder = true;
    bool autoHideScrollbars = true;
    FontSettings font;
};

namespace {

void CheckCell(const ListModel &rows, std::int64_t row, std::int64_t column)
{
    if (!rows.Contains(row, column))
        throw KeyNotFoundException(
            QStringLiteral("OutOfBounds: cell (%1, %2) is outside the list's %3 rows of %4 columns")
                .arg(row)
                .arg(column)
                .arg(rows.rowCount())
                .arg(rows.columnCount()));
}

} // namespace

Listbox::Listbox() : d(std::make_unique<Private>(*this)) {}

Listbox::~Listbox()
{
    // The view's call-backs reach into this object; it goes while all of
    // this object is still whole.
    delete Widget();
}

QWidget *Listbox::CreateWidget(QWidget *parent)
{
    auto *view = new ListView(*this, parent);
    view->setFont(d->font.ToQFont());
    view->setFrameShape(d->hasBorder ? QFrame::StyledPanel : QFrame::NoFrame);
    view->horizontalHeader()->setVisible(d->hasHeader);
    view->SetColumnWidths(d->columnWidths);
    d->ApplyRowHeight(*view);
    d->ApplyScrollbars(*view);
    return view;
}

void Listbox::TabStopChanged() { d->ApplyFocusPolicy(); }

void Listbox::AddRow(const QStringList &texts)
{
    ListModel &rows = d->Rows();
    rows.Append(texts);
    d->lastIndex = rows.rowCount() - 1;
}

QString Listbox::Cell(std::int64_t row, std::int64_t column) const
{
    const ListModel &rows = d->Rows();
    CheckCell(rows, row, column);
    return rows.Text(static_cast<int>(row), static_cast<int>(column));
}

void Listbox::SetCell(std::int64_t row, std::int64_t column, const QString &text)
{
    ListModel &rows = d->Rows();
    CheckCell(rows, row, column);
    rows.SetText(static_cast<int>(row), static_cast<int>(column), text);
}

void Listbox::DeleteAllRows()
{
    ListView &view = d->View();
    view.DiscardEditor();
    view.Rows().Clear();
    d->lastIndex = -1;
}

void Listbox::EditCell(std::int64_t row, std::int64_t column)
{
    ListView &view = d->View();
    if (!view.Rows().Contains(row, column))
        return;
    view.OpenEditor(view.Rows().index(static_cast<int>(row), static_cast<int>(column)));
}

std::int64_t Listbox::ListCount() const { return d->Rows().rowCount(); }

std::int64_t Listbox::LastIndex() const
{
    CheckedWidget();
    return d->lastIndex;
}

std::int64_t Listbox::ColumnCount() const { return d->Rows().columnCount(); }

void Listbox::SetColumnCount(std::int64_t count)
{
    ListView &view = d->View();
    view.Rows().SetColumnCount(static_cast<int>(std::clamp<std::int64_t>(count, 1, kMaximumColumns)));
    view.LayOutColumns();
}

QString Listbox::ColumnWidths() const
{
    CheckedWidget();
    return d->columnWidths;
}

void Listbox::SetColumnWidths(const QString &widths)
{
    ListView &view = d->View();
    d->columnWidths = widths;
    view.SetColumnWidths(widths);
}

std::int64_t Listbox::DefaultRowHeight() const
{
    CheckedWidget();
    return d->defaultRowHeight;
}

void Listbox::SetDefaultRowHeight(std::int64_t height)
{
    ListView &view = d->View();
    d->defaultRowHeight = height;
    d->ApplyRowHeight(view);
}

bool Listbox::HasHeader() const
{
    CheckedWidget();
    return d->hasHeader;
}

void Listbox::SetHasHeader(bool has)
{
    ListView &view = d->View();
    d->hasHeader = has;
    view.horizontalHeader()->setVisible(has);
}

bool Listbox::HasVerticalScrollbar() const
{
    CheckedWidget();
    return d->hasVerticalScrollbar;
}

void Listbox::SetHasVerticalScrollbar(bool has)
{
    ListView &view = d->View();
    d->hasVerticalScrollbar = has;
    d->ApplyScrollbars(view);
}

bool Listbox::HasHorizontalScrollbar() const
{
    CheckedWidget();
    return d->hasHorizontalScrollbar;
}

void Listbox::SetHasHorizontalScrollbar(bool has)
{
    ListView &view = d->View();
    d->hasHorizontalScrollbar = has;
    d->ApplyScrollbars(view);
}

bool Listbox::HasBorder() const
{
    CheckedWidget();
    return d->hasBorder;
}

void Listbox::SetHasBorder(bool has)
{
    ListView &view = d->View();
    d->hasBorder = has;
    view.setFrameShape(has ? QFrame::StyledPanel : QFrame::NoFrame);
}

const FontSettings &Listbox::Font() const { return d->font; }

bool Listbox::IsEditing() const { return d->View().Cells().Editor() != nullptr; }

std::int64_t Listbox::EditingRow() const
{
    const QModelIndex editing = d->View().Cells().EditingIndex();
    return editing.isValid() ? editing.row() : -1;
}

std::int64_t Listbox::EditingColumn() const
{
    const QModelIndex editing = d->View().Cells().EditingIndex();
    return editing.isValid() ? editing.column() : -1;
}

QAbstractItemModel *Listbox::Model() const { return &d->Rows(); }

void Listbox::RaiseOpen() { Open.Raise(*this); }

void Listbox::SetProperty(std::string_view name, const PropertyValue &value)
{
    using T = PropertyTable<Listbox>;
    static const T table{
        T::Setter("HasBorder", &Listbox::SetHasBorder),
        T::Setter("ColumnCount", &Listbox::SetColumnCount),
        T::Setter("ColumnWidths", &Listbox::SetColumnWidths),
        T::Setter("DefaultRowHeight", &Listbox::SetDefaultRowHeight),
        T::Setter("HasHeader", &Listbox::SetHasHeader),
        T::Setter("HasHorizontalScrollbar", &Listbox::SetHasHorizontalScrollbar),
        T::Setter("HasVerticalScrollbar", &Listbox::SetHasVerticalScrollbar),
        // The list scrolls by itself, has no headings to pick, shows no focus
        // ring, never drags or expands rows and is bound to no data source;
        // the values are kept as given.
        T::Inert<std::int64_t>("_ScrollOffset"),
        T::Inert<std::int64_t>("_ScrollWidth"),
        T::Inert<std::int64_t>("HeadingIndex"),
        T::Inert<bool>("DropIndicatorVisible"),
        T::Inert<bool>("AllowFocusRing"),
        T::Inert<bool>("AllowRowDragging"),
        T::Inert<bool>("AllowRowReordering"),
        T::Inert<bool>("AllowExpandableRows"),
        T::Inert<bool>("RequiresSelection"),
        T::Inert<QString>("DataSource"),
        T::Inert<QString>("DataField"),
    };
    using P = PropertyTable<Private>;
    static const P lookTable{
        P::Setter("GridLinesHorizontalStyle", &Private::SetGridLinesHorizontalStyle),
        P::Setter("GridLinesVerticalStyle", &Private::SetGridLinesVerticalStyle),
        P::Setter("InitialValue", &Private::SetInitialValue),
        P::Setter("Transparent", &Private::SetTransparent),
        P::Setter("AllowAutoHideScrollbars", &Private::SetAllowAutoHideScrollbars),
        P::Setter("AllowResizableColumns", &Private::SetAllowResizableColumns),
        P::Setter("RowSelectionType", &Private::SetRowSelectionType),
    };
    if (table.Apply(*this, name, value) || lookTable.Apply(*d, name, value))
        return;
    if (ApplyFontProperty(d->font, name, value)) {
        ListView &view = d->View();
        view.setFont(d->font.ToQFont());
        d->ApplyRowHeight(view);
        return;
    }
    RectControl::SetProperty(name, value);
}

} // namespace tickora::runtime
