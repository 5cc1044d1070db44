#pragma once

#include "runtime/widgets/controls/ListColumns.h"

#include <QTableView>

#include <vector>

namespace tickora::runtime {
class Listbox;
}

namespace tickora::runtime::detail {

class CellDelegate;
class ListModel;

// The view of a list box: its rows, drawn by the cell delegate, in columns of
// the widths the program gives; the program's background also below the last
// row; clicks handed to the program first.
class ListView final : public QTableView {
public:
    ListView(Listbox &owner, QWidget *parent);

    ListModel &Rows() const { return *m_rows; }
    CellDelegate &Cells() const { return *m_cells; }

    void SetColumnWidths(const QString &widths);
    // Sizes the columns afresh for the view's width.
    void LayOutColumns();
    // Opens the editor of that cell, closing (and keeping) any other first.
    void OpenEditor(const QModelIndex &index);
    // Closes the open editor, dropping what was typed.
    void DiscardEditor();
    void SetScrollsSideways(bool scrolls);

protected:
    void updateGeometries() override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void RowCountChanged(int before, int after);
    bool RaiseCellClick(const QMouseEvent &event);
    void PaintRowsBelowLast(const QRect &dirty);

    Listbox &m_owner;
    ListModel *m_rows;
    CellDelegate *m_cells;
    std::vector<ColumnWidth> m_widths;
    bool m_pressHandled = false;
    bool m_scrollsSideways = true;
};

} // namespace tickora::runtime::detail
