#pragma once

#include "runtime/widgets/controls/RectControl.h"
#include "runtime/core/Event.h"
#include "runtime/widgets/controls/Font.h"
#include "runtime/widgets/controls/Graphics.h"

#include <QStringList>

class QAbstractItemModel;

namespace tickora::runtime {

// A list of rows of text cells in fixed-width columns. Rows are added at the
// end and removed all together. A cell opens for in-place editing only when
// the program asks (EditCell), and only that cell, while its editor is open,
// takes what the user types: no key, click or move out of the editor opens
// another. Return, Tab and Shift+Tab end the edit keeping the text, as does
// moving to another row; Escape drops it.
//
// For every cell it draws, including the empty area below the last row, the
// list asks CellBackgroundPaint for the background (row indices at or beyond
// ListCount there); True from the handler means it drew the background
// completely. Clicks on a row raise CellClick; True means handled, and the list
// then does nothing more with the click (no selection change).
//
// Reading or writing a cell outside the rows and columns raises
// KeyNotFoundException (its message begins "OutOfBounds"); asking to edit such
// a cell does nothing.
class Listbox : public RectControl {
public:
    Listbox();
    ~Listbox() override;

    // Appends one row: the texts fill the columns from column 0, further cells stay empty.
    void AddRow(const QStringList &texts);
    QString Cell(std::int64_t row, std::int64_t column) const;
    void SetCell(std::int64_t row, std::int64_t column, const QString &text);
    void DeleteAllRows();
    void EditCell(std::int64_t row, std::int64_t column);
    std::int64_t ListCount() const;
    // The index of the row added last; -1 while none was added.
    std::int64_t LastIndex() const;

    // A column's heading: shown above it only with HasHeader, but always the
    // column's name to a screen reader.
    QString Heading(std::int64_t column) const;
    void SetHeading(std::int64_t column, const QString &heading);

    std::int64_t ColumnCount() const;
    // 1 to 256 columns; other counts are clamped to that range.
    void SetColumnCount(std::int64_t count);
    // Pixel widths, comma separated ("20,100,140,140,140"). An entry "N%" is
    // that share of the list's width; a missing or other entry ("*") shares
    // out what the remaining columns leave.
    QString ColumnWidths() const;
    void SetColumnWidths(const QString &widths);
    std::int64_t DefaultRowHeight() const;
    void SetDefaultRowHeight(std::int64_t height);
    bool HasHeader() const;
    void SetHasHeader(bool has);
    bool HasVerticalScrollbar() const;
    void SetHasVerticalScrollbar(bool has);
    bool HasHorizontalScrollbar() const;
    void SetHasHorizontalScrollbar(bool has);
    bool HasBorder() const;
    void SetHasBorder(bool has);
    const FontSettings &Font() const;

    Event<void(Listbox &)> Open;
    Event<bool(Listbox &, std::int64_t row, std::int64_t column, std::int64_t x, std::int64_t y)> CellClick;
    Event<bool(Listbox &, Graphics &, std::int64_t row, std::int64_t column)> CellBackgroundPaint;

    void SetProperty(std::string_view name, const PropertyValue &value) override;
    bool TakesFocus() const override { return TabStop(); }
    void RaiseOpen() override;

    // Runtime side, for tests: whether a cell editor is open, and where.
    bool IsEditing() const;
    std::int64_t EditingRow() const;
    std::int64_t EditingColumn() const;
    // Runtime side, for tests: the rows as a Qt model.
    QAbstractItemModel *Model() const;

protected:
    QWidget *CreateWidget(QWidget *parent) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace tickora::runtime
