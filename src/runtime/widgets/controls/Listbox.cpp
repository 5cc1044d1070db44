#include "runtime/widgets/controls/Listbox.h"

#include "runtime/core/Exceptions.h"
#include "runtime/widgets/controls/ListCells.h"
#include "runtime/widgets/controls/ListColumns.h"
#include "runtime/widgets/controls/ListModel.h"
#include "runtime/widgets/controls/ListView.h"

#include <QFontMetrics>
#include <QHeaderView>

#include <algorithm>

namespace tickora::runtime {

namespace {

constexpr std::int64_t kMaximumColumns = 256;

using detail::ListModel;
using detail::ListView;
using detail::ToMeasure;
using detail::kTextPadding;

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

void CheckColumn(const ListModel &rows, std::int64_t column)
{
    if (column < 0 || column >= rows.columnCount())
        throw KeyNotFoundException(QStringLiteral("OutOfBounds: column %1 is outside the list's %2 columns")
                                       .arg(column)
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

QString Listbox::Heading(std::int64_t column) const
{
    const ListModel &rows = d->Rows();
    CheckColumn(rows, column);
    return rows.Heading(static_cast<int>(column));
}

void Listbox::SetHeading(std::int64_t column, const QString &heading)
{
    ListModel &rows = d->Rows();
    CheckColumn(rows, column);
    rows.SetHeading(static_cast<int>(column), heading);
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
        // The list scrolls by itself, has no headings to pick, never drags or
        // expands rows and is bound to no data source; the values are kept as
        // given.
        T::Inert<std::int64_t>("_ScrollOffset"),
        T::Inert<std::int64_t>("_ScrollWidth"),
        T::Inert<std::int64_t>("HeadingIndex"),
        T::Inert<bool>("DropIndicatorVisible"),
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
