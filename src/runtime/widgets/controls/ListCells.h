#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

class QPainter;

namespace tickora::runtime {
class Listbox;
}

namespace tickora::runtime::detail {

class ListModel;

// Room between a cell's edge and its text.
inline constexpr int kTextPadding = 4;

// Hands one cell's area of a list box to the program's CellBackgroundPaint,
// with the origin at the cell's corner and nothing outside it paintable. True
// when the program painted it completely.
bool PaintCellBackground(Listbox &owner, QPainter &painter, const QRect &cell, int row, int column);

// Draws every cell: the program's background, the list's own selection over
// it unless the program painted the cell completely, then text and grid lines.
// It also keeps track of the one cell editor the list ever has open.
class CellDelegate final : public QStyledItemDelegate {
public:
    CellDelegate(Listbox &owner, ListModel &rows, QObject *parent);

    bool HorizontalLines = false;
    bool VerticalLines = false;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    bool eventFilter(QObject *object, QEvent *event) override;

    QWidget *Editor() const { return m_editor; }
    QModelIndex EditingIndex() const { return m_editor ? QModelIndex(m_editing) : QModelIndex(); }

private:
    Listbox &m_owner;
    ListModel &m_rows;
    // Qt creates and destroys editors through const members.
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_editing;
};

} // namespace tickora::runtime::detail
